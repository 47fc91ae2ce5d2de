#pragma once
// The yardstick every benchmark program measures beside its own figures: one memcpy of the 800 x 600
// 16-bit back surface. scripts/bench-summary divides by it.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace mv {

inline void BM_Memcpy(benchmark::State& state) {
  constexpr int kPixels = 800 * 600;
  std::vector<uint16_t> a(kPixels, 1), b(kPixels, 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * sizeof(uint16_t));
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kPixels);
  state.SetBytesProcessed(state.iterations() * kPixels * 2);
}
BENCHMARK(BM_Memcpy);

}  // namespace mv
