#include "shell/MainForm.h"

#include <chrono>
#include <filesystem>

#include "engine/archive/BitmapFile.h"
#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"
#include "game/combatants/Player.h"
#include "game/world/BackSprite.h"
#include "game/world/Item.h"
#include "game/world/Level.h"
#include "game/world/ScrollBackGround.h"
#include "shell/FrameArithmetic.h"

namespace mv {

TMainForm::TMainForm(Platform& platform)
    : DXDraw(&platform),
      ImageList(&DXDraw),
      ModelList(&DXDraw),
      SoundList(&platform.mixer()),
      platform_(platform) {
  SpriteEngine.setDXDraw(&DXDraw);
  DXDraw.OnInitialize = [this](TDXDraw&) { DXDrawInitialize(); };
  Globals& g = state();
  g.imageList = &ImageList;
  g.modelList = &ModelList;
  g.soundList = &SoundList;
  g.spriteEngine = &SpriteEngine.engine;
  g.input = &Input;
  g.shell = this;
}

TMainForm::~TMainForm() {
  // The level's background is a sprite; the tree goes first so nothing points into freed layers.
  SpriteEngine.engine.clear();
  state().background = nullptr;
}

void TMainForm::FormCreate() {
  screenshotCooldown = 0;
  state().random.seed(fixedSeed.value_or(
      static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())));
  // Before the archives: from here on everything can report to the console.
  Console = std::make_unique<TConsol>();
  state().console = Console.get();
  if (ImageList.Items.count() == 0) ImageList.Items.loadFromFile("SYSTEM/graphics.dat");
  ModelList.Items.loadFromFile("SYSTEM/models.dat");
  SoundList.Items.loadFromFile("SYSTEM/sounds.dat");
  mirrorModels();
  state().placePickup = placeLevelPickup;
  titleFadeStep = 1;
  titleBrightness = 1;
  buildScreen(MainMenu);
}

void TMainForm::show() {
  if (!DXDraw.initialized()) DXDraw.initialize();
}

void TMainForm::DXDrawInitialize() { DXDraw.surface().canvas().setBrushClear(true); }

void TMainForm::buildScreen(ScreenState screen) {
  // The menu screens' widgets are built here once the widget toolkit exists; the main menu starts
  // from an unmoved camera.
  if (screen == MainMenu) SpriteEngine.engine.x = SpriteEngine.engine.y = 0;
  state().screenState = screen;
}

void TMainForm::DXTimerTimer(int32_t lagCount) {
  applyDisplaySize();
  if (!DXDraw.canDraw()) return;
  if (screenshotCooldown > 0) --screenshotCooldown;
  Input.update(platform_.pollDevices(), platform_.hasFocus());
  ScreenState screen = state().screenState;
  if (screen == Match || screen == PauseMenu)
    matchFrame(lagCount);
  else
    menuFrame(lagCount);
  DXDraw.flip();
  cursorFrame = stepCursorFrame(cursorFrame, lagCount);
}

void TMainForm::matchFrame(int32_t lagCount) {
  SpriteEngine.move(lagCount);
  if (Console) Console->update(lagCount);
  SpriteEngine.dead();
  Globals& g = state();
  if (g.player2)
    drawSplitView(g.player1, g.player2);
  else
    drawSingleView(g.player1);
  if (state().settings.drawFps == 1) drawText(730, 0, "FPS:" + std::to_string(DXTimer.frameRate()));
  if (state().screenState == PauseMenu) {
    drawScoreboard();
    DXDraw.surface().canvas().release();
    // The pause menu's widgets are drawn here once they exist.
    drawCursor();
  }
}

void TMainForm::menuFrame(int32_t lagCount) {
  stepTitlePulse(titleBrightness, titleFadeStep, lagCount);
  TSurface& back = DXDraw.surface();
  ImageList.Items.find("BackMenu").stretchDraw(back, {0, 0, DXDraw.Display.Width, DXDraw.Display.Height}, 0);
  SpriteEngine.draw();
  // The screen's widgets are drawn here once the widget toolkit exists.
  drawTitle();
  drawCursor();
}

void TMainForm::drawTitle() {
  TTextCanvas& canvas = DXDraw.surface().canvas();
  int windowWidth = DXDraw.width();
  canvas.setFontFixedPitch(true);
  canvas.setFontSize(50);
  canvas.setFontBold(true);
  canvas.setFontColor(colorRef(static_cast<uint8_t>(titleBrightness), 0, 0));
  canvas.textOut((windowWidth - canvas.textWidth("Mashvolt")) / 2, 0, "Mashvolt");
  canvas.setFontSize(20);
  auto b = static_cast<uint8_t>(titleBrightness);
  canvas.setFontColor(colorRef(b, b, b));
  canvas.textOut((windowWidth - canvas.textWidth("1.1")) / 2 + 150, 50, "1.1");
  canvas.release();
}

void TMainForm::drawCursor() {
  int x = 0, y = 0;
  platform_.pointerPosition(x, y);
  ImageList.Items.find("Cursor").draw(DXDraw.surface(), x, y, static_cast<int>(cursorFrame));
}

void TMainForm::drawText(int x, int y, const std::string& text) {
  TTextCanvas& canvas = DXDraw.surface().canvas();
  canvas.textOut(x, y, text);
  canvas.release();
}

