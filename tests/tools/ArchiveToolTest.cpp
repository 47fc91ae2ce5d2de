// The archive tool: every generated archive lists, unpacks and packs back to identical bytes; an edited
// picture is packed as the edit; bad archives and manifests end in messages, and the program itself
// answers with exit codes.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "common/ArchiveListing.h"
#include "common/ArchiveManifest.h"
#include "common/ArchiveModel.h"
#include "engine/archive/ComponentStream.h"
#include "engine/archive/Picture.h"
#include "engine/archive/PictureCollection.h"
#include "platform/Error.h"

namespace mv {
namespace {

using namespace mv::tools;

namespace fs = std::filesystem;

class ScratchDir {
 public:
  ScratchDir() : path_(fs::temp_directory_path() / ("mvarc-test-" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchDir() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string readText(const fs::path& path) {
  const auto bytes = readWholeFile(path.string());
  return {bytes.begin(), bytes.end()};
}
void writeText(const fs::path& path, const std::string& text) {
  writeWholeFile(path.string(), std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

TEST(ArchiveTool, GeneratedArchivesSurviveExtractAndPackByteForByte) {
  for (const char* file : {"SYSTEM/graphics.dat", "SYSTEM/models.dat", "SYSTEM/sounds.dat"}) {
    SCOPED_TRACE(file);
    const std::vector<uint8_t> original = readWholeFile(file);
    EXPECT_EQ(writeArchive(readArchive(original)), original);
    ScratchDir dir;
    EXPECT_EQ(extractArchive(original, dir.path().string()), std::vector<std::string>{});
    EXPECT_EQ(packArchive(dir.path().string()), original);
  }
}

TEST(ArchiveTool, ListingShowsPicturesAndWaves) {
  const std::string pictures = listArchive(readArchive(readWholeFile("SYSTEM/graphics.dat")));
  EXPECT_NE(pictures.find("TPictureCollectionComponent"), std::string::npos);
  EXPECT_NE(pictures.find("Cursor"), std::string::npos);
  EXPECT_NE(pictures.find("pattern"), std::string::npos);
  const std::string sounds = listArchive(readArchive(readWholeFile("SYSTEM/sounds.dat")));
  EXPECT_NE(sounds.find("Headshot"), std::string::npos);
  EXPECT_NE(sounds.find("PCM 16-bit mono 22050 Hz"), std::string::npos);

  const TPicture sheet = contactSheet(readArchive(readWholeFile("SYSTEM/models.dat")));
  EXPECT_GE(sheet.width(), 1024);
  EXPECT_GT(sheet.height(), 0);
  EXPECT_THROW(contactSheet(readArchive(readWholeFile("SYSTEM/sounds.dat"))), Error);
}

TEST(ArchiveTool, AnEditedPictureIsPackedAsEditedAndTheRestStaysTheSame) {
  const std::vector<uint8_t> original = readWholeFile("SYSTEM/graphics.dat");
  ScratchDir dir;
  extractArchive(original, dir.path().string());
  const Archive before = readArchive(original);
  // Find the BMP of the item named "Cursor" through the manifest and paint its first pixel.
  const std::string manifest = readText(dir.path() / kManifestName);
  const size_t at = manifest.find("_Cursor.bmp");
  ASSERT_NE(at, std::string::npos);
  const std::string bmp = manifest.substr(manifest.rfind('"', at) + 1, at + 11 - manifest.rfind('"', at) - 1);
  const TPicture picture = loadPictureFile((dir.path() / bmp).string());
  std::vector<uint32_t> pixels = picture.pixels();
  pixels[0] = 0x123456;
  saveBitmapFile(TPicture(picture.width(), picture.height(), pixels), (dir.path() / bmp).string());

  const Archive after = readArchive(packArchive(dir.path().string()));
  ASSERT_EQ(after.items.size(), before.items.size());
  for (size_t i = 0; i < after.items.size(); ++i) {
    const std::string name = before.items[i].find("Name")->text;
    const auto& a = before.items[i].find("Picture.Data")->bytes;
    const auto& b = after.items[i].find("Picture.Data")->bytes;
    if (name != "Cursor") {
      EXPECT_EQ(a, b) << name;
      continue;
    }
    const TPicture packed = readPictureBlock(b);
    EXPECT_EQ(packed.pixel(0, 0) & 0xFFFFFF, 0x123456u);
    EXPECT_EQ(packed.pixel(1, 0), picture.pixel(1, 0));
  }
}

TEST(ArchiveTool, BadArchivesAndManifestsGiveMessages) {
  const std::vector<uint8_t> sounds = readWholeFile("SYSTEM/sounds.dat");
  // Every truncation of the archive is refused with an error, never read past its end.
  for (size_t size : {size_t{0}, size_t{3}, size_t{4}, size_t{30}, sounds.size() / 2, sounds.size() - 1})
    EXPECT_THROW(readArchive(std::span(sounds.data(), size)), Error) << size;

  ScratchDir dir;
  extractArchive(sounds, dir.path().string());
  const fs::path manifest = dir.path() / kManifestName;
  const std::string good = readText(manifest);
  auto packError = [&](const std::string& text) {
    writeText(manifest, text);
    try {
      packArchive(dir.path().string());
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("packed");
  };
  std::string escaping = good;
  escaping.replace(escaping.find("\"0000_Weapon0.wav\""), 18, "\"../outside.wav\"");
  EXPECT_NE(packError(escaping).find("is not a file name in the folder"), std::string::npos);
  std::string badKind = good;
  badKind.replace(badKind.find("\" int8") + 2, 4, "int9");
  EXPECT_NE(packError(badKind).find("unknown value kind 'int9'"), std::string::npos);
  std::string overflow = good;
  overflow.replace(overflow.find("int8 4"), 6, "int8 400");
  EXPECT_NE(packError(overflow).find("does not fit its tag"), std::string::npos);
  EXPECT_NE(packError(good.substr(0, good.rfind("end"))).find("no end line"), std::string::npos);
  EXPECT_NE(packError("list\nend\n").find("no class line"), std::string::npos);
  fs::remove(dir.path() / "0001_Weapon1.wav");
  EXPECT_NE(packError(good).find("Cannot open file"), std::string::npos);

  EXPECT_EQ(unquoteManifestText(quoteManifestText("A \"b\"\\\xC0\n")), "A \"b\"\\\xC0\n");
  EXPECT_THROW(unquoteManifestText("\\x4"), Error);
}

// An image archive written the way another editor might: property names in other cases, a property
// given twice, and pattern and gap sizes at the ends of their range.
std::vector<uint8_t> oddArchive(int32_t patternWidth, int32_t skipWidth, int32_t skipHeight) {
  TComponentWriter w;
  w.writeHeader("TPictureCollectionComponent");
  w.writePropertyName("list");
  w.beginCollection();
  w.beginItem();
  w.writePropertyName("NAME");
  w.writeString("first name");
  w.writePropertyName("name");
  w.writeString("Odd");
  w.writePropertyName("patternwidth");
  w.writeInteger(patternWidth);
  w.writePropertyName("SkipWidth");
  w.writeInteger(skipWidth);
  w.writePropertyName("skipheight");
  w.writeInteger(skipHeight);
  w.writePropertyName("picture.data");
  w.writeBinary(writePictureBlock(TPicture(40, 10, std::vector<uint32_t>(400, 0x102030))));
  w.endItem();
  w.endCollection();
  w.endProperties();
  w.endChildren();
  return w.take();
}

TEST(ArchiveTool, ReadsWhatTheGameReadsAndCountsPatternsAsItDoes) {
  const std::vector<uint8_t> odd = oddArchive(10, 5, 0);
  TPictureCollection game;
  game.loadFromStream(odd);
  ASSERT_EQ(game.count(), 1);
  EXPECT_EQ(game.item(0).Name, "Odd");
  EXPECT_EQ(game.item(0).patternCount(), 3);  // x = 0, 15, 30

  const Archive archive = readArchive(odd);
  ASSERT_EQ(archive.items.size(), 1u);
  EXPECT_EQ(archive.items[0].find("Name")->text, "Odd");  // the last one given, as the game takes it
  const std::string listing = listArchive(archive);
  EXPECT_NE(listing.find("Odd"), std::string::npos) << listing;
  EXPECT_NE(listing.find("pattern  10x10  x   3"), std::string::npos) << listing;
  EXPECT_EQ(gameReading(odd), "the game reads it as an image archive of 1 items");
  EXPECT_EQ(contactSheet(archive).width(), 1024);

  // The folder keeps the collection's own name, so it packs back to the same bytes.
  ScratchDir dir;
  EXPECT_EQ(extractArchive(odd, dir.path().string()), std::vector<std::string>{});
  EXPECT_EQ(packArchive(dir.path().string()), odd);

  EXPECT_EQ(gameReading(readWholeFile("SYSTEM/sounds.dat")),
            "the game reads it as a sound archive of " +
                std::to_string(readArchive(readWholeFile("SYSTEM/sounds.dat")).items.size()) + " items");
  const std::vector<uint8_t> cut(odd.begin(), odd.begin() + 40);
  EXPECT_EQ(gameReading(cut).rfind("the game refuses it: as an image archive, ", 0), 0u) << gameReading(cut);
}

TEST(ArchiveTool, HugeOrNegativePatternAndGapSizesAreCountedWithoutOverflow) {
  // Under the sanitizers an overflow here stops the test; without them the counts must still be sane.
  EXPECT_EQ(patternCountOf(100, 20, 20, 0, 5, 0), 4);  // x = 0, 25, 50, 75
  EXPECT_EQ(patternCountOf(95, 20, 20, 0, 5, 0), 4);
  EXPECT_EQ(patternCountOf(40, 40, 0, 0, 0, 0), 1);
  EXPECT_EQ(patternCountOf(64, 32, 16, 16, 0, 0), 8);
  EXPECT_EQ(patternCountOf(40, 10, INT32_MAX, 0, INT32_MAX, INT32_MAX), 0);
  EXPECT_EQ(patternCountOf(40, 10, 0, 0, INT32_MIN, 0), 0);
  EXPECT_EQ(patternCountOf(16384, 16384, 1, 1, 0, 0), 1 << 20);  // held to what an item keeps
  for (auto [pattern, skipW, skipH] : {std::tuple{INT32_MAX, INT32_MAX, INT32_MAX},
                                       {-5, INT32_MIN, INT32_MIN},
                                       {1, INT32_MAX, 0},
                                       {7, -6, -9}}) {
    SCOPED_TRACE(std::to_string(pattern) + " " + std::to_string(skipW) + " " + std::to_string(skipH));
    const Archive archive = readArchive(oddArchive(pattern, skipW, skipH));
    EXPECT_NE(listArchive(archive).find("Odd"), std::string::npos);
    EXPECT_GT(contactSheet(archive).height(), 0);
  }
}

int runTool(const std::string& args) {
  const std::string tool = std::string(MASHVOLT_GAME_DIR) + "/../tools/mvarc";
  if (!fs::exists(tool)) return -1;
  const int status = std::system((tool + " " + args + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}

TEST(ArchiveTool, ProgramAnswersWithExitCodes) {
  if (runTool("--help") == -1) GTEST_SKIP() << "mvarc is not built";
  ScratchDir dir;
  EXPECT_EQ(runTool("--help"), 0);
  EXPECT_EQ(runTool("list SYSTEM/sounds.dat"), 0);
  EXPECT_EQ(runTool("list SYSTEM/autoexec.cfg"), 1);  // not an archive
  EXPECT_EQ(runTool("list no-such-file.dat"), 1);
  EXPECT_EQ(runTool("frobnicate"), 2);
  EXPECT_EQ(runTool("extract SYSTEM/models.dat"), 2);
  const std::string out = (dir.path() / "models").string();
  EXPECT_EQ(runTool("extract SYSTEM/models.dat " + out), 0);
  EXPECT_EQ(runTool("pack " + out + " " + out + ".dat"), 0);
  EXPECT_EQ(readWholeFile(out + ".dat"), readWholeFile("SYSTEM/models.dat"));
  EXPECT_EQ(runTool("sheet SYSTEM/models.dat " + out + ".bmp"), 0);
  EXPECT_EQ(loadPictureFile(out + ".bmp").empty(), false);
}

}  // namespace
}  // namespace mv
