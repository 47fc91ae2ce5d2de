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
#include "engine/input/DXInput.h"
#include "engine/sound/DXWaveList.h"
#include "engine/sprite/DXSpriteEngine.h"
#include "engine/DXTimer.h"
#include "game/console/Config.h"
#include "game/console/Console.h"
#include "game/Globals.h"
#include "game/world/Match.h"
#include "platform/Platform.h"
#include "shell/MatchFeed.h"
#include "shell/MatchStart.h"
#include "shell/PadKeys.h"
#include "shell/RunStats.h"
#include "shell/net/NetPlay.h"
#include "shell/screens/Dialog.h"
#include "shell/screens/SettingsScreen.h"
#include "shell/widgets/Widgets.h"

namespace mv {

class TMan;
class TPlayer;
class TSurface;

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
  // buttons: the ShiftState bit of the button pressed. The screens do not tell buttons apart; a key
  // binding waiting for its key does.
  void DXDrawMouseDown(int x, int y, unsigned buttons = ssLeft);
  void DXDrawMouseMove(int x, int y);
  void DXDrawMouseUp(int x, int y);
  // A pad button pressed (or repeated while held) for the menus: the d-pad and the left stick are the
  // arrow keys, A is Enter, B is Esc, the shoulders Tab, and Start pauses.
  void padButton(PadButton button);

  // Text on the back surface with the canvas's current font, then the canvas is released.
  void drawText(int x, int y, const std::string& text);
  // The level as seen from a fighter's camera: background, back tile layer, sprites, front tile layer.
  void drawWorld(const TMan& fighter, int extraY = 0);
  void drawSingleView(const TPlayer* player);
  // Hotseat: the first player's view in the upper half, the second's in the lower half.
  void drawSplitView(const TPlayer* first, const TPlayer* second);
  // Over a person's own view, before it is copied: the crosshair, the weapon bar, the pick-up notice.
  void drawViewOverlays(const TMan& player);

  // The heads-up display (Hud.cpp): the weapon bar at the bottom of a view, the status block at its
  // top-left, and the frag table over the pause menu.
  void drawWeaponBar(const TMan& player);
  void drawStatus(const TMan& player, int x, int y);
  void drawScoreboard();

  // What the game adds to the views (MatchHud.cpp), each drawn only while its setting is on.
  void drawCrosshair(const TMan& player);
  void drawPickupNotice(const TMan& player);
  void drawTimeLeft(int top);
  void drawDeathNotice(const TMan& player, int top, int height);
  void drawKillFeed();

  void saveScreenshot() override;
  // False when nothing was saved (cooldown, or no free number left).
  bool saveScreenshotRect(const TRect& rect);
  void reportError(const std::string& message) override;
  void setDisplaySize(int width, int height) override;
  int32_t joyDeadZone(int axis) const override;
  void setJoyDeadZone(int axis, int32_t value) override;
  bool fullScreen() const override { return platform_.fullScreen(); }
  void setFullScreen(bool on) override { platform_.setFullScreen(on); }
  int32_t scaling() const override { return static_cast<int32_t>(platform_.scaling()); }
  void setScaling(int32_t mode) override { platform_.setScaling(static_cast<Scaling>(mode)); }

  // A message in the game's own dialog over the current screen, and in the console.
  void showMessage(const std::string& text);
  // The answer to something the player just did (a join refused, a network match over): shown every
  // time it happens, unlike an error, which is shown once however often it recurs.
  void tellPlayer(const std::string& text);
  // Writes config.cfg; a failure is shown like any other error. False when it was not written.
  bool saveConfig();
  Platform& platform() { return platform_; }

  // exit / quit asked for; the loop ends after the current frame or event.
  bool quitRequested() const { return Console && Console->quitRequested(); }

  // The screens (Screens.cpp). Building appends the screen's widgets and then sets the state;
  // showScreen tears the current screen down first, and leaving a match destroys it.
  void buildScreen(ScreenState state);
  void tearDownScreen();
  void showScreen(ScreenState state);
  void resumeMatch();
  void returnToMainMenu();
  // The network screens (NetScreens.cpp): host or join, the host's match, the lobby.
  void buildNetScreen(ScreenState state);
  // The setup screen's choices go to config.cfg when it is left, and come back when it is built
  // (SetupChoices.cpp); both only with rememberchoices on.
  void rememberSetupChoices();
  void restoreSetupChoices();
  // The end of a match (EndScreen.cpp): the world stops, its sounds too, and the end screen comes up.
  void endMatch();
  void drawEndScreen();
  // The exit button: the program ends once the current event has been handled.
  void close() { closeRequested_ = true; }
  bool closeRequested() const { return closeRequested_; }

