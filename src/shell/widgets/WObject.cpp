#include "shell/widgets/WObject.h"

#include <algorithm>

#include "engine/archive/PictureCollection.h"
#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"
#include "shell/widgets/Button.h"

namespace mv {

void TWFont::applyTo(TTextCanvas& canvas) const {
  setWidgetFont(canvas, size, bold);
  canvas.setFontColor(color);
}

void TDXWObject::setFocused(bool flag) {
  if (focused && !flag) mouseIsDown = false;
  focused = flag;
}

void TDXWObject::mouseDown(int button, unsigned shift, int px, int py) {
  mouseIsDown = true;
  active = true;
  downPointX = px - left;
  downPointY = py - top;
  if (onMouseDown) onMouseDown(*this, button, shift, px, py);
}

bool TDXWObject::mouseUp(int button, unsigned shift, int px, int py) {
  mouseIsDown = false;
  const bool inside = inBounds(px, py);
  if (inside && onMouseUp) onMouseUp(*this, button, shift, px, py);
  return inside;
}

void TDXWObject::mouseMove(unsigned shift, int px, int py) {
  setFocused(true);
  if (onMouseMove) onMouseMove(*this, shift, px, py);
}

void TDXWObject::keyDown(int key, unsigned shift) {
  if (onKeyDown) onKeyDown(*this, key, shift);
}

void TDXWObject::keyUp(int key, unsigned shift) {
  if (onKeyUp) onKeyUp(*this, key, shift);
}

void TDXWObject::keyPress(uint8_t character) {
  if (onKeyPress) onKeyPress(*this, character);
}

void TDXWImageObject::setImage(TPictureCollectionItem* picture) {
  image = picture;
  setWidth(picture ? picture->width() : 0);
  setHeight(picture ? picture->height() : 0);
}

void TDXWImageObject::draw(TSurface& target) {
  if (!visible) return;
  if (image) image->draw(target, left, top, imageFrame());
  if (caption.empty()) return;
  TTextCanvas& canvas = target.canvas();
  font.applyTo(canvas);
  const int tx = left + (width - canvas.textWidth(caption)) / 2;
  const int ty = top + (height - canvas.textHeight("A")) / 2;
  textOutClipped(target, boundsRect, tx, ty, caption);
  canvas.release();
}

void textOutClipped(TSurface& target, const TRect& clip, int x, int y, const std::string& text) {
  TTextCanvas& canvas = target.canvas();
  const int lineHeight = canvas.textHeight(text);
  // Glyphs may overhang their advance a little; a line's height either side covers any of them.
  const TRect reach = intersection(
      boundsRect(x - lineHeight, y - lineHeight, canvas.textWidth(text) + 2 * lineHeight, 3 * lineHeight),
      target.clientRect());
  if (reach.empty()) return;
  TSurface saved(reach.width(), reach.height());
  saved.draw(0, 0, reach, target, false);
  canvas.textOut(x, y, text);
  for (int row = reach.Top; row < reach.Bottom; ++row) {
    uint16_t* line = target.row(row);
    const uint16_t* keep = saved.row(row - reach.Top) - reach.Left;
    const bool rowInside = clip.Top <= row && row < clip.Bottom;
    for (int col = reach.Left; col < reach.Right; ++col)
      if (!rowInside || col < clip.Left || col >= clip.Right) line[col] = keep[col];
  }
}

}  // namespace mv
