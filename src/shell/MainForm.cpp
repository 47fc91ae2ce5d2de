#include "shell/MainForm.h"

#include <chrono>

#include "engine/archive/BitmapFile.h"
#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"
#include "game/world/BackSprite.h"
#include "game/world/Level.h"
#include "game/world/ScrollBackGround.h"
#include "shell/FrameArithmetic.h"

namespace mv {

TMainForm::TMainForm(Platform& platform)
    : DXDraw(&platform), ImageList(&DXDraw), ModelList(&DXDraw), platform_(platform) {
  SpriteEngine.setDXDraw(&DXDraw);
  DXDraw.OnInitialize = [this](TDXDraw&) { DXDrawInitialize(); };
  Globals& g = state();
  g.imageList = &ImageList;
  g.modelList = &ModelList;
  g.spriteEngine = &SpriteEngine.engine;
  g.shell = this;
}

TMainForm::~TMainForm() {
  // The match clears the players of this window's globals, which go before the members do.
  matchOwner.reset();
  // The level's background is a sprite; the tree goes first so nothing points into freed layers.
  SpriteEngine.engine.clear();
  state().background = nullptr;
}

void TMainForm::FormCreate() {
  screenshotCooldown = 0;
  state().random.seed(fixedSeed.value_or(
      static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())));
  // The console joins here, before the archives, once it exists.
  if (ImageList.Items.count() == 0) ImageList.Items.loadFromFile("SYSTEM/graphics.dat");
  ModelList.Items.loadFromFile("SYSTEM/models.dat");
  // The sound archive loads here once the sound list exists.
  mirrorModels();
  titleFadeStep = 1;
  titleBrightness = 1;
  buildScreen(MainMenu);
}

void TMainForm::show() {
  if (!DXDraw.initialized()) DXDraw.initialize();
}

void TMainForm::DXDrawInitialize() { DXDraw.surface().canvas().setBrushClear(true); }

void TMainForm::DXTimerTimer(int32_t lagCount) {
  if (!DXDraw.canDraw()) return;
  if (screenshotCooldown > 0) --screenshotCooldown;
  devices = platform_.pollDevices();
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
  // The console's update runs here once the console exists.
  SpriteEngine.dead();
  // The views follow the human fighters' cameras once fighters exist; until then a match has none.
  drawSingleView(nullptr);
  if (state().settings.drawFps == 1) drawText(730, 0, "FPS:" + std::to_string(DXTimer.frameRate()));
  if (state().screenState == PauseMenu) {
    // The frag table is drawn here, under the widgets, once it exists.
    DXDraw.surface().canvas().release();
    widgets.drawWidgets(DXDraw.surface());
    drawCursor();
  }
}

void TMainForm::menuFrame(int32_t lagCount) {
  stepTitlePulse(titleBrightness, titleFadeStep, lagCount);
  TSurface& back = DXDraw.surface();
  ImageList.Items.find("BackMenu").stretchDraw(back, {0, 0, DXDraw.Display.Width, DXDraw.Display.Height}, 0);
  SpriteEngine.draw();
  widgets.drawWidgets(back);
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
  // Meant to sit just under the title's baseline. The shipped face's glyphs stand lower in their cell
  // than the layout's first face did, so at 50 the digits ran into the foot of the title's "t".
  canvas.textOut((windowWidth - canvas.textWidth("1.1")) / 2 + 150, 58, "1.1");
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

void TMainForm::drawWorld(const ViewCamera& camera, int extraY) {
  Globals& g = state();
  TSpriteEngine& engine = SpriteEngine.engine;
  engine.x = camera.cameraX;
  engine.y = camera.cameraY + extraY;
  if (g.background) g.background->drawSelf();
  if (g.backLayer) g.backLayer->drawTiles();
  SpriteEngine.draw();
  if (g.frontLayer) g.frontLayer->drawTiles();
}

void TMainForm::drawSingleView(const ViewCamera* view) {
  if (!view) return;
  drawWorld(*view);
  // The weapon bar, the status block and the console follow here once they exist.
}

void TMainForm::drawSplitView(const ViewCamera* first, const ViewCamera* second) {
  if (!first || !second) return;
  const int w = DXDraw.Display.Width;
  const int h = DXDraw.Display.Height;
  TSurface& back = DXDraw.surface();
  // Centred in a full-height view, the fighter lands in the middle of the lower half with H/4 more.
  drawWorld(*first, SpriteEngine.engine.height / 4);
  TSurface upper(w, h / 2);
  upper.fill(0);
  upper.draw(0, 0, {0, h / 2, w, h - 1}, back, false);
  drawWorld(*second, h / 4);
  back.draw(0, 0, {0, 1, w, h}, upper, false);
  // The status blocks and the console follow here once they exist.
}

void TMainForm::saveScreenshot() { saveScreenshotRect({0, 0, DXDraw.width(), DXDraw.height()}); }

void TMainForm::saveScreenshotRect(const TRect& rect) {
  if (screenshotNumber > 999 || screenshotCooldown > 0) return;
  screenshotCooldown = 10;
  DXDraw.surface().canvas().release();
  saveBitmapFile(DXDraw.surface(), rect, screenshotFileName(screenshotNumber));
  ++screenshotNumber;
}

void TMainForm::FormKeyDown(int key, unsigned shift) {
  ScreenState screen = state().screenState;
  if (key == 27) {
    if (screen == PauseMenu)
      resumeMatch();
    else if (screen == Match)
      buildScreen(PauseMenu);
  }
  widgets.widgetsKey(0, 0, KeyKind::KeyDown, shift, 0, key);
  // Then the key goes to the console.
}

void TMainForm::FormKeyPress(uint8_t key) {
  widgets.widgetsKey(0, 0, KeyKind::Character, 0, key, 13);
  // Then the character goes to the console.
}

void TMainForm::FormMouseWheelUp() {
  // Fighter command 5 (next weapon) for player 1, once fighters exist.
}

void TMainForm::FormMouseWheelDown() {
  // Fighter command 6 (previous weapon) for player 1, once fighters exist.
}

// The mouse buttons are not told apart: every one is the one button.
void TMainForm::DXDrawMouseDown(int x, int y) { widgets.widgetsMouse(x, y, MouseKind::Down); }
void TMainForm::DXDrawMouseMove(int x, int y) {
  widgets.widgetsMouse(x, y, MouseKind::Move);
  widgets.widgetsKey(x, y, KeyKind::Hover, 0, 0, 13);
}
void TMainForm::DXDrawMouseUp(int x, int y) { widgets.widgetsMouse(x, y, MouseKind::Up); }

}  // namespace mv
