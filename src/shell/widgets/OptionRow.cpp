#include "shell/widgets/OptionRow.h"

#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"

namespace mv {

int TDXOptionRow::stepAt(int px) const {
  const int column = x + valueLeft;
  if (!onStep || px < column) return 0;
  if (px < column + kArrowWidth) return -1;
  if (px >= x + width - kArrowWidth) return 1;
  return 0;
}

void TDXOptionRow::mouseDown(int px, int py) {
  if (!visible || !contains(px, py)) return;
  pressed = true;
  pressedStep_ = stepAt(px);
}

void TDXOptionRow::mouseUp() {
  if (!pressed) return;
  pressed = false;
  if (pressedStep_ != 0 || !onClick) {
    if (onStep) onStep(*this, pressedStep_ != 0 ? pressedStep_ : 1);
  } else {
    onClick(*this);
  }
}

void TDXOptionRow::draw(TSurface& target) {
  if (!visible) return;
  TTextCanvas& canvas = target.canvas();
  setWidgetFont(canvas, kFontSize, false);
  const bool lit = hovered || highlighted;
  canvas.setFontColor(lit ? colorRef(255, 0, 0) : colorRef(255, 255, 255));
  canvas.textOut(x, y, caption);
  const int column = x + valueLeft;
  if (onStep) {
    canvas.setFontColor(colorRef(160, 160, 160));
    canvas.textOut(column, y, "<");
    canvas.textOut(x + width - canvas.textWidth(">"), y, ">");
  }
  canvas.setFontBold(true);
  canvas.setFontColor(warn ? colorRef(255, 160, 0) : lit ? colorRef(255, 255, 0) : colorRef(255, 255, 255));
  const int span = x + width - column;
  canvas.textOut(column + (span - canvas.textWidth(value)) / 2, y, value);
  canvas.setFontColor(colorRef(255, 255, 255));
  canvas.release();
}

}  // namespace mv
