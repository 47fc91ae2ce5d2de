#pragma once
// The levels the build generated, and a way to stand in the game folder while they load.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace mv {

class CurrentFolder {
 public:
  explicit CurrentFolder(const std::filesystem::path& to) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(to);
  }
  ~CurrentFolder() { std::filesystem::current_path(previous_); }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

// The level names of the game folder's Maps, sorted.
inline std::vector<std::string> shippedLevels() {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  const fs::path maps = fs::path(MASHVOLT_GAME_DIR) / "Maps";
  if (!fs::is_directory(maps)) return names;
  for (const auto& entry : fs::directory_iterator(maps))
    if (entry.path().extension() == ".lvx") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace mv
