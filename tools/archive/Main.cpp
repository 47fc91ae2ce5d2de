// mvarc: looks into, unpacks and packs the game's archives (graphics.dat, models.dat, sounds.dat).

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/ArchiveListing.h"
#include "common/ArchiveManifest.h"
#include "common/ArchiveModel.h"
#include "engine/archive/Picture.h"
#include "platform/Error.h"

namespace {

using namespace mv::tools;

constexpr const char* kUsage =
    "usage: mvarc COMMAND ARGUMENTS\n"
    "\n"
    "  mvarc list FILE             one line per item: name, picture class and size, pattern size and\n"
    "                              count, colour key; or a wave's format, length and playback settings;\n"
    "                              then whether the game itself reads the archive, and as what\n"
    "  mvarc extract FILE DIR      unpack into DIR: manifest.txt with every item property, pictures as\n"
    "                              BMP (with their original blocks), waves as WAV\n"
    "  mvarc pack DIR FILE         pack DIR back into an archive; an unchanged folder gives the same bytes,\n"
    "                              an edited BMP is stored as a 24-bit device-independent bitmap\n"
    "  mvarc sheet FILE OUT.bmp    every picture of the archive on one sheet, patterns outlined, named\n"
    "  mvarc --help                this text\n";

int usage(const char* problem) {
  std::fprintf(stderr, "mvarc: %s\n\n%s", problem, kUsage);
  return 2;
}

int run(const std::vector<std::string>& args) {
  const std::string& command = args[0];
  if (command == "list" && args.size() == 2) {
    const std::vector<uint8_t> bytes = mv::readWholeFile(args[1]);
    std::fputs(listArchive(readArchive(bytes)).c_str(), stdout);
    std::printf("%s\n", gameReading(bytes).c_str());
    return 0;
  }
  if (command == "extract" && args.size() == 3) {
    for (const std::string& warning : extractArchive(mv::readWholeFile(args[1]), args[2]))
      std::fprintf(stderr, "mvarc: warning: %s\n", warning.c_str());
    return 0;
  }
  if (command == "pack" && args.size() == 3) {
    const std::vector<uint8_t> bytes = packArchive(args[1]);
    mv::writeWholeFile(args[2], bytes);
    return 0;
  }
  if (command == "sheet" && args.size() == 3) {
    const Archive archive = readArchive(mv::readWholeFile(args[1]));
    mv::saveBitmapFile(contactSheet(archive), args[2]);
    return 0;
  }
  if (command == "list" || command == "extract" || command == "pack" || command == "sheet")
    return usage(("wrong number of arguments for " + command).c_str());
  return usage(("unknown command '" + command + "'").c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return usage("no command given");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  try {
    return run(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mvarc: %s\n", e.what());
    return 1;
  }
}
