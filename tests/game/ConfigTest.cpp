// config.cfg (what the settings screen keeps), the program's own settings, and the game's files found
// whatever the case of their names.
#include <filesystem>
#include <fstream>

#include "ConsoleFixture.h"
#include "game/console/Additions.h"
#include "game/console/Config.h"
#include "game/console/ScriptFiles.h"

namespace mv {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string kHeader =
    "# Mashvolt: what the settings screen changed, run after autoexec.cfg at every match start.\r\n";

struct ConfigFile : ConsoleFixture {
  TempFolder folder{"mashvolt-config"};
  std::string read(const fs::path& name) {
    std::ifstream in(folder.dir / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void write(const fs::path& name, const std::string& bytes) {
    std::ofstream(folder.dir / name, std::ios::binary) << bytes;
  }
};

TEST(ConfigKeys, OneLinePerSettingPerPlayer) {
  EXPECT_EQ(TConfig::keyOf("Volume 5"), "volume");
  EXPECT_EQ(TConfig::keyOf("p2bind num0 \"fire\""), "p2bind FIRE");
  // A command bound to a key is a line of its own: a key may run several.
  EXPECT_EQ(TConfig::keyOf("bind T \"say hi\""), "bind T \"say hi\"");
  EXPECT_EQ(TConfig::keyOf("setupchoice edit2 42"), "setupchoice edit2");
}

TEST_F(ConfigFile, KeepsOneLinePerChangeWritesItWholeAndReadsItBack) {
  TConfig config;
  config.load();  // no file yet: nothing
  EXPECT_TRUE(config.lines().empty());
  EXPECT_TRUE(config.set("volume 40"));
  EXPECT_TRUE(config.set("bind SPACE \"JUMP\""));
  EXPECT_FALSE(config.set("volume 40"));
  EXPECT_TRUE(config.set("volume 60"));  // in the old line's place
  EXPECT_TRUE(config.set("bind F12 \"JUMP\""));
  ASSERT_TRUE(config.save());
  EXPECT_EQ(read("SYSTEM/config.cfg"), kHeader + "volume 60\r\nbind F12 \"JUMP\"\r\n");
  EXPECT_FALSE(fs::exists(folder.dir / "SYSTEM/config.cfg.tmp"));

  // A hand-edited file keeps its comments; the lines run as a script's do, unknown ones answered.
  write("SYSTEM/config.cfg", kHeader + "# mine\nvolume 30\nsensivity 7\nnonsense\n");
  TConfig again;
  again.load();
  EXPECT_EQ(again.lines(), (Lines{"# mine", "volume 30", "sensivity 7", "nonsense"}));
  TPlayer& p = joinPlayer(1);
  console.lines.clear();
  again.run(console);
  EXPECT_EQ(globals().settings.volume, 30);
  EXPECT_EQ(p.sensivity, 7);
  EXPECT_EQ(console.lines, (Lines{"nonsense", cp("Неизвестная команда.")}));
}

TEST_F(ConfigFile, AFileIsReplacedWholeOrNotAtAll) {
  TConfig config;
  config.set("volume 10");
  ASSERT_TRUE(config.save());
  const std::string before = read("SYSTEM/config.cfg");
  // The temporary file cannot be made (a folder holds its name): the old file stays as it was.
  fs::create_directory(folder.dir / "SYSTEM/config.cfg.tmp");
  config.set("volume 20");
  EXPECT_FALSE(config.save());
  EXPECT_EQ(read("SYSTEM/config.cfg"), before);
  fs::remove(folder.dir / "SYSTEM/config.cfg.tmp");
  // A run that must not change the next one's start writes nothing, and says all is well.
  config.saving = false;
  EXPECT_TRUE(config.save());
  EXPECT_EQ(read("SYSTEM/config.cfg"), before);
  // The settings' own folder is made when it is missing.
  config.saving = true;
  globals().configFolder = (folder.dir / "home" / "mashvolt" / "").string();
  EXPECT_TRUE(config.save());
  EXPECT_EQ(read("home/mashvolt/config.cfg"), kHeader + "volume 20\r\n");
}

// A key binding keeps its line in capitals, and file names here tell case apart.
TEST_F(ConfigFile, ScriptsDumpsAndLevelsAreFoundWhateverTheCase) {
  fs::create_directories(folder.dir / "Maps");
  write("SYSTEM/lower.cfg", "echo found\n");
  write("Maps/canyon.lvx", "");
  write("log.txt", "old");
  const struct {
    const char* asked;
    const char* found;
  } names[] = {{"system\\Lower.Cfg", "SYSTEM/lower.cfg"},
               {"MAPS/CANYON.LVX", "Maps/canyon.lvx"},
               {"NOWHERE/lower.cfg", "NOWHERE/lower.cfg"}};
  for (const auto& n : names) EXPECT_EQ(findGameFile(n.asked), n.found) << n.asked;

  TPlayer& p = joinPlayer(1);
  console.submit("bind K \"exec lower.cfg\"");
  EXPECT_EQ(p.binds[kActionSlots].command, "EXEC LOWER.CFG");
  console.lines.clear();
  console.runLine(p.binds[kActionSlots].command, &p);
  EXPECT_EQ(console.lines, (Lines{cp("Загрузка LOWER.CFG..."), "found"}));
  console.runLine("DUMP LOG.TXT", &p);
  EXPECT_NE(read("log.txt"), "old");
  EXPECT_FALSE(fs::exists(folder.dir / "LOG.TXT"));
  EXPECT_THROW(console.submit("exec NOSUCH.CFG"), std::exception);
}

TEST_F(ConfigFile, TheVolumeAnswersAsEverySettingAndClassicLeavesItAlone) {
  EXPECT_EQ(typed("volume 101"), Lines{cp("Неверное значение.")});
  typed("volume 35");
  EXPECT_EQ(typed("volume"), Lines{"\"volume\" = \"35\" (0-100)"});
  typed("classic 1");
  EXPECT_EQ(globals().settings.volume, 35);
}

}  // namespace
}  // namespace mv
