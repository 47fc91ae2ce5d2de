#include "engine/archive/Files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>

#include "platform/Error.h"

namespace mv {

namespace {

// Straight into the caller's container: an archive is megabytes, and reading it through another buffer
// would hold it twice.
template <class Bytes>
FileRead readInto(const std::filesystem::path& path, size_t limit, Bytes& out) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return FileRead::CannotOpen;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return FileRead::CannotOpen;
  struct stat info {};
  if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return FileRead::CannotOpen;
  if (static_cast<uint64_t>(info.st_size) > limit) return FileRead::TooLarge;
  out.clear();
  out.reserve(static_cast<size_t>(info.st_size));
  char chunk[65536];
  while (size_t got = std::fread(chunk, 1, sizeof chunk, file.get())) {
    // A file that grows while it is read is held to the limit all the same.
    if (got > limit - out.size()) return FileRead::TooLarge;
    out.insert(out.end(), chunk, chunk + got);
  }
  return std::ferror(file.get()) ? FileRead::CannotOpen : FileRead::Done;
}

}  // namespace

FileRead readPlainFile(const std::filesystem::path& path, size_t limit, std::string& out) {
  return readInto(path, limit, out);
}

void checkFileRead(FileRead result, const std::string& name) {
  if (result == FileRead::CannotOpen) throw Error(format("Cannot open file %s", name.c_str()));
  if (result == FileRead::TooLarge) throw Error(format("File too large: %s", name.c_str()));
}

std::vector<uint8_t> readWholeFile(const std::string& path, size_t limit) {
  // The game names its files with backslashes, as it was written for Windows.
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  std::vector<uint8_t> bytes;
  checkFileRead(readInto(std::filesystem::path(native), limit, bytes), path);
  return bytes;
}

void writeWholeFile(const std::string& path, std::span<const uint8_t> data) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  std::ofstream out(native, std::ios::binary | std::ios::trunc);
  if (!out) throw Error(format("Cannot create file %s", path.c_str()));
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!out) throw Error(format("Cannot create file %s", path.c_str()));
}

bool isPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

}  // namespace mv
