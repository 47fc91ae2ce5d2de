// mkdata: generates the game folder (archives, levels, tile sheets, backgrounds, sounds, the start-up
// script) from the sources, the same bytes on every run. Files whose bytes did not change are left
// alone, so the build stays incremental.
//
//   mkdata <gamedir>                  generate everything into <gamedir>
//   mkdata <gamedir> --sheets <dir>   also write contact sheets of every picture and mock match
//                                     screens to <dir>

#include <cstdio>
#include <filesystem>
#include <string>

#include "ArtArchive.h"
#include "ArtOutput.h"
#include "ArtPreview.h"
#include "ArtSheet.h"
#include "Backgrounds.h"
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

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: mkdata <gamedir> [--sheets <dir>]\n");
    return 2;
  }
  std::string gameDir = argv[1];
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
    if (argc >= 4 && std::string(argv[2]) == "--sheets") writeSheets(argv[3]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mkdata: %s\n", e.what());
    return 1;
  }
  return 0;
}
