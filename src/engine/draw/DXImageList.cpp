#include "engine/draw/DXImageList.h"

namespace mv {

TDXImageList::TDXImageList(TDXDraw* dxDraw) {
  setDXDraw(dxDraw);
}

TDXImageList::~TDXImageList() {
  if (dxDraw_) dxDraw_->unregisterNotify(this);
}

void TDXImageList::setDXDraw(TDXDraw* dxDraw) {
  if (dxDraw == dxDraw_) return;
  if (dxDraw_) {
    dxDraw_->unregisterNotify(this);
    Items.finalize();
  }
  dxDraw_ = dxDraw;
  Items.setDXDraw(dxDraw);
  if (dxDraw_) {
    dxDraw_->registerNotify(this);
    if (dxDraw_->initialized()) Items.initialize();
  }
}

void TDXImageList::dxDrawNotify(TDXDraw& sender, TDXDrawNotifyType type) {
  switch (type) {
    case TDXDrawNotifyType::Initialize:
      Items.initialize();
      break;
    case TDXDrawNotifyType::Finalize:
      Items.finalize();
      break;
    case TDXDrawNotifyType::Destroying:
      Items.finalize();
      Items.setDXDraw(nullptr);
      dxDraw_ = nullptr;
      break;
  }
}

}  // namespace mv
