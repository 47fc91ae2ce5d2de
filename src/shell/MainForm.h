#pragma once
// The main window: it owns the display, the frame timer, the image archives and the sprite engine,
// starts the game up, runs one frame per timer tick and takes the window's input.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/DXSpriteEngine.h"
#include "engine/DXTimer.h"
#include "game/Globals.h"
#include "game/world/Match.h"
#include "platform/Platform.h"
#include "shell/MatchStart.h"
#include "shell/Widgets.h"

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

  // The screens (Screens.cpp). Building appends the screen's widgets and then sets the state;
  // showScreen tears the current screen down first, and leaving a match destroys it.
  void buildScreen(ScreenState state);
  void tearDownScreen();
  void showScreen(ScreenState state);
  void resumeMatch();
  void returnToMainMenu();
  // The exit button: the program ends once the current event has been handled.
  void close() { closeRequested_ = true; }
  bool closeRequested() const { return closeRequested_; }

  // Match start: builds the match from a setup and enters it (MatchStart.cpp).
  void startMatch(const MatchSetup& setup);
  // What the setup screen's start button calls; a test may put a double here.
  std::function<void(const MatchSetup&)> matchStarter = [this](const MatchSetup& setup) { startMatch(setup); };

  Globals& state() { return globals_.get(); }

  // Components, as the window's stored layout holds them.
  TDXDraw DXDraw;
  TDXTimer DXTimer;
  TDXImageList ImageList;
  TDXImageList ModelList;
  TDXSpriteEngine SpriteEngine;

  // The current screen's widgets.
  TWidgets widgets{ImageList.Items, DXDraw};
  // The running match, whose start keeps it here and publishes it as globals().match.
  std::unique_ptr<TMatch> matchOwner;

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
  bool closeRequested_ = false;
};

}  // namespace mv
