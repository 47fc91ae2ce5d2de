#pragma once
// A one-line edit field over the "Edit" picture (frame 1 while it takes typing). A numeric edit holds
// a number from 0 to its maximum without leading zeros.

#include <cstdint>
#include <functional>
#include <string>

#include "shell/widgets/WObject.h"

namespace mv {

class TDXWEdit : public TDXWImageObject {
 public:
  static constexpr int kBackspace = 8, kEnter = 13;

  int imageFrame() const override { return active ? 1 : 0; }
  // Backspace removes the last character; Enter stops the typing until the pointer comes back.
  void keyDown(int key, unsigned shift) override;
  void keyPress(uint8_t character) override;
  void keyUp(int key, unsigned shift) override { TDXWObject::keyUp(key, shift); }
  // Fires onChange only when the text really changes.
  void setText(const std::string& text);

  std::function<void(TDXWEdit& sender)> onChange;
  bool numericOnly = false;
  int32_t maxValue = 0;
};

// The value of a run of decimal digits, held at limit however long the run (no overflow). Anything that
// is not a digit ends the number; no digits at all read as 0.
int32_t parseBoundedNumber(const std::string& text, int32_t limit);

}  // namespace mv
