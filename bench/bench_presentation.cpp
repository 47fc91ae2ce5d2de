// Presenting a frame: the 16-bit back surface converted to the 32-bit texture the renderer takes, beside
// the frame memcpy it is measured against.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "FrameMemcpy.h"
#include "platform/Presentation.h"

namespace mv {
namespace {

constexpr int kW = 800, kH = 600;

std::vector<uint16_t> frame() {
  std::vector<uint16_t> pixels(kW * kH);
  std::mt19937 random(1);
  for (auto& p : pixels) p = static_cast<uint16_t>(random());
  return pixels;
}

void BM_Present565To8888(benchmark::State& state) {
  const std::vector<uint16_t> source = frame();
  std::vector<uint32_t> target(kW * kH);
  for (auto _ : state) {
    convertFrame565To8888(source.data(), kW, kH, kW, target.data(), kW * 4);
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_Present565To8888);

// How presentation converted before: one lookup in a table of every 16-bit value.
void BM_Present565To8888Table(benchmark::State& state) {
  const std::vector<uint16_t> source = frame();
  std::vector<uint32_t> table(65536), target(kW * kH);
  for (uint32_t p = 0; p < table.size(); ++p) table[p] = rgb565ToArgb8888(static_cast<uint16_t>(p));
  for (auto _ : state) {
    for (int i = 0; i < kW * kH; ++i) target[i] = table[source[i]];
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_Present565To8888Table);

}  // namespace
}  // namespace mv