void TMainForm::drawWorld(const TMan& fighter, int extraY) {
  Globals& g = state();
  TSpriteEngine& engine = SpriteEngine.engine;
  engine.x = fighter.cameraX;
  engine.y = fighter.cameraY + extraY;
  if (g.background) g.background->drawSelf();
  if (g.backLayer) g.backLayer->drawTiles();
  SpriteEngine.draw();
  if (g.frontLayer) g.frontLayer->drawTiles();
}

void TMainForm::drawSingleView(const TPlayer* player) {
  if (!player) return;
  drawWorld(*player);
  drawWeaponBar(*player);
  drawStatus(*player, 0, 0);
  if (Console) Console->draw(DXDraw.surface());
}

void TMainForm::drawSplitView(const TPlayer* first, const TPlayer* second) {
  if (!first || !second) return;
  const int w = DXDraw.Display.Width;
  const int h = DXDraw.Display.Height;
  TSurface& back = DXDraw.surface();
  // Centred in a full-height view, the fighter lands in the middle of the lower half with H/4 more.
  // Each weapon bar goes in before its view is copied, so it lands at the bottom of that half.
  drawWorld(*first, SpriteEngine.engine.height / 4);
  drawWeaponBar(*first);
  TSurface upper(w, h / 2);
  upper.fill(0);
  upper.draw(0, 0, {0, h / 2, w, h - 1}, back, false);
  drawWorld(*second, h / 4);
  drawWeaponBar(*second);
  back.draw(0, 0, {0, 1, w, h}, upper, false);
  drawStatus(*first, 0, 0);
  drawStatus(*second, 0, h / 2);
  if (Console) Console->draw(DXDraw.surface());
}

void TMainForm::saveScreenshot() { saveScreenshotRect({0, 0, DXDraw.width(), DXDraw.height()}); }

bool TMainForm::saveScreenshotRect(const TRect& rect) {
  if (screenshotCooldown > 0) return false;
  // Pictures of an earlier run stay: the numbering goes on from the first free name.
  std::error_code ec;
  while (screenshotNumber <= 999 && std::filesystem::exists(screenshotFileName(screenshotNumber), ec))
    ++screenshotNumber;
  if (screenshotNumber > 999) {
    if (!screenshotsExhaustedTold_ && Console)
      Console->addLine("Cannot save screenshot: scr001.bmp to scr999.bmp are all taken");
    screenshotsExhaustedTold_ = true;
    return false;
  }
  screenshotCooldown = 10;
  DXDraw.surface().canvas().release();
  saveBitmapFile(DXDraw.surface(), rect, screenshotFileName(screenshotNumber));
  ++screenshotNumber;
  return true;
}

void TMainForm::reportError(const std::string& message) {
  if (OnError) OnError(message);
}

void TMainForm::setDisplaySize(int width, int height) {
  // Layout reads the stored size at once; the back surface follows before the next frame is drawn.
  DXDraw.Display.Width = width;
  DXDraw.Display.Height = height;
  pendingDisplaySize_ = {width, height};
}

void TMainForm::applyDisplaySize() {
  if (!pendingDisplaySize_ || !DXDraw.initialized()) return;
  pendingDisplaySize_.reset();
  if (DXDraw.width() == DXDraw.Display.Width && DXDraw.height() == DXDraw.Display.Height) return;
  const int oldWidth = DXDraw.width(), oldHeight = DXDraw.height();
  try {
    DXDraw.reinitialize();
  } catch (...) {
    // The old mode worked: go back to it rather than be left with no display at all.
    DXDraw.Display.Width = oldWidth;
    DXDraw.Display.Height = oldHeight;
    DXDraw.initialize();
    throw;
  }
}

int32_t TMainForm::joyDeadZone(int axis) const { return joyDeadZones_[axis == 0 ? 0 : 1]; }

void TMainForm::setJoyDeadZone(int axis, int32_t value) { joyDeadZones_[axis == 0 ? 0 : 1] = value; }

void TMainForm::FormKeyDown(int key, unsigned shift) {
  ScreenState screen = state().screenState;
  if (key == 27) {
    // Leaving the pause menu and opening it join here with the pause menu's widgets.
    if (screen == PauseMenu)
      buildScreen(Match);
    else if (screen == Match)
      buildScreen(PauseMenu);
  }
  // Then the key goes to the screen's edit fields and level list once they exist.
  if (Console) Console->keyDown(static_cast<uint16_t>(key));
}

void TMainForm::FormKeyPress(uint8_t key) {
  // Characters go to the screen's edit fields once they exist.
  if (Console) Console->keyPress(key);
}

// The wheel belongs to player 1 alone, whatever screen is up.
void TMainForm::FormMouseWheelUp() {
  if (TPlayer* player = state().player1) player->command(CmdNextWeapon);
}

void TMainForm::FormMouseWheelDown() {
  if (TPlayer* player = state().player1) player->command(CmdPrevWeapon);
}

void TMainForm::DXDrawMouseDown(int x, int y) {}
void TMainForm::DXDrawMouseMove(int x, int y) {}
void TMainForm::DXDrawMouseUp(int x, int y) {}

}  // namespace mv
