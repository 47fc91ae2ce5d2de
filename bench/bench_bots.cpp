// Whole match frames against the computer, headless: the largest shipped level started as the setup
// screen starts it, with 16 or 100 bots at full skill, measured after every bot has joined. Reported
// per frame, in milliseconds of this thread's processor time: the move pass (the bots' decisions, the
// physics, the projectiles and effects, the console and the freeing of the dead), the drawing of
// player 1's view, and a copy of the finished 800 x 600 x 16-bit back surface, the yardstick the targets
// are given in. MASHVOLT_BOTS_SHOT=1 leaves a screenshot of the measured scene in the game folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

#include "FrameMemcpy.h"
#include "engine/draw/Surface.h"
#include "game/combatants/Bot.h"
#include "game/combatants/Player.h"
#include "platform/HeadlessPlatform.h"
#include "shell/MainForm.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

double threadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

constexpr int FrameMs = 16;
// Bots join 0.5 to 3 s into the match; a second more lets the first fights start.
constexpr int WarmUpFrames = 4000 / FrameMs;

struct GameFolder {
  GameFolder() { fs::current_path(MASHVOLT_GAME_DIR); }
};

class BotMatch {
 public:
  explicit BotMatch(int bots) : platform_(FrameMs), form_(platform_) {
    form_.fixedSeed = 1;
    form_.FormCreate();
    form_.show();
    form_.startMatch({.level = "canyon", .bots = bots, .skill = 100, .hotseat = false});
    frame_.resize(static_cast<size_t>(form_.DXDraw.surface().width()) * form_.DXDraw.surface().height());
  }

  bool ready() { return form_.state().match && form_.state().player1; }

  void move() {
    form_.SpriteEngine.move(FrameMs);
    form_.Console->update(FrameMs);
    form_.SpriteEngine.dead();
  }
  void draw() { form_.drawSingleView(form_.state().player1); }
  void copyFrame() {
    const TSurface& back = form_.DXDraw.surface();
    std::memcpy(frame_.data(), back.pixels(), frame_.size() * sizeof(uint16_t));
    benchmark::DoNotOptimize(frame_.data());
    benchmark::ClobberMemory();
  }
  void screenshot() { form_.saveScreenshot(); }

  int alive() {
    int n = 0;
    for (int i = 0; i < form_.state().match->fighterCount(); ++i)
      n += form_.state().match->fighter(i)->alive();
    return n;
  }
  int sprites() { return static_cast<int>(form_.SpriteEngine.engine.children().size()); }

 private:
  HeadlessPlatform platform_;
  TMainForm form_;
  std::vector<uint16_t> frame_;
};

void BM_BotMatchFrame(benchmark::State& state) {
  GameFolder folder;
  BotMatch match(static_cast<int>(state.range(0)));
  if (!match.ready()) {
    state.SkipWithError("canyon did not start");
    return;
  }
  for (int i = 0; i < WarmUpFrames; ++i) {
    match.move();
    match.draw();
  }
  if (std::getenv("MASHVOLT_BOTS_SHOT")) match.screenshot();
  double moveMs = 0, drawMs = 0, copyMs = 0, alive = 0, sprites = 0;
  for (auto _ : state) {
    double t = threadMs();
    match.move();
    moveMs += threadMs() - t;
    t = threadMs();
    match.draw();
    drawMs += threadMs() - t;
    t = threadMs();
    match.copyFrame();
    copyMs += threadMs() - t;
    alive += match.alive();
    sprites += match.sprites();
  }
  using C = benchmark::Counter;
  state.counters["move_ms"] = C(moveMs, C::kAvgIterations);
  state.counters["draw_ms"] = C(drawMs, C::kAvgIterations);
  state.counters["copy_ms"] = C(copyMs, C::kAvgIterations);
  // The targets, as multiples of one copy of the back surface.
  state.counters["frame_per_copy"] = copyMs > 0 ? (moveMs + drawMs) / copyMs : 0;
  state.counters["alive"] = C(alive, C::kAvgIterations);
  state.counters["sprites"] = C(sprites, C::kAvgIterations);
}
// A fixed number of frames, so that a faster build measures the same stretch of the match (the bots keep
// joining the fights) as a slower one.
BENCHMARK(BM_BotMatchFrame)
    ->Arg(16)
    ->Arg(100)
    ->Iterations(600)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

}  // namespace
}  // namespace mv
