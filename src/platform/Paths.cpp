#include "platform/Paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace mv {
namespace fs = std::filesystem;

#ifndef MASHVOLT_INSTALLED_DATA
#define MASHVOLT_INSTALLED_DATA "../share/games/mashvolt"
#endif
const char* const kInstalledDataFromProgram = MASHVOLT_INSTALLED_DATA;

namespace {

std::string asFolder(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

bool holdsGameData(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder / "SYSTEM" / "graphics.dat", ec);
}

// A folder of the XDG rules: the variable when it holds an absolute path, else the default under home.
std::string xdgFolder(const Environment& environment, const char* variable, const char* underHome,
                      const std::string& home) {
  const char* value = environment(variable);
  if (value && value[0] == '/') return asFolder(value);
  return home.empty() ? std::string() : asFolder(home) + underHome;
}

}  // namespace

std::string executableFolder() {
  std::string path(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<size_t>(n) >= path.size()) return "./";
  path.resize(static_cast<size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

std::string findDataFolder(const std::string& programFolder, const std::string& installedRelative) {
  if (holdsGameData(programFolder)) return asFolder(programFolder);
  const fs::path installed = fs::path(programFolder) / installedRelative;
  std::error_code ec;
  if (holdsGameData(installed)) {
    const fs::path real = fs::canonical(installed, ec);
    return asFolder(ec ? installed.lexically_normal().string() : real.string());
  }
  return asFolder(programFolder);
}

UserFolders userFolders(const Environment& environment) {
  std::string home;
  if (const char* value = environment("HOME"); value && value[0] == '/') {
    home = value;
  } else if (const passwd* entry = ::getpwuid(::getuid());
             entry && entry->pw_dir && entry->pw_dir[0] == '/') {
    home = entry->pw_dir;
  }
  return {xdgFolder(environment, "XDG_CONFIG_HOME", ".config/", home),
          xdgFolder(environment, "XDG_DATA_HOME", ".local/share/", home)};
}

UserFolders userFolders() {
  return userFolders([](const char* name) { return static_cast<const char*>(std::getenv(name)); });
}

bool canCreateFileIn(const std::string& folder) {
  std::string probe = asFolder(folder.empty() ? "." : folder) + ".mashvolt-write-test-XXXXXX";
  const int fd = ::mkstemp(probe.data());
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

std::string placeIn(const std::string& folder, const std::string& name) {
  if (folder.empty() || name.starts_with('/')) return name;
  return asFolder(folder) + name;
}

}  // namespace mv
