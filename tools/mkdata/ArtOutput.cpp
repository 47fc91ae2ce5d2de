#include "ArtOutput.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/Error.h"

namespace mv::art {

bool writeIfChanged(const std::string& path, std::span<const uint8_t> bytes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(path, ec) && fs::file_size(path, ec) == bytes.size()) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (old.size() == bytes.size() &&
        std::equal(old.begin(), old.end(), bytes.begin(),
                   [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; }))
      return false;
  }
  fs::path parent = fs::path(path).parent_path();
  if (!parent.empty()) fs::create_directories(parent, ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw Error(format("Cannot create file %s", path.c_str()));
  return true;
}

}  // namespace mv::art
