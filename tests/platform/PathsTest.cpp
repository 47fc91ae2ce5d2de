// Where the game finds its data and where the player's files go.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/Paths.h"

namespace mv {
namespace {
namespace fs = std::filesystem;

struct PathsTest : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("mv-paths-" + std::to_string(::getpid()));
  PathsTest() { fs::create_directories(dir); }
  ~PathsTest() override {
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir);
  }
  std::string folder(const std::string& sub) { return (dir / sub).string() + "/"; }
  void game(const std::string& sub) {
    fs::create_directories(dir / sub / "SYSTEM");
    std::ofstream(dir / sub / "SYSTEM/graphics.dat") << "x";
  }
};

TEST_F(PathsTest, DataIsFoundBesideTheProgramThenWhereTheInstallationPutIt) {
  game("build/game");
  game("usr/share/games/mashvolt");
  fs::create_directories(dir / "usr/games");
  fs::create_directories(dir / "elsewhere/bin");
  const std::string installed = "../share/games/mashvolt";
  EXPECT_EQ(findDataFolder(folder("build/game"), installed), folder("build/game"));
  EXPECT_EQ(findDataFolder(folder("usr/games"), installed), folder("usr/share/games/mashvolt"));
  // Nothing anywhere: the program's own folder, where the missing archive is then reported.
  EXPECT_EQ(findDataFolder(folder("elsewhere/bin"), installed), folder("elsewhere/bin"));
  // A SYSTEM folder without the archive is not the game's data.
  fs::create_directories(dir / "usr/games/SYSTEM");
  EXPECT_EQ(findDataFolder(folder("usr/games"), installed), folder("usr/share/games/mashvolt"));
}

TEST(Paths, UserFoldersFollowTheXdgRules) {
  struct Case {
    std::map<std::string, std::string> env;
    UserFolders expected;
  } cases[] = {
      {{{"HOME", "/home/ann"}}, {"/home/ann/.config/", "/home/ann/.local/share/"}},
      {{{"HOME", "/home/ann/"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/d/"}}, {"/cfg/", "/d/"}},
      // Relative and empty values are ignored, as the rules say.
      {{{"HOME", "/h"}, {"XDG_CONFIG_HOME", "rel"}, {"XDG_DATA_HOME", ""}},
       {"/h/.config/", "/h/.local/share/"}},
  };
  for (const Case& c : cases) {
    const UserFolders got = userFolders([&](const char* name) -> const char* {
      auto it = c.env.find(name);
      return it == c.env.end() ? nullptr : it->second.c_str();
    });
    EXPECT_EQ(got.config, c.expected.config);
    EXPECT_EQ(got.data, c.expected.data);
  }
}

TEST_F(PathsTest, WritabilityIsTriedNotReadFromThePermissionBits) {
  EXPECT_TRUE(canCreateFileIn(dir.string()));
  EXPECT_TRUE(fs::is_empty(dir));  // the trial file is gone
  EXPECT_FALSE(canCreateFileIn(folder("missing")));
  EXPECT_FALSE(canCreateFileIn("/proc"));  // not even root may make a file there
  fs::permissions(dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(canCreateFileIn(dir.string()), ::geteuid() == 0);
}

TEST(Paths, NamesArePlacedInTheFolderUnlessAbsoluteOrTheWorkingFolder) {
  EXPECT_EQ(placeIn("/out/", "scr001.bmp"), "/out/scr001.bmp");
  EXPECT_EQ(placeIn("/out", "d.txt"), "/out/d.txt");
  EXPECT_EQ(placeIn("", "d.txt"), "d.txt");
  EXPECT_EQ(placeIn("/out/", "/tmp/rec.txt"), "/tmp/rec.txt");
}

}  // namespace
}  // namespace mv
