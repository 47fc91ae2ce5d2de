#include "shell/widgets/ListBox.h"

#include "engine/archive/PictureCollection.h"
#include "engine/draw/TextCanvas.h"

namespace mv {

namespace {
bool onArrow(int px, int arrowX) {
  return arrowX <= px && px <= arrowX + TDXScrollBar::kArrowSize;
}
}  // namespace

void TDXScrollBar::mouseDown(int px, int py) {
  if (!visible || !onArrow(px, x)) return;
  if (y <= py && py <= y + kArrowSize && position > 0) {
    upPressed = 1;
    --position;
  } else if (y + height - kArrowSize <= py && py <= y + height && position < maxPosition) {
    downPressed = 1;
    ++position;
  }
}

void TDXScrollBar::mouseUp() {
  if (!visible) return;
  upPressed = downPressed = 0;
}

void TDXScrollBar::keyDown(int key) {
  if (key == kVkUp && position > 0)
    --position;
  else if (key == kVkDown && position < maxPosition)
    ++position;
}

int TDXScrollBar::thumbY() const {
  // A list of one item (or none) has no travel to divide.
  const int step = maxPosition > 0 ? (height - 48) / maxPosition : 0;
  return y + 18 + step * position;
}

void TDXScrollBar::draw(TSurface& target) {
  if (!visible || !image) return;
  image->draw(target, x, y, upPressed);
  image->draw(target, x, thumbY(), 4);
  image->draw(target, x, y + height - kArrowSize, downPressed + 2);
}

std::string TDXImageListBox::currentItem() const {
  const int32_t i = scrollBar.position;
  return i >= 0 && i < static_cast<int32_t>(items.size()) ? items[static_cast<size_t>(i)] : std::string();
}

bool TDXImageListBox::selectAt(int px, int py) {
  if (!visible || px < x || px >= x + width || py < y + kRowTop) return false;
  const int32_t row = (py - y - kRowTop) / kRowStep;
  const int32_t item = scrollBar.position + row;
  if (row >= visibleRows || item >= static_cast<int32_t>(items.size())) return false;
  scrollBar.position = item;
  selectedText = currentItem();
  return true;
}

bool TDXImageListBox::select(const std::string& item) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] != item) continue;
    scrollBar.position = static_cast<int32_t>(i);
    selectedText = currentItem();
    return true;
  }
  return false;
}

void TDXImageListBox::setup() {
  scrollBar.maxPosition = static_cast<int32_t>(items.size()) - 1;
  scrollBar.x = x + (frameImage ? frameImage->width() : 0);
  scrollBar.y = y;
  scrollBar.width = 5;
  scrollBar.height = frameImage ? frameImage->height() : 0;
  scrollBar.position = 0;
  selectedText = currentItem();
}

void TDXImageListBox::draw(TSurface& target) {
  if (!visible) return;
  selectedText = currentItem();
  if (selectionImage) selectionImage->draw(target, x, y + 3, 0);
  TTextCanvas& canvas = target.canvas();
  setWidgetFont(canvas, 10, false);
  const int32_t first = scrollBar.position;
  for (int32_t i = first; i >= 0 && i < first + visibleRows && i < static_cast<int32_t>(items.size()); ++i) {
    canvas.setFontColor(i == first ? colorRef(255, 0, 0) : colorRef(255, 255, 255));
    canvas.textOut(x + 8, y + kRowTop + kRowStep * (i - first), items[static_cast<size_t>(i)]);
  }
  canvas.release();
  if (frameImage) frameImage->draw(target, x, y, 0);
  scrollBar.draw(target);
}

}  // namespace mv
