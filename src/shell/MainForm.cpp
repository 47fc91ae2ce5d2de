#include "shell/MainForm.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "engine/archive/BitmapFile.h"
#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"
#include "game/combatants/Player.h"
#include "game/console/Additions.h"
#include "game/console/OptionCommands.h"
#include "game/world/BackSprite.h"
#include "game/world/Backdrop.h"
#include "game/world/Item.h"
#include "game/world/Level.h"
#include "game/world/ScrollBackGround.h"
#include "game/Version.h"
#include "platform/Cp1251.h"
#include "platform/Mixer.h"
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
  net.reset();
  // The match clears the players of this window's globals, which go before the members do.
  matchOwner.reset();
  // The level's background is a sprite; the tree goes first so nothing points into freed layers.
  SpriteEngine.engine.clear();
  state().background = nullptr;
}

void TMainForm::FormCreate() {
  screenshotCooldown = 0;
  setClassic(state().settings, false);
  state().random.seed(fixedSeed.value_or(
      static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())));
  // Before the archives: from here on everything can report to the console.
  Console = std::make_unique<TConsol>();
  state().console = Console.get();
  ImageList.Items.PictureSources = ModelList.Items.PictureSources = SourceData::Drop;
  if (ImageList.Items.count() == 0) ImageList.Items.loadFromFile(dataPath("SYSTEM/graphics.dat"));
  ModelList.Items.loadFromFile(dataPath("SYSTEM/models.dat"));
  SoundList.Items.loadFromFile(dataPath("SYSTEM/sounds.dat"));
  mirrorModels();
  state().placePickup = placeLevelPickup;
  titleFadeStep = 1;
  titleBrightness = 1;
  widgets.mapsFolder = dataPath("Maps");
  dialog.setDisplaySize(DXDraw.Display.Width, DXDraw.Display.Height);
  // What the player set in the settings screen last time; the lines for a player wait for a match.
  config.load();
  config.run(*Console);
  applyVolume();
  buildScreen(MainMenu);
}

void TMainForm::show() {
  if (!DXDraw.initialized()) DXDraw.initialize();
}

void TMainForm::DXDrawInitialize() { DXDraw.surface().canvas().setBrushClear(true); }

void TMainForm::DXTimerTimer(int32_t lagCount) {
  applyDisplaySize();
  if (!DXDraw.canDraw()) return;
  retiredSettings_.reset();
  phases_.start();
  if (screenshotCooldown > 0) --screenshotCooldown;
  Input.update(platform_.pollDevices(), platform_.hasFocus());
  // A pad button that a waiting binding takes is not also a press in the menu.
  const bool binding = settingsScreen && settingsScreen->capturing();
  if (settingsScreen) settingsScreen->frame(Input);
  const std::vector<PadButton> presses = padKeys_.poll(Input.Pads, lagCount);
  if (!binding)
    for (PadButton button : presses) padButton(button);
  state().dialogOpen = dialog.open();
  ScreenState screen = state().screenState;
  // A network match's tick is carried out from its bundle, with this frame's input going out ahead.
  if (net && worldRuns()) net->beforeMove();
  // A pause that stops the world holds its sounds where they are too.
  platform_.mixer().setPaused(screen == PauseMenu && !worldRuns());
  if (screen == Match || screen == PauseMenu || screen == MatchEnd)
    matchFrame(lagCount);
  else
    menuFrame(lagCount);
  phases_.drawn();
  DXDraw.flip();
  phases_.presented();
  cursorFrame = stepCursorFrame(cursorFrame, lagCount);
  updateMouseCapture();
  swallowChar_ = 0;
}

void TMainForm::updateMouseCapture() {
  const bool capture = state().screenState == Match && !dialog.open();
  if (capture == mouseCaptured_) return;
  mouseCaptured_ = capture;
  platform_.setMouseCaptured(capture);
}

void TMainForm::showMessage(const std::string& text) {
  dialog.show(text);
  if (Console && (Console->lines.empty() || Console->lines.back() != text)) Console->addLine(text);
}

void TMainForm::tellPlayer(const std::string& text) {
  if (!DXDraw.initialized()) return reportError(text);  // before the display: the system's box
  std::fprintf(stderr, "Mashvolt: %s\n", cp1251ToUtf8(text).c_str());
  showMessage(text);
}

bool TMainForm::saveConfig() {
  if (config.save()) return true;
  showMessage(format("Cannot create file %s", config.path().c_str()));
  return false;
}

bool TMainForm::worldRuns() const {
  const Globals& g = globals();
  // A network match's world is every machine's: one person's pause stops nobody's.
  const bool pauseStops = g.settings.pauseStops && !(net && net->inMatch());
  return g.screenState == Match || (g.screenState == PauseMenu && !pauseStops);
}

void TMainForm::matchFrame(int32_t lagCount) {
  bool ended = false;
  if (worldRuns()) {
    SpriteEngine.move(lagCount);
    ended = afterMovePass(lagCount);
    if (Console) Console->update(lagCount);
  } else if (Console) {
    // The console still opens and shuts over a stopped world, but its chat lines wait with it.
    Console->slide(lagCount);
  }
  SpriteEngine.dead();
  if (ended) endMatch();
  phases_.moved();
  Globals& g = state();
  if (g.player2)
    drawSplitView(g.player1, g.player2);
  else
    drawSingleView(g.player1);
  if (state().settings.drawFps == 1) drawText(730, 0, "FPS:" + std::to_string(DXTimer.frameRate()));
  if (state().screenState == PauseMenu) drawScoreboard();
  if (state().screenState == MatchEnd) drawEndScreen();
  if (state().screenState == PauseMenu || state().screenState == MatchEnd) {
    DXDraw.surface().canvas().release();
    widgets.drawWidgets(DXDraw.surface());
  }
  // A message over the match needs the pointer to reach its button.
  dialog.draw(DXDraw.surface());
  if (state().screenState == PauseMenu || state().screenState == MatchEnd || dialog.open()) drawCursor();
}

