// Every file the game reads fails with a message that names the file: missing, a folder, empty, cut
// short. The player sees which download or edit broke.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "engine/archive/Picture.h"
#include "engine/archive/PictureCollection.h"
#include "engine/sound/WaveCollection.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

struct FileErrors : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("mv-file-errors-" + std::to_string(::getpid()));
  void SetUp() override {
    fs::create_directories(dir / "folder.dat"), fs::create_directories(dir / "folder.bmp");
    // A pipe with no writer: opening it to read would wait for ever.
    ::mkfifo((dir / "pipe.dat").c_str(), 0600);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                      static_cast<std::streamsize>(bytes.size()));
    return (dir / name).string();
  }
  std::string path(const std::string& name) const { return (dir / name).string(); }
};

template <typename F>
std::string errorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

TEST_F(FileErrors, ArchivesNameTheFileInEveryError) {
  TPictureCollection c;
  auto load = [&](const std::string& p) { return errorOf([&] { c.loadFromFile(p); }); };
  EXPECT_EQ(load(path("missing.dat")), "Cannot open file " + path("missing.dat"));
  EXPECT_EQ(load(path("folder.dat")), "Cannot open file " + path("folder.dat"));
  const std::string empty = write("empty.dat", {});
  EXPECT_EQ(load(empty), "Invalid stream format in " + empty);
  // The real archive cut in half.
  std::vector<uint8_t> whole = readWholeFile("SYSTEM/graphics.dat");
  ASSERT_GT(whole.size(), 1000u);
  whole.resize(whole.size() / 2);
  const std::string cut = write("cut.dat", whole);
  EXPECT_EQ(load(cut), "Stream read error in " + cut);
  EXPECT_EQ(load(path("pipe.dat")), "Cannot open file " + path("pipe.dat"));
}

TEST_F(FileErrors, SoundArchivesNameTheFileInEveryError) {
  TWaveCollection c;
  auto load = [&](const std::string& p) { return errorOf([&] { c.loadFromFile(p); }); };
  EXPECT_EQ(load(path("missing.dat")), "Cannot open file " + path("missing.dat"));
  EXPECT_EQ(load(path("folder.dat")), "Cannot open file " + path("folder.dat"));
  EXPECT_EQ(load(path("pipe.dat")), "Cannot open file " + path("pipe.dat"));
  const std::string empty = write("empty.dat", {});
  EXPECT_EQ(load(empty), "Invalid stream format in " + empty);
  std::vector<uint8_t> whole = readWholeFile("SYSTEM/sounds.dat");
  ASSERT_GT(whole.size(), 1000u);
  whole.resize(whole.size() / 2);
  const std::string cut = write("cut.dat", whole);
  EXPECT_EQ(load(cut), "Stream read error in " + cut);
}

TEST_F(FileErrors, APictureBeyondItsLimitIsRefusedBeforeItIsRead) {
  // Sparse: as large as it says, without the disk. The other kinds are tried with the real program.
  std::ofstream(dir / "sheet.bmp").close();
  fs::resize_file(dir / "sheet.bmp", kPictureFileLimit + 1);
  EXPECT_EQ(errorOf([&] { loadPictureFile(path("sheet.bmp")); }), "File too large: " + path("sheet.bmp"));
}

TEST_F(FileErrors, ADeviceIsNoFile) {
  // It would never end: the reader takes plain files only.
  EXPECT_EQ(errorOf([] { readWholeFile("/dev/zero"); }), "Cannot open file /dev/zero");
}

TEST_F(FileErrors, PictureFilesNameTheFileInEveryError) {
  auto load = [&](const std::string& p) { return errorOf([&] { loadPictureFile(p); }); };
  EXPECT_EQ(load(path("missing.bmp")), "Cannot open file " + path("missing.bmp"));
  EXPECT_EQ(load(path("folder.bmp")), "Cannot open file " + path("folder.bmp"));
  const std::string empty = write("empty.bmp", {});
  EXPECT_EQ(load(empty), "Stream read error in " + empty);
  const std::string cut = write("cut.bmp", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0});
  EXPECT_EQ(load(cut), "Stream read error in " + cut);
  const std::string jpeg = write("cut.jpg", {0xFF, 0xD8, 0xFF});
  EXPECT_NE(load(jpeg).find(" in " + jpeg), std::string::npos);
}

}  // namespace
}  // namespace mv
