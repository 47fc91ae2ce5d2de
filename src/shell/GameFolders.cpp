#include "shell/GameFolders.h"

#include <filesystem>

#include "game/console/Texts.h"
#include "platform/Cp1251.h"

namespace mv {
namespace fs = std::filesystem;
namespace {

// `base`/mashvolt/, made when missing; empty when there is no such folder to write into.
std::string ownFolder(const std::string& base, const WritableCheck& writable) {
  if (base.empty()) return {};
  const std::string folder = base + "mashvolt/";
  std::error_code ec;
  fs::create_directories(folder, ec);
  return writable(folder) ? folder : std::string();
}

}  // namespace

GameFolders setUpGameFolders(const std::string& dataFolder, const UserFolders& user,
                             const WritableCheck& writable) {
  GameFolders folders;
  folders.data = dataFolder;
  if (!writable(dataFolder + "SYSTEM")) {
    folders.config = ownFolder(user.config, writable);
    if (!folders.config.empty()) {
      // The player's copy, once made, is theirs: a later start never overwrites it.
      const std::string copy = folders.config + "autoexec.cfg";
      std::error_code ec;
      if (fs::copy_file(dataFolder + "SYSTEM/autoexec.cfg", copy, fs::copy_options::skip_existing, ec))
        fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add, ec);
      folders.notices.push_back(consoleText(ConsoleText::ConfigFolder) + utf8ToCp1251(folders.config));
    }
  }
  if (!writable(".")) {
    folders.output = ownFolder(user.data, writable);
    if (!folders.output.empty())
      folders.notices.push_back(consoleText(ConsoleText::OutputFolder) + utf8ToCp1251(folders.output));
  }
  return folders;
}

std::string earlierOutput(const GameFolders& folders, const std::string& name) {
  std::error_code ec;
  if (folders.output.empty() || fs::exists(name, ec)) return name;
  return placeIn(folders.output, name);
}

}  // namespace mv
