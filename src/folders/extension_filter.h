#pragma once

#include "folders/vopa_node.h"

// Keeps every folder and the files whose extension equals extension exactly (every file when
// extension is "."); with hideExtension a kept file's caption is its name without extension.
TVopaNodeFilter ExtensionFilter(const QString& extension, bool hideExtension);
// A value that does not start with "." gets one.
QString DottedExtension(const QString& extension);
