#include "shell/widgets/Edit.h"

#include <algorithm>
#include <string>

namespace mv {

namespace {

bool isDigit(uint8_t c) {
  return c >= '0' && c <= '9';
}

// The leading digits' value, stopped at limit so no run of digits can overflow.
int64_t leadingNumber(const std::string& text, int64_t limit) {
  int64_t value = 0;
  for (char ch : text) {
    if (!isDigit(static_cast<uint8_t>(ch))) break;
    value = value * 10 + (ch - '0');
    if (value >= limit) return limit;
  }
  return value;
}

}  // namespace

int32_t parseBoundedNumber(const std::string& text, int32_t limit) {
  return static_cast<int32_t>(leadingNumber(text, std::max<int32_t>(limit, 0)));
}

void TDXWEdit::setText(const std::string& text) {
  if (text == caption) return;
  caption = text;
  if (onChange) onChange(*this);
}

void TDXWEdit::keyDown(int key, unsigned shift) {
  if (active && visible) {
    if (key == kBackspace) {
      if (!caption.empty()) setText(caption.substr(0, caption.size() - 1));
      if (caption.empty() && numericOnly) setText("0");
    } else if (key == kEnter) {
      active = false;
    }
  }
  TDXWObject::keyDown(key, shift);
}

void TDXWEdit::keyPress(uint8_t c) {
  if (c == kBackspace || c == kEnter || !active || !visible) return;
  // A numeric edit ignores anything but digits outright: stripping the leading zero of "0" would
  // leave it empty, with no number to read.
  if (!numericOnly || isDigit(c)) {
    setText(caption + static_cast<char>(c));
    if (numericOnly) {
      if (caption.size() > 1 && caption[0] == '0') setText(caption.substr(1));
      if (leadingNumber(caption, int64_t{maxValue} + 1) > maxValue) setText(std::to_string(maxValue));
    }
  }
  TDXWObject::keyPress(c);
}

}  // namespace mv