  // The match running (or last run) is a network match.
  bool networkMatch() const { return !lastSetup_.people.empty(); }
  // Match start: builds the match from a setup and enters it (MatchStart.cpp).
  void startMatch(const MatchSetup& setup);
  // A match whose level failed to load: everything of it goes and the setup screen comes back.
  void abandonMatch();

  // Network play (NetScreens.cpp). Hosting and joining report a network that cannot be had and return
  // false; otherwise the lobby is shown.
  bool hostGame(const HostOptions& options);
  bool joinGame(const std::string& host, uint16_t port, const std::string& name);
  // Between frames: its traffic, and what that changes on the screen. A network play the network ended
  // is closed with its message reported; true then.
  bool serviceNetPlay(uint32_t waitMs);
  // Goodbye to the other machines; a lobby goes back to the network screen (a match is left by whoever
  // called).
  void closeNetPlay();
  // What the setup screen's start button calls; a test may put a double here.
  std::function<void(const MatchSetup&)> matchStarter = [this](const MatchSetup& setup) { startMatch(setup); };

  Globals& state() { return globals_.get(); }

  // Components, as the window's stored layout holds them.
  TDXDraw DXDraw;
  TDXTimer DXTimer;
  TDXImageList ImageList;
  TDXImageList ModelList;
  TDXWaveList SoundList;  // on the platform's mixer, which stands for the sound device
  TDXSpriteEngine SpriteEngine;
  TDXInput Input;

  // The current screen's widgets, and the message shown over them.
  TWidgets widgets{ImageList.Items, DXDraw};
  TDialog dialog;
  // The settings screen while it is up.
  std::unique_ptr<TSettingsScreen> settingsScreen;
  // config.cfg, read at start-up.
  TConfig config;
  // The running match, whose start keeps it here and publishes it as globals().match.
  std::unique_ptr<TMatch> matchOwner;
  MatchSetup lastSetup_;  // what the last match was started with
  // The kill feed and the people's notices of the running match.
  MatchFeed matchFeed;

  // Shell state.
  int32_t titleBrightness = 1;
  int32_t titleFadeStep = 1;
  double cursorFrame = 0;
  int32_t screenshotCooldown = 0;
  int32_t screenshotNumber = 1;
  // Set before FormCreate for a repeatable run; otherwise the generator is seeded from the clock.
  std::optional<uint32_t> fixedSeed;
  // The console, made in FormCreate and kept for the whole run.
  std::unique_ptr<TConsol> Console;
  // Where errors caught inside the game go (the loop's reporter); unset, they are only in the console.
  std::function<void(const std::string&)> OnError;
  // Network play while it lasts: the lobby, then the match.
  std::unique_ptr<NetPlay> net;
  // Where a network play being recorded writes its lines (the loop's recorder).
  std::function<void(const std::string& words)> recordNet;
  // What the network screen was last given.
  std::string netName, netAddress = "127.0.0.1";
  // How long the last frame's move pass, drawing and presentation took (--stats-every).
  const FramePhases& lastPhases() const { return phases_.last(); }

 private:
  void menuFrame(int32_t lagCount);
  void matchFrame(int32_t lagCount);
  // Whether the match's world moves this frame: not behind a pause menu that stops it, not once over.
  bool worldRuns() const;
  // After the move pass: its events to the feed, the match's clock and limits. True when it ended.
  bool afterMovePass(int32_t lagCount);
  size_t personOf(const TMan& player) const;
  void buildEndScreen();
  // The setup screen's limit fields, when it has them: the frag limit's and the time limit's.
  void addLimitFields();
  void drawTitle();
  void drawCursor();
  void applyDisplaySize();
  bool beginNetPlay(const std::function<std::unique_ptr<NetPlay>()>& make);
  // Keys for the screens, typed (which the console also gets) or from a pad (which it does not).
  void screenKeyDown(int key, unsigned shift, bool typed);
  // The mouse is captured for aiming only while a match is played, with no menu or message over it.
  void updateMouseCapture();

  Platform& platform_;
  PhaseClock phases_;
  std::optional<std::pair<int, int>> pendingDisplaySize_;
  // The joystick's dead zones until the input component holds them.
  bool screenshotsExhaustedTold_ = false;
  GlobalsScope globals_;
  bool closeRequested_ = false;
  std::vector<std::string> lobbyShown_;  // the names the lobby screen was built with
  bool menuOffersNetPlay_ = false;       // the main menu was built with "Сетевая игра"
  // The character a key sends after itself, when the key went to a dialog or a binding; -1 any.
  int swallowChar_ = 0;
  TPadKeys padKeys_;
  bool mouseCaptured_ = false;
  // A settings screen left goes only after the event that left it has finished.
  std::unique_ptr<TSettingsScreen> retiredSettings_;
};

}  // namespace mv
