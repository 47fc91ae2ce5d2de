#pragma once
// The console's files: scripts it reads and dumps it writes. Names are the game's own (Windows-1251,
// backslashes allowed); they are turned into the file system's form only here.

#include <optional>
#include <string>
#include <vector>

namespace mv {

// The whole file, or nothing when it cannot be read; only a plain file can (not a folder, a device or a pipe).
std::optional<std::string> readGameFile(const std::string& name);
// Replaces the file with `bytes`; false when it cannot be written completely.
bool writeGameFile(const std::string& name, const std::string& bytes);

// Lines end at CR, LF, or CR LF; a break at the very end starts no further line.
std::vector<std::string> splitScriptLines(const std::string& text);

}  // namespace mv
