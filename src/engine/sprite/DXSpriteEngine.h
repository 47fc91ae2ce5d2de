#pragma once
// The sprite engine component of the main form: owns the one engine root and takes its drawing
// surface from the display component it is bound to.

#include "engine/draw/DXDraw.h"
#include "engine/sprite/SpriteEngine.h"

namespace mv {

class TCustomDXSpriteEngine : public TDXDrawListener {
 public:
  TCustomDXSpriteEngine() = default;
  virtual ~TCustomDXSpriteEngine();
  TCustomDXSpriteEngine(const TCustomDXSpriteEngine&) = delete;
  TCustomDXSpriteEngine& operator=(const TCustomDXSpriteEngine&) = delete;

  TDXDraw* DXDraw() const { return dxDraw_; }
  // Moves the notifications from the old display to the new one. The engine draws on the new display's
  // back surface at once if that display is already initialised.
  void setDXDraw(TDXDraw* dxDraw);

  // The frame loop calls these in this order: move, dead, then (after the backgrounds) draw.
  void move(int moveCount) { engine.move(moveCount); }
  void dead() { engine.freeKilled(); }
  // Does nothing while no display is bound or it is not initialised; sprites keep moving meanwhile.
  void draw();

  void dxDrawNotify(TDXDraw& sender, TDXDrawNotifyType type) override;

  TSpriteEngine engine;

 private:
  TDXDraw* dxDraw_ = nullptr;
};

class TDXSpriteEngine : public TCustomDXSpriteEngine {};

}  // namespace mv
