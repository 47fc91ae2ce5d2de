#pragma once
// Every failure the game reports is an Error carrying the exact text the player sees (Windows-1251).

#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>

namespace mv {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// printf-style formatting of a message text; the result is never truncated.
template <typename... Args>
std::string format(const char* pattern, Args... args) {
  int size = std::snprintf(nullptr, 0, pattern, args...);
  if (size <= 0) return {};
  std::string out(static_cast<size_t>(size) + 1, '\0');
  std::snprintf(out.data(), out.size(), pattern, args...);
  out.resize(static_cast<size_t>(size));
  return out;
}

}  // namespace mv
