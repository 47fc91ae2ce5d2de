#include "shell/widgets/CheckBox.h"

#include "engine/archive/PictureCollection.h"
#include "engine/draw/TextCanvas.h"

namespace mv {

void TDXImageCheckBox::toggleAt(int px, int py) {
  if (x <= px && px < x + kHitSize && y <= py && py < y + kHitSize) checked = !checked;
}

void TDXImageCheckBox::draw(TSurface& target) {
  if (!visible) return;
  if (image) image->draw(target, x, y, checked ? 1 : 0);
  // No colour of its own: the labels, drawn just before, leave the canvas white.
  TTextCanvas& canvas = target.canvas();
  setWidgetFont(canvas, 10, false);
  const uint32_t before = canvas.fontColor();
  if (highlighted) canvas.setFontColor(colorRef(255, 0, 0));
  canvas.textOut(x + 20, y, caption);
  canvas.setFontColor(before);
  canvas.release();
}

}  // namespace mv
