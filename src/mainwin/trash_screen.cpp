#include "mainwin/main_window.h"

void TForm1::SetTrashPanelVisible(bool) {}
