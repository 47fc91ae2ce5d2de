#include "shell/widgets/LevelList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace mv {

namespace {
bool hasLevelExtension(const std::string& name) {
  if (name.size() <= 4) return false;
  std::string ext = name.substr(name.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".lvx";
}
}  // namespace

std::vector<std::string> listLevels(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    // A folder that happens to end in ".lvx" is no level to load.
    if (it->is_directory(error)) continue;
    std::string name = it->path().filename().string();
    if (hasLevelExtension(name)) names.push_back(name.substr(0, name.size() - 4));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace mv
