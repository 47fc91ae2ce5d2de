#pragma once
// A check box: its picture (frame 0 clear, frame 1 ticked) with the caption to the right.

#include "shell/widgets/Button.h"

namespace mv {

class TPictureCollectionItem;

class TDXImageCheckBox : public TDXButton {
 public:
  static constexpr int kHitSize = 17;

  // The 17-pixel square from the top-left flips the box, whatever the picture's size.
  void toggleAt(int px, int py);
  void draw(TSurface& target) override;

  bool checked = false;
  TPictureCollectionItem* image = nullptr;  // "CheckBox"
};

}  // namespace mv
