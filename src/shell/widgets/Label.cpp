#include "shell/widgets/Label.h"

#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"
#include "shell/widgets/Button.h"

namespace mv {

void TDXWLabel::draw(TSurface& target) {
  if (!visible) return;
  TTextCanvas& canvas = target.canvas();
  setWidgetFont(canvas, kFontSize, false);
  canvas.setFontColor(colorRef(255, 255, 255));
  canvas.textOut(left, top, caption);
  canvas.release();
}

}  // namespace mv
