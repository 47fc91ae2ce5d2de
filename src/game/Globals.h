#pragma once
// The game's program-wide state, held together in one object with one owner (the main window). Game
// code reaches it through globals(); a test installs a fresh one with GlobalsScope, so no state leaks
// from one test into the next.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "engine/draw/Geometry.h"
#include "game/world/BackSprite.h"
#include "game/Random.h"
#include "game/world/Grid.h"

namespace mv {

class TConsol;
class TMatch;
class TPlayer;
class TScrollBackGround;
class TDXImageList;
class TDXInput;
class TDXWaveList;
class TSpriteEngine;

enum ScreenState : uint8_t {
  MainMenu = 0,
  NewGame = 1,
  Credits = 3,
  Match = 4,
  PauseMenu = 5,
  MatchEnd = 6,  // the match is over: its frozen view under the end screen
  SettingsMenu = 7,  // the settings screen
  // Network play's screens, beyond the classic ones.
  NetGame = 10,
  NetHost = 11,
  NetLobby = 12,
};

// What game code needs from the shell, handed over at start-up so that game/ never includes shell/.
class ShellServices {
 public:
  virtual ~ShellServices() = default;
  virtual void saveScreenshot() = 0;
  // An error caught where it must not escape (a bound command or a bot's line inside the move pass),
  // reported as the shell reports any other.
  virtual void reportError(const std::string& message) {}
  // "screenmode": the stored display size; the back surface is made again between frames.
  virtual void setDisplaySize(int width, int height) {}
  // "joydeadx" / "joydeady": the joystick's dead zone on axis 0 (X) or 1 (Y).
  virtual int32_t joyDeadZone(int axis) const { return 0; }
  virtual void setJoyDeadZone(int axis, int32_t value) {}
  // "fullscreen" and "scaling": the display as the platform shows it.
  virtual bool fullScreen() const { return false; }
  virtual void setFullScreen(bool on) {}
  virtual int32_t scaling() const { return 0; }
  virtual void setScaling(int32_t mode) {}
};

struct Settings {
  uint8_t soundOn = 0;  // "sound"
  uint8_t drawFps = 0;  // "drawfps"
  uint8_t meatOff = 0;  // "meatoff"
  uint8_t quality = 0;  // "quality"
  int32_t msgTime = 0;  // "msgtime"
  // The master volume the mixer plays everything at, 0 .. 100 ("volume"). Not one of the rules, so
  // classic leaves it alone and it starts at full.
  int32_t volume = 100;

  // What the game adds to the classic rules (console/Additions.cpp lists their commands and defaults).
  // Zero is the classic behaviour; the main window switches them on at start-up.
  int32_t fragLimit = 0;        // "fraglimit": frags that end a match, 0 none
  int32_t timeLimit = 0;        // "timelimit": minutes that end a match, 0 none
  int32_t killFeed = 0;         // "killfeed": a line per death at the top right
  int32_t deathInfo = 0;        // "deathinfo": the killer and the respawn countdown while dead
  int32_t pickupMsg = 0;        // "pickupmsg": a notice per pick-up taken
  int32_t crosshair = 0;        // "crosshair"
  int32_t pauseStops = 0;       // "pausestops": the world stands still behind the pause menu
  int32_t menuKeys = 0;         // "menukeys": menus driven by keys and pads
  int32_t rememberChoices = 0;  // "rememberchoices": the setup screen keeps its last choices
  int32_t settingsScreen = 0;   // "settingsscreen": "Настройки" opens the settings screen
  int32_t gamePad = 0;          // "gamepad": pads drive the players and the menus without bindings
  int32_t listClick = 0;        // "listclick": a click on a level name selects it
  int32_t hotseatSound = 0;     // "hotseatsound": the nearer person sets a sound's volume in Hotseat
  int32_t fighterColors = 0;    // "fightercolors": fighters wear colours of their own
  int32_t bannerInView = 0;     // "bannerinview": announcements kept inside their view
  int32_t netPlay = 0;          // "netplay": the main menu offers "Сетевая игра"
  int32_t classic = 0;          // "classic": the last value given; 1 turned every addition off
};

struct Globals {
  // The game folder the data is read from, with a trailing separator; empty reads from the working
  // directory.
  std::string dataFolder;
  // Where the game keeps what it writes for itself (config.cfg) and the player's own copy of
  // autoexec.cfg, with a trailing separator; empty keeps them in the data folder's SYSTEM.
  std::string configFolder;
  // Where screenshots, dumps and recordings go, with a trailing separator; empty is the working folder.
  std::string outputFolder;
  ScreenState screenState = MainMenu;
  Settings settings;
  // The setup screen's last choices by its widgets' slots ("level", "edit1", "box1", ...), as
  // "setupchoice" lines set them.
  std::map<std::string, std::string> setupChoices;
  // A message is shown over the screen: the people's hands are on it, not on their fighters.
  bool dialogOpen = false;
  Random random;

  // Owned elsewhere: the console by the main window, the match by the match start, the background by
  // the sprite tree. These are references only, cleared by whoever frees the object.
  TConsol* console = nullptr;
  TMatch* match = nullptr;
  TPlayer* player1 = nullptr;
  TPlayer* player2 = nullptr;
  TScrollBackGround* background = nullptr;
  // The part of the back surface the view being drawn ends up in (a half in Hotseat); set by the shell
  // before each view's draw pass. Empty: the whole surface.
  TRect view;

  // The current level, made by loadLevel: the collision grid and the two tile layers it owns (a new
  // level releases the previous one's layers).
  Grid grid;
  std::unique_ptr<TBackSprite> backLayer;
  std::unique_ptr<TBackSprite> frontLayer;
  // Creates a level's pick-up (kind, top-left x, y) under the sprite engine root, not dropped. Set by
  // the pick-up code at start-up; while unset, loadLevel checks each pick-up's image but places nothing.
  std::function<void(const std::string& kind, int32_t x, int32_t y)> placePickup;

  // The main window's components.
  TDXImageList* imageList = nullptr;
  TDXImageList* modelList = nullptr;
  TSpriteEngine* spriteEngine = nullptr;
  TDXInput* input = nullptr;  // polled once per frame before the move pass
  TDXWaveList* soundList = nullptr;
  ShellServices* shell = nullptr;

  // Sound names found missing from the sound list, each reported once.
  std::set<std::string> missingSounds;
  // Lines that come from a recording being replayed must not create or overwrite files: "dump" and
  // "screenshot" write nothing then, and say so once.
  bool fileWritesRefused = false;
  bool fileWritesRefusalTold = false;
};

// A data file's path: `relative` ("SYSTEM\\autoexec.cfg") inside the game folder.
std::string dataPath(const std::string& relative);
// A file the game writes for itself and reads back at start-up ("config.cfg").
std::string configPath(const std::string& name);
// A file the player asked for (a screenshot, a dump): `name` in the output folder.
std::string outputPath(const std::string& name);

namespace detail {
extern Globals* currentGlobals;
}

// The current instance. There is always one: a default one exists until a scope installs another.
// Inline: the move pass asks for it in every contact test.
inline Globals& globals() { return *detail::currentGlobals; }

// Installs a fresh Globals for its lifetime and puts the previous one back afterwards.
class GlobalsScope {
 public:
  GlobalsScope();
  ~GlobalsScope();
  GlobalsScope(const GlobalsScope&) = delete;
  GlobalsScope& operator=(const GlobalsScope&) = delete;
  Globals& get() { return own_; }

 private:
  Globals own_;
  Globals* previous_;
};

}  // namespace mv
