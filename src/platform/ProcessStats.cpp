#include "platform/ProcessStats.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace mv {

int64_t residentMemoryKb() {
  // statm: total and resident size in pages.
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return 0;
  long long total = 0, resident = 0;
  const int read = std::fscanf(f, "%lld %lld", &total, &resident);
  std::fclose(f);
  if (read != 2) return 0;
  return static_cast<int64_t>(resident) * (::sysconf(_SC_PAGESIZE) / 1024);
}

int64_t wallMicroseconds() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace mv
