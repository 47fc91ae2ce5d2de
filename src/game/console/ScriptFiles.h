#pragma once
// The console's files: scripts it reads and dumps it writes. Names are the game's own (Windows-1251,
// backslashes allowed); they are turned into the file system's form only here.

#include <string>
#include <vector>

#include "engine/archive/Files.h"

namespace mv {

// The whole file into text when it is a plain file (not a folder, a device or a pipe) of at most limit
// bytes.
FileRead readGameFile(const std::string& name, size_t limit, std::string& text);
// Replaces the file with `bytes`; false when it cannot be written completely.
bool writeGameFile(const std::string& name, const std::string& bytes);
// Replaces the file as a whole or not at all: the bytes go to a temporary file beside it, which is then
// renamed over the old one, so a crash or a full disk never leaves half a file. False, with the file
// as it was, when any step fails.
bool replaceGameFile(const std::string& name, const std::string& bytes);

// The name as given when it exists. Otherwise the same name with each part of it matched against the
// folder ignoring the case of ASCII letters (a key binding keeps its text in capitals, and file names
// here tell case apart), or the name as given when nothing matches.
std::string findGameFile(const std::string& name);

// Lines end at CR, LF, or CR LF; a break at the very end starts no further line.
std::vector<std::string> splitScriptLines(const std::string& text);

}  // namespace mv
