#pragma once
// A setting on one line: its caption at the left and its value at the right between two arrows. A press
// on an arrow steps the value down or up; a press elsewhere on the line runs onClick (a key binding waits
// for its key), or steps the value up when there is no onClick.

#include <cstdint>
#include <string>

#include "shell/widgets/Button.h"

namespace mv {

class TDXOptionRow : public TDXButton {
 public:
  static constexpr int kHeight = 20;
  static constexpr int kArrowWidth = 16;
  static constexpr int kFontSize = 10;

  // What a press at this point does; -1 or +1 for the arrows, 0 for the rest of the line.
  int stepAt(int px) const;
  void mouseDown(int px, int py);
  // Runs what the press chose, as a button clicks: wherever the pointer is now.
  void mouseUp();
  void draw(TSurface& target) override;

  std::string value;
  int32_t valueLeft = 0;  // where the value's column starts, from x
  bool warn = false;      // the value is drawn in the warning colour (a key bound twice, a key awaited)

 private:
  int pressedStep_ = 0;
};

}  // namespace mv
