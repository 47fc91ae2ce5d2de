#include "game/console/ScriptFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

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
