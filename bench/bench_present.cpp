// Showing a frame full screen: the 800 x 600 picture converted, enlarged to the screen and presented,
// with the processor's sharp scaling (each screen pixel takes the surface pixels it covers by area), with
// the renderer's nearest-pixel stretch, and through the graphics card (only where there is one). Needs a display: run it under Xvfb at the size to measure, e.g.
//   LP_NUM_THREADS=0 xvfb-run -a -s "-screen 0 1280x720x24" build/bench/bench_present
// (LP_NUM_THREADS=0 keeps a software OpenGL's drawing on the calling thread, so the CPU column
// counts it.) The "frame ms" counter is one present() from the game's picture to the end of
// RenderPresent, without its pacing.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "FrameMemcpy.h"
#include "platform/SdlPlatform.h"

namespace mv {
namespace {

void present(benchmark::State& state, bool sharp, RendererChoice renderer = RendererChoice::Cpu) {
  if (!std::getenv("DISPLAY")) {
    state.SkipWithError("no DISPLAY: run under xvfb-run");
    return;
  }
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  PlatformOptions options;  // full screen at the display's size
  options.renderer = renderer;
  std::unique_ptr<SdlPlatform> platform;
  try {
    platform = std::make_unique<SdlPlatform>(options);
    platform->openDisplay(800, 600);
  } catch (const PlatformError& e) {
    state.SkipWithError(e.what());
    return;
  }
  if (renderer == RendererChoice::Gpu && !platform->hardwareRenderer()) {
    // Forced onto a software renderer the card path runs on the processor: its figure would say nothing
    // of a graphics card.
    state.SkipWithError(("no graphics card (" + platform->rendererName() + "): measured only on one").c_str());
    return;
  }
  platform->setSharpScaling(sharp);
  std::vector<uint16_t> pixels(800 * 600);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint16_t>(i * 2654435761u >> 16);
  double frameMs = 0;
  for (auto _ : state) {
    platform->present(pixels.data(), 800, 600, 800);
    frameMs += platform->lastFrameMs();
  }
  state.counters["frame ms"] = frameMs / static_cast<double>(state.iterations());
  state.SetLabel(platform->rendererName());
}

void BM_PresentSharp(benchmark::State& state) {
  present(state, true);
}
void BM_PresentNearest(benchmark::State& state) {
  present(state, false);
}
// The processor's part of a sharp present, without a display: the 800 x 600 16-bit frame converted and
// scaled into a 32-bit picture of the view's size (the view of 1280 x 720 is 960 x 720, of 1920 x 1080
// 1440 x 1080; 1920 x 1080 itself is the largest a 1080p screen could be asked to fill).
void BM_SharpScale(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  std::vector<uint16_t> source(800 * 600);
  for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<uint16_t>(i * 2654435761u >> 16);
  std::vector<uint32_t> target(static_cast<size_t>(w) * h);
  SharpScaler scaler;
  for (auto _ : state) {
    scaler.scale(source.data(), 800, 600, 800, target.data(), w, h, w);
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SharpScale)->Args({960, 720})->Args({1440, 1080})->Args({1920, 1080});
// The card path: the frame converted and uploaded at 800 x 600, enlarged and smoothed by the card. The
// processor time of the call is the figure (the card's own work is not).
void BM_PresentGpu(benchmark::State& state) {
  present(state, true, RendererChoice::Gpu);
}
BENCHMARK(BM_PresentSharp)->Unit(benchmark::kMillisecond)->Iterations(120);
BENCHMARK(BM_PresentGpu)->Unit(benchmark::kMillisecond)->Iterations(120);
BENCHMARK(BM_PresentNearest)->Unit(benchmark::kMillisecond)->Iterations(120);

}  // namespace
}  // namespace mv
