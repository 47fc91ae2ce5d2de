#include "shell/screens/Dialog.h"

#include <algorithm>

#include "engine/draw/TextCanvas.h"

namespace mv {
namespace {

constexpr int kMargin = 20, kTitleHeight = 34, kButtonArea = 50, kMaxLines = 14;
constexpr int kEnter = 13, kEscape = 27;

// Halves every channel of a 5-6-5 pixel: the screen behind the panel shows through, darkened.
uint16_t darken(uint16_t p) {
  return static_cast<uint16_t>((p >> 1) & 0x7BEF);
}

}  // namespace

std::vector<std::string> wrapText(TTextCanvas& canvas, const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  size_t at = 0;
  while (at < text.size()) {
    if (text[at] == '\n') {
      lines.push_back(line);
      line.clear();
      ++at;
      continue;
    }
    const size_t end = std::min(text.find_first_of(" \n", at), text.size());
    std::string word = text.substr(at, end - at);
    at = end < text.size() && text[end] == ' ' ? end + 1 : end;
    // A word too long for any line is cut where it fills one.
    while (canvas.textWidth(word) > width && word.size() > 1) {
      size_t fit = word.size() - 1;
      while (fit > 1 && canvas.textWidth(word.substr(0, fit)) > width) --fit;
      if (!line.empty()) lines.push_back(line);
      lines.push_back(word.substr(0, fit));
      line.clear();
      word = word.substr(fit);
    }
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && canvas.textWidth(longer) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

void TDialog::setDisplaySize(int width, int height) {
  displayWidth_ = width;
  displayHeight_ = height;
  layout();
}

void TDialog::show(const std::string& text) {
  queue_.push_back(text);
  if (queue_.size() == 1) layout();
}

void TDialog::close() {
  if (queue_.empty()) return;
  queue_.pop_front();
  ok_.pressed = ok_.hovered = false;
  ok_.glow = 0;
  layout();
}

void TDialog::layout() {
  lines_.clear();
  if (queue_.empty()) return;
  TTextCanvas& canvas = measure_.canvas();
  setWidgetFont(canvas, kFontSize, false);
  lines_ = wrapText(canvas, queue_.front(), kWidth - 2 * kMargin);
  if (lines_.size() > kMaxLines) {
    lines_.resize(kMaxLines);
    lines_.back() += "...";
  }
  const int height = kTitleHeight + static_cast<int>(lines_.size()) * kLineStep + kButtonArea;
  const int left = (displayWidth_ - kWidth) / 2, top = std::max(0, (displayHeight_ - height) / 2);
  panel_ = {left, top, left + kWidth, top + height};
  ok_.caption = "Ok";
  ok_.width = 100;
  ok_.height = 25;
  ok_.x = left + (kWidth - ok_.width) / 2;
  ok_.y = panel_.Bottom - kButtonArea + (kButtonArea - ok_.height) / 2 - 4;
  ok_.onClick = [this](TDXButton&) { close(); };
}

bool TDialog::keyDown(int key) {
  if (!open() || (key != kEnter && key != kEscape)) return false;
  close();
  return true;
}

void TDialog::mouse(int x, int y, MouseKind kind) {
  if (!open()) return;
  switch (kind) {
    case MouseKind::Move:
      ok_.mouseMove(x, y);
      break;
    case MouseKind::Down:
      ok_.mouseDown(x, y);
      break;
    case MouseKind::Up:
      ok_.mouseUp();
      break;
  }
}

void TDialog::draw(TSurface& target) {
  if (!open()) return;
  const TRect area = intersection(panel_, target.clientRect());
  for (int y = area.Top; y < area.Bottom; ++y)
    for (uint16_t* p = target.row(y) + area.Left; p < target.row(y) + area.Right; ++p)
      *p = darken(darken(*p));
  TTextCanvas& canvas = target.canvas();
  canvas.setPenColor(colorRef(200, 0, 0));
  canvas.moveTo(panel_.Left, panel_.Top);
  canvas.lineTo(panel_.Right - 1, panel_.Top);
  canvas.lineTo(panel_.Right - 1, panel_.Bottom - 1);
  canvas.lineTo(panel_.Left, panel_.Bottom - 1);
  canvas.lineTo(panel_.Left, panel_.Top);
  setWidgetFont(canvas, 12, true);
  canvas.setFontColor(colorRef(255, 0, 0));
  canvas.textOut(panel_.Left + kMargin, panel_.Top + 8, "Mashvolt");
  setWidgetFont(canvas, kFontSize, false);
  canvas.setFontColor(colorRef(255, 255, 255));
  for (size_t i = 0; i < lines_.size(); ++i)
    canvas.textOut(panel_.Left + kMargin, panel_.Top + kTitleHeight + static_cast<int>(i) * kLineStep,
                   lines_[i]);
  canvas.release();
  ok_.draw(target);
}

}  // namespace mv
