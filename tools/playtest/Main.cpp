// playtest: bot matches on the shipped levels, run headless, with figures and heat maps.
//
//   playtest <gamedir> [--level NAME]... [--seconds N] [--bots N] [--skill N] [--seed N]
//            [--heat DIR]
//
// Without --level every level in <gamedir>/Maps is played. With --heat DIR a heat map of each level is
// written to DIR/<level>.bmp.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/Playtest.h"

namespace {

constexpr const char* kUsage =
    "usage: playtest <gamedir> [--level NAME]... [--seconds N] [--bots N] [--skill N] [--seed N] "
    "[--heat DIR]\n";

bool number(const char* text, long low, long high, long& out) {
  char* end = nullptr;
  out = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && out >= low && out <= high;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::string gameDir, heatDir;
  std::vector<std::string> levels;
  mv::tools::PlaytestOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    long value = 0;
    const bool hasValue = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--level" && hasValue) {
      levels.push_back(argv[++i]);
    } else if (arg == "--heat" && hasValue) {
      heatDir = argv[++i];
    } else if (arg == "--seconds" && hasValue && number(argv[i + 1], 0, 24 * 3600, value)) {
      options.seconds = static_cast<int>(value), ++i;
    } else if (arg == "--bots" && hasValue && number(argv[i + 1], 1, 64, value)) {
      options.bots = static_cast<int>(value), ++i;
    } else if (arg == "--skill" && hasValue && number(argv[i + 1], 0, 100, value)) {
      options.skill = static_cast<int>(value), ++i;
    } else if (arg == "--seed" && hasValue && number(argv[i + 1], 0, 0xFFFFFFFFL, value)) {
      options.seed = static_cast<uint32_t>(value), ++i;
    } else if (!arg.starts_with("-") && gameDir.empty()) {
      gameDir = arg;
    } else {
      std::fprintf(stderr, "playtest: bad argument %s\n%s", arg.c_str(), kUsage);
      return 2;
    }
  }
  if (gameDir.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    if (levels.empty()) {
      for (const auto& entry : fs::directory_iterator(fs::path(gameDir) / "Maps"))
        if (entry.path().extension() == ".lvx") levels.push_back(entry.path().stem().string());
      std::sort(levels.begin(), levels.end());
    }
    if (!heatDir.empty()) fs::create_directories(heatDir);
    std::printf("%d bots, skill %d, seed %u, %d s of game time per level\n", options.bots, options.skill,
                options.seed, options.seconds);
    for (const std::string& level : levels) {
      options.level = level;
      const mv::tools::PlaytestReport report = mv::tools::runPlaytest(gameDir, options);
      std::fputs(mv::tools::formatReport(report).c_str(), stdout);
      std::fflush(stdout);
      if (!heatDir.empty())
        mv::tools::writeHeatMap(gameDir, report, (fs::path(heatDir) / (level + ".bmp")).string());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "playtest: %s\n", e.what());
    return 1;
  }
  return 0;
}
