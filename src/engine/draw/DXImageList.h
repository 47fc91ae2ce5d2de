#pragma once
// An image archive bound to the display: the display's initialisation builds every item's surfaces and
// its finalisation discards them.

#include "engine/draw/DXDraw.h"
#include "engine/archive/PictureCollection.h"

namespace mv {

class TDXImageList : public TDXDrawListener {
 public:
  explicit TDXImageList(TDXDraw* dxDraw = nullptr);
  ~TDXImageList();
  TDXImageList(const TDXImageList&) = delete;
  TDXImageList& operator=(const TDXImageList&) = delete;

  TPictureCollection Items;

  TDXDraw* dxDraw() const { return dxDraw_; }
  // Binds to another display (or none); builds the surfaces at once when it is initialised.
  void setDXDraw(TDXDraw* dxDraw);

  void dxDrawNotify(TDXDraw& sender, TDXDrawNotifyType type) override;

 private:
  TDXDraw* dxDraw_ = nullptr;
};

}  // namespace mv
