#include "game/console/ScriptFiles.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "game/console/TextRules.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

std::filesystem::path nativePath(const std::string& name) {
  std::string utf8 = cp1251ToUtf8(name);
  std::replace(utf8.begin(), utf8.end(), '\\', '/');
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

FileRead readGameFile(const std::string& name, size_t limit, std::string& text) {
  return readPlainFile(nativePath(name), limit, text);
}

bool writeGameFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(nativePath(name), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

bool replaceGameFile(const std::string& name, const std::string& bytes) {
  namespace fs = std::filesystem;
  const fs::path target = nativePath(name);
  fs::path temporary = target;
  temporary += ".tmp";
  std::error_code ec;
  // A folder of the game's own (the settings' folder in the user's home) is made when it is missing.
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  FILE* out = std::fopen(temporary.c_str(), "wb");
  if (!out) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  // On the disk before the rename, or a crash just after it could leave an empty file in its place.
  written = std::fflush(out) == 0 && ::fsync(::fileno(out)) == 0 && written;
  written = std::fclose(out) == 0 && written;
  if (written) fs::rename(temporary, target, ec);
  if (!written || ec) {
    fs::remove(temporary, ec);
    return false;
  }
  return true;
}

std::string findGameFile(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path path = nativePath(name);
  std::error_code ec;
  if (fs::exists(path, ec)) return name;
  fs::path found = path.is_absolute() ? path.root_path() : fs::path();
  for (const fs::path& part : path.relative_path()) {
    const fs::path exact = found / part;
    if (fs::exists(exact, ec) || part == "." || part == "..") {
      found = exact;
      continue;
    }
    const std::string wanted = asciiLower(part.string());
    bool matched = false;
    const fs::path folder = found.empty() ? fs::path(".") : found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      if (asciiLower(it->path().filename().string()) != wanted) continue;
      found /= it->path().filename();
      matched = true;
      break;
    }
    if (!matched) return name;
  }
  const std::u8string text = found.generic_u8string();
  return utf8ToCp1251(std::string(text.begin(), text.end()));
}

std::vector<std::string> splitScriptLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace mv
