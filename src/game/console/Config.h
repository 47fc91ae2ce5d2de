#pragma once
// config.cfg: what the player changed in the settings screen and the setup screen, kept as console
// lines. It runs at start-up and again after autoexec.cfg at every match start, so autoexec.cfg keeps
// the game's defaults (and a hand-edited one keeps working) while these lines have the last word.
// It holds one line per setting: a new value replaces the old line where it stands.

#include <string>
#include <vector>

namespace mv {

class TConsol;

class TConfig {
 public:
  // Reads configPath("config.cfg"); a file that is not there is an empty config.
  void load();
  void loadText(const std::string& text);

  // Puts the line in, in place of the one for the same setting. False when it was there already.
  bool set(const std::string& line);
  const std::vector<std::string>& lines() const { return lines_; }
  std::string text() const;
  // Writes the whole file at once (a temporary file renamed over the old one). False when it cannot be
  // written, the old file left as it was; nothing is written while saving is off.
  bool save() const;
  std::string path() const;

  // Runs the lines as a script's lines. A line that fails is told in the console and through the
  // shell, and the rest still run.
  void run(TConsol& console) const;

  // The setting a line sets: the command word with its "p2", a bind's action, a setup choice's slot.
  static std::string keyOf(const std::string& line);

  // Off for runs that are recorded or replayed: what they change must not change the next run's start.
  bool saving = true;

 private:
  std::vector<std::string> lines_;
};

}  // namespace mv
