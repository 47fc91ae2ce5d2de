#include "shell/widgets/Button.h"

#include <algorithm>

#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"

namespace mv {

void setWidgetFont(TTextCanvas& canvas, int size, bool bold) {
  canvas.setFontFixedPitch(false);
  canvas.setFontSize(size);
  canvas.setFontBold(bold);
  canvas.setBrushClear(true);
}

void TDXButton::mouseUp() {
  if (!pressed) return;
  pressed = false;
  if (onClick) onClick(*this);
}

void TDXImageButton::stepGlow() {
  // Summed in floating point the glow would overshoot 5 by a hair and wrap the red to near black.
  if (hovered || highlighted) {
    if (glow < kMaxGlow) glow = std::min(glow + 0.2, kMaxGlow);
  } else if (glow > 0) {
    glow = std::max(glow - 0.4, 0.0);
  }
  if (pressed) glow = 0;
}

uint8_t TDXImageButton::glowRed() const {
  return static_cast<uint8_t>((static_cast<int>(glow * 50) + 5) % 256);
}

void TDXImageButton::draw(TSurface& target) {
  if (!visible) return;
  stepGlow();
  TTextCanvas& canvas = target.canvas();
  setWidgetFont(canvas, 12, true);
  const int cx = x + (width - canvas.textWidth(caption)) / 2;
  const int cy = y + (height - canvas.textHeight("A")) / 2;
  const int g = static_cast<int>(glow);
  canvas.setFontColor(colorRef(128, 128, 128));
  canvas.textOut(cx + g, cy + g, caption);
  canvas.setFontColor(glow == 0 ? colorRef(255, 255, 255) : colorRef(glowRed(), 0, 0));
  canvas.textOut(cx, cy, caption);
  canvas.release();
}

}  // namespace mv
