// mkdata: generates the game folder (archives, levels, tile sheets, backgrounds, sounds, the start-up
// script) from the sources, the same bytes on every run. Files whose bytes did not change are left
// alone, so the build stays incremental.
//
//   mkdata <gamedir>                  generate everything into <gamedir>
//   mkdata <gamedir> --sheets <dir>   also write contact sheets of every picture and mock match
//                                     screens to <dir>
//   mkdata <gamedir> --icons <dir>    also write the game's icon for launchers, in the icon theme's
//                                     layout (<dir>/48x48/apps/mashvolt.png and the larger sizes)

#include <cstdio>
#include <filesystem>
#include <string>

#include "ArtArchive.h"
#include "ArtOutput.h"
#include "ArtPreview.h"
#include "ArtSheet.h"
#include "Backgrounds.h"
#include "Icon.h"
#include "Pictures.h"
#include "Textures.h"
#include "platform/Error.h"

#if __has_include("Sounds.h")
#include "Sounds.h"
#define MV_HAVE_SOUNDS 1
#endif
#if __has_include("Levels.h")
#include "Levels.h"
#define MV_HAVE_LEVELS 1
#endif
#if __has_include("Autoexec.h")
#include "Autoexec.h"
#define MV_HAVE_AUTOEXEC 1
#endif

namespace {

void writeSheets(const std::string& dir) {
  using namespace mv::art;
  writeIfChanged(dir + "/graphics.ppm", ppmFile(contactSheet(graphicsItems())));
  writeIfChanged(dir + "/models.ppm", ppmFile(contactSheet(modelItems())));
  std::vector<ArtItem> sheets;
  for (int i = 0; i < 4; ++i) sheets.push_back({theme(i).name, tileSheet(theme(i)), 0, 0});
  writeIfChanged(dir + "/textures.ppm", ppmFile(contactSheet(sheets)));
  for (int i = 0; i < 4; ++i)
    writeIfChanged(dir + "/scene_" + theme(i).name + ".ppm", ppmFile(previewScene(i)));
}

}  // namespace

constexpr const char* kUsage = "usage: mkdata <gamedir> [--sheets <dir>] [--icons <dir>]\n";

int main(int argc, char** argv) {
  std::string gameDir, sheetsDir, iconsDir;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--sheets" && i + 1 < argc) {
      sheetsDir = argv[++i];
    } else if (arg == "--icons" && i + 1 < argc) {
      iconsDir = argv[++i];
    } else if (arg.starts_with("-") || !gameDir.empty()) {
      // An option it does not know is never taken for the folder to write a whole game into.
      std::fprintf(stderr, "mkdata: unknown argument %s\n%s", arg.c_str(), kUsage);
      return 2;
    } else {
      gameDir = arg;
    }
  }
  if (gameDir.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    for (const char* sub : {"SYSTEM", "Maps", "Textures", "Backgrounds"})
      std::filesystem::create_directories(std::filesystem::path(gameDir) / sub);
    mv::art::writeGraphics(gameDir);
    mv::art::writeModels(gameDir);
    mv::art::writeTextures(gameDir);
    mv::art::writeBackgrounds(gameDir);
#ifdef MV_HAVE_SOUNDS
    mv::writeSounds(gameDir);
#endif
#ifdef MV_HAVE_LEVELS
    mv::writeLevels(gameDir);
#endif
#ifdef MV_HAVE_AUTOEXEC
    mv::writeAutoexec(gameDir);
#endif
    if (!sheetsDir.empty()) writeSheets(sheetsDir);
    if (!iconsDir.empty()) mv::art::writeIcons(iconsDir);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mkdata: %s\n", e.what());
    return 1;
  }
  return 0;
}
