#include "engine/sprite/DXSpriteEngine.h"

namespace mv {

TCustomDXSpriteEngine::~TCustomDXSpriteEngine() {
  setDXDraw(nullptr);
}

void TCustomDXSpriteEngine::setDXDraw(TDXDraw* dxDraw) {
  if (dxDraw == dxDraw_) return;
  if (dxDraw_) dxDraw_->unregisterNotify(this);
  dxDraw_ = dxDraw;
  // Never keep drawing on a surface that belongs to a display we no longer hear from.
  engine.setSurface(dxDraw_ && dxDraw_->initialized() ? &dxDraw_->surface() : nullptr);
  if (dxDraw_) dxDraw_->registerNotify(this);
}

void TCustomDXSpriteEngine::draw() {
  if (!dxDraw_ || !dxDraw_->initialized()) return;
  // The display may have made its back surface anew (a screen mode change) without telling us.
  if (engine.surface() != &dxDraw_->surface()) engine.setSurface(&dxDraw_->surface());
  engine.drawAll();
}

void TCustomDXSpriteEngine::dxDrawNotify(TDXDraw& sender, TDXDrawNotifyType type) {
  switch (type) {
    case TDXDrawNotifyType::Initialize:
      engine.setSurface(&sender.surface());
      break;
    case TDXDrawNotifyType::Finalize:
      engine.setSurface(nullptr);
      break;
    case TDXDrawNotifyType::Destroying:
      // The back surface goes with the display, and so does its listener list: no unregistering while
      // it is being walked.
      engine.setSurface(nullptr);
      if (&sender == dxDraw_) dxDraw_ = nullptr;
      break;
  }
}

}  // namespace mv
