#pragma once
// The main window: it owns the display, the frame timer, the image archives and the sprite engine,
// starts the game up, runs one frame per timer tick and takes the window's input.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sound/DXWaveList.h"
#include "engine/sprite/DXSpriteEngine.h"
#include "engine/DXTimer.h"
#include "game/Globals.h"
#include "platform/Platform.h"
#include "shell/MatchStart.h"

namespace mv {

class TSurface;

// Where a view looks from: a human fighter's camera offset.
struct ViewCamera {
  double cameraX = 0;
  double cameraY = 0;
};

class TMainForm : public ShellServices {
 public:
  explicit TMainForm(Platform& platform);
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Start-up: archives, mirrored models, the main menu. The display is not initialised yet.
  void FormCreate();
  // The window is shown for the first time: the display initialises and the pictures get surfaces.
  void show();

  void DXDrawInitialize();
  void DXTimerTimer(int32_t lagCount);
  void FormKeyDown(int key, unsigned shift);
  void FormKeyPress(uint8_t key);
  void FormMouseWheelUp();
  void FormMouseWheelDown();
  void DXDrawMouseDown(int x, int y);
  void DXDrawMouseMove(int x, int y);
  void DXDrawMouseUp(int x, int y);

  // Text on the back surface with the canvas's current font, then the canvas is released.
  void drawText(int x, int y, const std::string& text);
  // The level as seen from one camera: background, back tile layer, sprites, front tile layer.
  void drawWorld(const ViewCamera& camera, int extraY = 0);
  void drawSingleView(const ViewCamera* view);
  // Hotseat: the first view in the upper half, the second in the lower half.
  void drawSplitView(const ViewCamera* first, const ViewCamera* second);

  void saveScreenshot() override;
  void saveScreenshotRect(const TRect& rect);

  void buildScreen(ScreenState state);

  // Match start: builds the match from a setup and enters it (MatchStart.cpp).
  void startMatch(const MatchSetup& setup);

  Globals& state() { return globals_.get(); }

  // Components, as the window's stored layout holds them.
  TDXDraw DXDraw;
  TDXTimer DXTimer;
  TDXImageList ImageList;
  TDXImageList ModelList;
  TDXWaveList SoundList;  // on the platform's mixer, which stands for the sound device
  TDXSpriteEngine SpriteEngine;

  // Shell state.
  int32_t titleBrightness = 1;
  int32_t titleFadeStep = 1;
  double cursorFrame = 0;
  int32_t screenshotCooldown = 0;
  int32_t screenshotNumber = 1;
  DeviceState devices;  // the input snapshot of the current frame
  // Set before FormCreate for a repeatable run; otherwise the generator is seeded from the clock.
  std::optional<uint32_t> fixedSeed;

 private:
  void menuFrame(int32_t lagCount);
  void matchFrame(int32_t lagCount);
  void drawTitle();
  void drawCursor();

  Platform& platform_;
  GlobalsScope globals_;
};

}  // namespace mv
