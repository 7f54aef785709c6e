#pragma once

// What a book needs from the window showing it when it becomes or stops being current.
class TBookHost {
 public:
  enum class THeaderKind { Book, Extra };
  virtual ~TBookHost() = default;
  // Colours the book title bar with BookHeaderColor or ExtraHeaderColor.
  virtual void ColorBookTitleBar(THeaderKind kind) = 0;
  // Shows (creating on first use) or hides the trash options panel.
  virtual void SetTrashPanelVisible(bool visible) = 0;
};
