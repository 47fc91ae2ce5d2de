#pragma once
// The level list: a framed list whose top row is always the selected item, and the thin scroll bar at
// its right edge that moves the selection. Scrolling and selecting are the same thing here.

#include <cstdint>
#include <string>
#include <vector>

#include "shell/widgets/Button.h"

namespace mv {

class TPictureCollectionItem;

class TDXScrollBar : public TDXButton {
 public:
  static constexpr int kVkUp = 38, kVkDown = 40;
  static constexpr int kArrowSize = 16;  // both arrows answer in a 17-pixel square, ends included

  // One step per click on an arrow; holding does not repeat.
  void mouseDown(int px, int py);
  void mouseUp();
  // The arrow keys work whether or not the bar is shown.
  void keyDown(int key);
  void draw(TSurface& target) override;
  // Where the thumb stands; with fewer than two items there is no travel and it stays at the top.
  int thumbY() const;

  TPictureCollectionItem* image = nullptr;  // "ScrollBar": up, up pressed, down, down pressed, thumb
  int32_t maxPosition = 0;
  int32_t position = 0;
  int32_t upPressed = 0;
  int32_t downPressed = 0;
};

class TDXImageListBox : public TDXButton {
 public:
  static constexpr int kRowTop = 5, kRowStep = 20;  // the rows' text below the box's top

  // After the items are filled: the bar goes to the right edge and the first item is selected. An
  // empty list selects nothing and its selected text stays empty.
  void setup();
  void draw(TSurface& target) override;

  // The item under the selection, or an empty text when there is none.
  std::string currentItem() const;
  // A press on a shown row selects its item (which then becomes the top row). False when the point is on
  // no item.
  bool selectAt(int px, int py);
  // Selects the item with this text; false, nothing changed, when there is none.
  bool select(const std::string& item);

  TPictureCollectionItem* frameImage = nullptr;      // "ListBox", drawn over the rows
  TPictureCollectionItem* selectionImage = nullptr;  // "ListBoxSelected", behind the top row
  std::string selectedText;
  uint8_t visibleRows = 10;
  TDXScrollBar scrollBar;
  std::vector<std::string> items;
};

}  // namespace mv
