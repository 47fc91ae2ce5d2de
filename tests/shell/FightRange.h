#pragma once
// A shooting range for the end-to-end fight tests: a level drawn as text ('#' solid, '^' lethal,
// '.' empty) with its objects, written into a game folder of its own whose other data are the built
// game's. The window runs on the headless platform and starts matches as the setup screen would; the
// player is driven through the bound keys and the mouse like a person.
//
// MASHVOLT_TEST_SHOTS=<folder> keeps the screenshots the tests take there, to be looked at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/archive/BitmapFile.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/combatants/Player.h"
#include "platform/HeadlessPlatform.h"
#include "shell/MainForm.h"

namespace mv {

struct RangeObject {
  std::string kind;
  int x, y;
};

// The level file of a text map: back tiles on the solid cells, so the walls show in screenshots.
inline std::string rangeLevelText(const std::vector<std::string>& rows,
                                  const std::vector<RangeObject>& objects) {
  auto cell = [](char c) { return static_cast<char>((c == '#' ? 1 : c == '^' ? 3 : 0) + 20); };
  std::string t = "Range\r\ntest range\r\nmetal\r\nmetal\r\n";
  t += std::to_string(rows.front().size()) + "\r\n" + std::to_string(rows.size()) + "\r\n";
  for (int layer = 0; layer < 2; ++layer)
    for (const std::string& row : rows) {
      for (char c : row) t += cell(c);
      t += "\r\n";
    }
  for (const std::string& row : rows) t += std::string(row.size(), static_cast<char>(20)) + "\r\n";
  for (const RangeObject& o : objects)
    t += o.kind + "\r\n" + std::to_string(o.x) + "\r\n" + std::to_string(o.y) + "\r\n";
  return t + "\r\n";
}

// 36 x 13 cells: a floor whose top is at y = 192, the right wall's face at x = 560, and a strip of
// acid on the floor from x = 432 to 496.
inline const std::vector<std::string>& rangeRows() {
  static const std::vector<std::string> rows = [] {
    std::vector<std::string> r{std::string(36, '#')};
    for (int i = 0; i < 10; ++i) r.push_back("#" + std::string(34, '.') + "#");
    r.push_back("#" + std::string(26, '.') + "^^^^" + std::string(4, '.') + "#");
    r.push_back(std::string(36, '#'));
    return r;
  }();
  return rows;
}
constexpr int kRangeFloor = 192;
constexpr int kRangeRightWall = 560;
constexpr int kRangeAcidLeft = 432;

// The respawn point, and every weapon lying where the player appears.
inline std::vector<RangeObject> armoury() {
  std::vector<RangeObject> objects{{"Respawn", 160, 130}};
  for (int w = 1; w < 8; ++w) objects.push_back({"Weapon" + std::to_string(w) + "Item", 168, 150});
  return objects;
}

// A game folder beside the built one: its data and levels linked, its Maps folder our own.
inline std::filesystem::path makeGameFolder(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("mashvolt-" + name);
  fs::remove_all(dir);
  fs::create_directories(dir / "Maps");
  for (const char* sub : {"SYSTEM", "Fonts", "Textures", "Backgrounds"})
    fs::create_directory_symlink(fs::path(MASHVOLT_GAME_DIR) / sub, dir / sub);
  for (const auto& level : fs::directory_iterator(fs::path(MASHVOLT_GAME_DIR) / "Maps"))
    fs::create_symlink(level.path(), dir / "Maps" / level.path().filename());
  return dir;
}

inline std::string testName() {
  return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// Keeps a screenshot for people to look at when MASHVOLT_TEST_SHOTS names a folder.
inline void keepScreenshot(const std::filesystem::path& bmp, const std::string& name) {
  const char* folder = std::getenv("MASHVOLT_TEST_SHOTS");
  if (!folder || !*folder || !std::filesystem::exists(bmp)) return;
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(bmp, std::filesystem::path(folder) / (name + ".bmp"),
                             std::filesystem::copy_options::overwrite_existing);
}

class FightRange : public ::testing::Test {
 protected:
  FightRange() : dir_(makeGameFolder(testName())) {
    form.state().dataFolder = dir_.string() + "/";
    form.fixedSeed = 1;
    form.OnError = [this](const std::string& message) { errors.push_back(message); };
    form.FormCreate();
    form.show();
  }
  ~FightRange() override { std::filesystem::remove_all(dir_); }

  void startOn(const std::vector<std::string>& rows, const std::vector<RangeObject>& objects) {
    std::ofstream(dir_ / "Maps" / "range.lvx", std::ios::binary) << rangeLevelText(rows, objects);
    form.startMatch({.level = "range", .bots = 0, .skill = 0, .hotseat = false});
  }

  // The player on the range with every weapon picked up, standing on the floor facing the far wall.
  TPlayer& armedOnTheRange(int ms = 16) {
    startOn(rangeRows(), armoury());
    for (int i = 0; i < 4; ++i) frame(ms);
    tap('D', ms);
    for (int i = 0; i < 10; ++i) frame(ms);
    return player();
  }

  void frame(int ms = 16) { form.DXTimerTimer(ms); }
  void hold(int key, bool down) {
    DeviceState s = platform.deviceState();
    s.keys[static_cast<size_t>(key)] = down ? 0x80 : 0;
    platform.setDeviceState(s);
  }
  // The key held through exactly one frame.
  void tap(int key, int ms = 16) {
    hold(key, true);
    frame(ms);
    hold(key, false);
  }
  void holdFire(bool down) {
    DeviceState s = platform.deviceState();
    s.mouseButtons[0] = down ? 0x80 : 0;
    platform.setDeviceState(s);
  }
  // FIRE (the left mouse button) held through one frame.
  void fireOnce(int ms = 16) {
    holdFire(true);
    frame(ms);
    holdFire(false);
  }

  TPlayer& player() { return *form.state().player1; }
  TSpriteEngine& root() { return form.SpriteEngine.engine; }

  template <typename T>
  std::vector<T*> live() {
    std::vector<T*> out;
    for (TSprite* s : root().children())
      if (auto* t = dynamic_cast<T*>(s); t && !s->killed()) out.push_back(t);
    return out;
  }

  // Where on the screen these sprites show: the box of the pixels that change when the view is drawn
  // without them. Empty when nothing of them shows.
  TRect shownArea(const std::vector<TSprite*>& sprites) {
    const TSurface& back = form.DXDraw.surface();
    form.drawSingleView(&player());
    const std::vector<uint16_t> with(back.pixels(), back.pixels() + back.width() * back.height());
    for (TSprite* s : sprites) s->visible = false;
    form.drawSingleView(&player());
    for (TSprite* s : sprites) s->visible = true;
    TRect box{back.width(), back.height(), -1, -1};
    for (int y = 0; y < back.height(); ++y)
      for (int x = 0; x < back.width(); ++x)
        if (with[static_cast<size_t>(y * back.width() + x)] != back.row(y)[x]) {
          box.Left = std::min(box.Left, x);
          box.Top = std::min(box.Top, y);
          box.Right = std::max(box.Right, x + 1);
          box.Bottom = std::max(box.Bottom, y + 1);
        }
    form.drawSingleView(&player());
    return box.Right < 0 ? TRect{} : box;
  }

  void snap(const std::string& name) {
    const std::filesystem::path bmp = dir_ / (name + ".bmp");
    saveBitmapFile(form.DXDraw.surface(), {0, 0, form.DXDraw.width(), form.DXDraw.height()}, bmp.string());
    keepScreenshot(bmp, testName() + "-" + name);
  }

  std::filesystem::path dir_;
  HeadlessPlatform platform{16};
  TMainForm form{platform};
  std::vector<std::string> errors;
};

}  // namespace mv
