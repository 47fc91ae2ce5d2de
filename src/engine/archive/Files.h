#pragma once
// Reading the files the game is given. Only plain files are read: a folder opens like a file on this
// system and fails only when read, and a device or a pipe would never end or never start. Each kind of
// file has a size far above anything real, checked before a byte is read, so a hostile file cannot make
// memory follow its size.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace mv {

constexpr size_t kMiB = size_t{1} << 20;
constexpr size_t kArchiveFileLimit = 256 * kMiB;    // SYSTEM\graphics.dat, models.dat, sounds.dat
constexpr size_t kPictureFileLimit = 64 * kMiB;     // tile sheets and backgrounds
constexpr size_t kLevelFileLimit = 16 * kMiB;       // Maps\*.lvx
constexpr size_t kScriptFileLimit = 4 * kMiB;       // autoexec.cfg and what exec runs
constexpr size_t kInputFileLimit = 4 * kMiB;        // --input
constexpr size_t kRecordingFileLimit = 512 * kMiB;  // --replay
constexpr size_t kNoFileLimit = std::numeric_limits<size_t>::max();

enum class FileRead { Done, CannotOpen, TooLarge };
// The whole of the plain file at path (a native path) into out, when it holds at most limit bytes.
FileRead readPlainFile(const std::filesystem::path& path, size_t limit, std::string& out);
// Throws what a read that failed means, naming the file as the game does: "Cannot open file %s" for a
// missing file, a folder or a device, "File too large: %s" beyond the limit.
void checkFileRead(FileRead result, const std::string& name);

// The same for a path as the game writes it (backslashes between folders), checked.
std::vector<uint8_t> readWholeFile(const std::string& path, size_t limit = kNoFileLimit);
void writeWholeFile(const std::string& path, std::span<const uint8_t> data);  // "Cannot create file %s"

// A name that stays in the folder it is looked up in: not empty, no separator of either system, not
// "." or "..". A name that came from a file or another person cannot reach anything else this way.
bool isPlainFileName(const std::string& name);

}  // namespace mv
