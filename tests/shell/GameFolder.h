#pragma once
// A scratch game folder for tests that run the real program: the shipped data seen through links,
// with SYSTEM and Maps as folders of their own whose files are links, so whatever a run writes or a
// test adds there (scripts, levels, settings) stays in the scratch folder. Screenshots and dumps land
// in it too, since runs start there.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace mv {

struct RunResult {
  int exitCode;  // -1 when the program did not exit by itself
  std::string output;  // standard output and error together
};

// Runs a shell command line; its standard output (the command sends its errors there too) is collected.
inline RunResult runCommand(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  RunResult result{-1, {}};
  if (!pipe) return result;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) result.output.append(buffer, n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

class GameFolder {
 public:
  // temp/mashvolt-<name>-<the running test's name>, made afresh.
  explicit GameFolder(const std::string& name) {
    namespace fs = std::filesystem;
    dir = fs::temp_directory_path() /
          ("mashvolt-" + name + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path game = MASHVOLT_GAME_DIR;
    for (const char* sub : {"Fonts", "Textures", "Backgrounds"})
      if (fs::exists(game / sub)) fs::create_directory_symlink(game / sub, dir / sub);
    for (const char* sub : {"SYSTEM", "Maps"}) {
      fs::create_directory(dir / sub);
      for (const auto& entry : fs::directory_iterator(game / sub))
        fs::create_symlink(entry.path(), dir / sub / entry.path().filename());
    }
    fs::copy_file(game / "mashvolt", dir / "mashvolt");
  }
  ~GameFolder() { std::filesystem::remove_all(dir); }
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;

  // Runs the folder's program with these options from the folder; a run that hangs is stopped.
  RunResult run(const std::string& args, int timeoutSeconds = 120) const {
    return runCommand("cd '" + dir.string() + "' && timeout " + std::to_string(timeoutSeconds) + " ./mashvolt " +
                      args + " 2>&1");
  }

  // A file of the folder replaced by these bytes (a link in its place is removed first, so the
  // shipped file it pointed to is never written).
  void write(const std::filesystem::path& name, const std::string& bytes) const {
    std::filesystem::remove(dir / name);
    std::ofstream(dir / name, std::ios::binary) << bytes;
  }
  std::string read(const std::filesystem::path& name) const {
    std::ifstream in(dir / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::filesystem::path dir;
};

}  // namespace mv
