// The folders a run reads and writes, chosen at start-up: an installed game that cannot write its data
// folder or the working folder puts the player's files in their home.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/Cp1251.h"
#include "shell/GameFolders.h"

namespace mv {
namespace {
namespace fs = std::filesystem;

struct GameFoldersTest : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("mv-folders-" + std::to_string(::getpid()));
  std::string data = (dir / "data").string() + "/";
  UserFolders user{(dir / "home/.config").string() + "/", (dir / "home/.local/share").string() + "/"};
  std::string config = user.config + "mashvolt/", output = user.data + "mashvolt/";
  // Root writes anywhere, so a read-only folder is one this check refuses.
  std::set<std::string> readOnly;
  WritableCheck writable = [this](const std::string& folder) {
    return !readOnly.count(folder) && canCreateFileIn(folder);
  };

  fs::path oldWorkingFolder = fs::current_path();

  GameFoldersTest() {
    fs::create_directories(dir / "data/SYSTEM");
    fs::create_directories(dir / "work");
    fs::current_path(dir / "work");  // the trial of the working folder happens here
    std::ofstream(dir / "data/SYSTEM/autoexec.cfg") << "name Shipped\r\n";
  }
  ~GameFoldersTest() override {
    fs::current_path(oldWorkingFolder);
    fs::remove_all(dir);
  }
  std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

TEST_F(GameFoldersTest, OnlyAFolderThatCannotBeWrittenSendsItsFilesHome) {
  struct Case {
    bool dataWritable, workWritable;
    std::string config, output;
    size_t notices;
  } cases[] = {
      {true, true, "", "", 0},  // the build's game folder: everything as it always was
      {false, true, config, "", 1},
      {true, false, "", output, 1},
      {false, false, config, output, 2},
  };
  for (const Case& c : cases) {
    fs::remove_all(dir / "home");
    readOnly.clear();
    if (!c.dataWritable) readOnly.insert(data + "SYSTEM");
    if (!c.workWritable) readOnly.insert(".");
    const GameFolders folders = setUpGameFolders(data, user, writable);
    EXPECT_EQ(folders.data, data);
    EXPECT_EQ(folders.config, c.config);
    EXPECT_EQ(folders.output, c.output);
    ASSERT_EQ(folders.notices.size(), c.notices);
    if (!c.dataWritable) {
      EXPECT_EQ(folders.notices[0],
                utf8ToCp1251("Папка игры только для чтения: autoexec.cfg и настройки хранятся в ") + config);
      EXPECT_EQ(read(config + "autoexec.cfg"), "name Shipped\r\n");
    }
    EXPECT_EQ(fs::exists(output), !c.workWritable);
    EXPECT_EQ(fs::exists(dir / "home/.config"), !c.dataWritable);  // nothing made that is not needed
  }
  // Nothing was written beside the data.
  EXPECT_EQ(std::distance(fs::recursive_directory_iterator(dir / "data"), {}), 2);
}

TEST_F(GameFoldersTest, ThePlayersCopyOfAutoexecIsMadeOnceAndThenKept) {
  readOnly.insert(data + "SYSTEM");
  setUpGameFolders(data, user, writable);
  std::ofstream(config + "autoexec.cfg", std::ios::app) << "name Mine\r\n";
  setUpGameFolders(data, user, writable);
  EXPECT_EQ(read(config + "autoexec.cfg"), "name Shipped\r\nname Mine\r\n");
  // A recording made from a read-only working folder is found again where it went.
  readOnly.insert(".");
  const GameFolders folders = setUpGameFolders(data, user, writable);
  std::ofstream(output + "run.txt") << "recording";
  EXPECT_EQ(earlierOutput(folders, "run.txt"), output + "run.txt");
  std::ofstream("here.txt") << "recording";
  EXPECT_EQ(earlierOutput(folders, "here.txt"), "here.txt");
  // A home that cannot be written leaves the files where they were.
  readOnly.insert(config);
  EXPECT_EQ(setUpGameFolders(data, user, writable).config, "");
}

}  // namespace
}  // namespace mv
