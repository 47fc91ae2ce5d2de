#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mv::art {

// Writes the file only when its bytes differ from what is there, so a rebuild that changes nothing
// leaves every file's time alone. Creates the missing folders on the way. Answers whether it wrote.
bool writeIfChanged(const std::string& path, std::span<const uint8_t> bytes);
inline bool writeIfChanged(const std::string& path, const std::string& text) {
  return writeIfChanged(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace mv::art
