#pragma once
// The display component: the stored display size, the back surface the game draws on, and the
// notifications its listeners (image lists, the sprite engine) follow.

#include <functional>
#include <memory>
#include <vector>

#include "engine/draw/Surface.h"

namespace mv {

class Platform;
class TDXDraw;

enum class TDXDrawNotifyType { Initialize, Finalize, Destroying };

class TDXDrawListener {
 public:
  virtual void dxDrawNotify(TDXDraw& sender, TDXDrawNotifyType type) = 0;

 protected:
  ~TDXDrawListener() = default;
};

class TDXDraw {
 public:
  // The stored display settings; the layout of the game reads these.
  struct TDisplay {
    int Width = 800, Height = 600, BitCount = 16;
  };

  // Without a platform the back surface simply stays in memory (tests, tools).
  explicit TDXDraw(Platform* platform = nullptr);
  ~TDXDraw();
  TDXDraw(const TDXDraw&) = delete;
  TDXDraw& operator=(const TDXDraw&) = delete;

  TDisplay Display;
  // Called once the back surface exists, before the listeners hear of it.
  std::function<void(TDXDraw&)> OnInitialize;

  bool initialized() const { return surface_ != nullptr; }
  bool canDraw() const { return initialized() && !initializing_; }
  // Opens the display at the stored size, makes the back surface, calls OnInitialize, then tells the
  // listeners (image lists build their surfaces). "Display mode cannot be changed (%dx%d %dbit)".
  void initialize();
  void finalize();
  // Makes the back surface again at the stored size; meant between frames (the screen mode command).
  void reinitialize();

  // The back surface; only while initialised.
  TSurface& surface() { return *surface_; }
  // The drawing area, the back surface's size (0 while not initialised).
  int width() const { return surface_ ? surface_->width() : 0; }
  int height() const { return surface_ ? surface_->height() : 0; }

  // Presents the back surface through the platform.
  void flip();

  void registerNotify(TDXDrawListener* listener);
  void unregisterNotify(TDXDrawListener* listener);

  Platform* platform() const { return platform_; }

 private:
  void notify(TDXDrawNotifyType type);

  Platform* platform_;
  std::unique_ptr<TSurface> surface_;
  bool initializing_ = false;
  std::vector<TDXDrawListener*> listeners_;
};

}  // namespace mv