bool TMainForm::afterMovePass(int32_t lagCount) {
  Globals& g = state();
  if (!g.match) return false;
  matchFeed.take(g.match->events.take(), {g.player1, g.player2});
  matchFeed.update(lagCount, g.settings.msgTime);
  return g.match->rules.afterMovePass(*g.match, lagCount, g.settings.fragLimit, g.settings.timeLimit);
}

void TMainForm::menuFrame(int32_t lagCount) {
  // "netplay" (or "classic") changed while the main menu is up: it shows the change at once.
  if (state().screenState == MainMenu && menuOffersNetPlay_ != (state().settings.netPlay != 0)) {
    tearDownScreen();
    buildScreen(MainMenu);
  }
  stepTitlePulse(titleBrightness, titleFadeStep, lagCount);
  phases_.moved();
  TSurface& back = DXDraw.surface();
  ImageList.Items.find("BackMenu").stretchDraw(back, {0, 0, DXDraw.Display.Width, DXDraw.Display.Height}, 0);
  SpriteEngine.draw();
  widgets.drawWidgets(back);
  drawTitle();
  dialog.draw(back);
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
  canvas.textOut((windowWidth - canvas.textWidth(kVersion)) / 2 + 150, 58, kVersion);
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
  // A split view keeps the lower half of what it draws (less its edge rows).
  const int w = DXDraw.Display.Width, h = DXDraw.Display.Height;
  g.view = extraY == 0 ? TRect{0, 0, w, h} : TRect{0, h / 2 + 1, w, h - 1};
  engine.x = fighter.cameraX;
  engine.y = fighter.cameraY + extraY;
  drawBackdrop(g.background, g.backLayer.get());
  SpriteEngine.draw();
  if (g.frontLayer) g.frontLayer->drawTiles();
}

void TMainForm::drawViewOverlays(const TMan& player) {
  const Settings& settings = state().settings;
  if (settings.crosshair) drawCrosshair(player);
  drawWeaponBar(player);
  if (settings.pickupMsg) drawPickupNotice(player);
}

void TMainForm::drawSingleView(const TPlayer* player) {
  if (!player) return;
  const Settings& settings = state().settings;
  drawWorld(*player);
  drawViewOverlays(*player);
  drawStatus(*player, 0, 0);
  drawTimeLeft(0);
  if (settings.deathInfo) drawDeathNotice(*player, 0, DXDraw.Display.Height);
  if (settings.killFeed) drawKillFeed();
  if (Console) Console->draw(DXDraw.surface());
}

void TMainForm::drawSplitView(const TPlayer* first, const TPlayer* second) {
  if (!first || !second) return;
  const int w = DXDraw.Display.Width;
  const int h = DXDraw.Display.Height;
  TSurface& back = DXDraw.surface();
  // Centred in a full-height view, the fighter lands in the middle of the lower half with H/4 more.
  // Each weapon bar goes in before its view is copied, so it lands at the bottom of that half.
  const Settings& settings = state().settings;
  drawWorld(*first, SpriteEngine.engine.height / 4);
  drawViewOverlays(*first);
  TSurface upper(w, h / 2);
  upper.fill(0);
  upper.draw(0, 0, {0, h / 2, w, h - 1}, back, false);
  drawWorld(*second, h / 4);
  drawViewOverlays(*second);
  back.draw(0, 0, {0, 1, w, h}, upper, false);
  drawStatus(*first, 0, 0);
  drawStatus(*second, 0, h / 2);
  for (int top : {0, h / 2}) drawTimeLeft(top);
  if (settings.deathInfo) {
    drawDeathNotice(*first, 0, h / 2);
    drawDeathNotice(*second, h / 2, h / 2);
  }
  if (settings.killFeed) drawKillFeed();
  if (Console) Console->draw(DXDraw.surface());
}

void TMainForm::saveScreenshot() { saveScreenshotRect({0, 0, DXDraw.width(), DXDraw.height()}); }

bool TMainForm::saveScreenshotRect(const TRect& rect) {
  if (screenshotCooldown > 0) return false;
  // Pictures of an earlier run stay: the numbering goes on from the first free name.
  std::error_code ec;
  while (screenshotNumber <= 999 &&
         std::filesystem::exists(outputPath(screenshotFileName(screenshotNumber)), ec))
    ++screenshotNumber;
  if (screenshotNumber > 999) {
    if (!screenshotsExhaustedTold_ && Console)
      Console->addLine("Cannot save screenshot: scr001.bmp to scr999.bmp are all taken");
    screenshotsExhaustedTold_ = true;
    return false;
  }
  screenshotCooldown = 10;
  DXDraw.surface().canvas().release();
  saveBitmapFile(DXDraw.surface(), rect, outputPath(screenshotFileName(screenshotNumber)));
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
  dialog.setDisplaySize(width, height);
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

int32_t TMainForm::joyDeadZone(int axis) const {
  return axis == 0 ? Input.Joystick.DeadZoneX() : Input.Joystick.DeadZoneY();
}

void TMainForm::setJoyDeadZone(int axis, int32_t value) {
  if (axis == 0)
    Input.Joystick.setDeadZoneX(value);
  else
    Input.Joystick.setDeadZoneY(value);
}

}  // namespace mv
