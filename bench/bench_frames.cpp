// Whole frames through the main window, headless: the menu frame and a match frame with a few hundred
// sprites on a shipped level. The time per iteration is one frame's game work (no presentation).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "engine/sprite/ImageSpriteEx.h"
#include "game/combatants/Player.h"
#include "game/world/Level.h"
#include "platform/HeadlessPlatform.h"
#include "shell/MainForm.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

struct GameFolder {
  GameFolder() { fs::current_path(MASHVOLT_GAME_DIR); }
};

void BM_MenuFrame(benchmark::State& state) {
  GameFolder folder;
  HeadlessPlatform platform(16);
  TMainForm form(platform);
  form.FormCreate();
  form.show();
  for (auto _ : state) form.DXTimerTimer(16);
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMillisecond);

void BM_MatchFrame(benchmark::State& state) {
  GameFolder folder;
  HeadlessPlatform platform(16);
  TMainForm form(platform);
  form.FormCreate();
  form.show();
  std::vector<fs::path> levels;
  for (const auto& entry : fs::directory_iterator("Maps"))
    if (entry.path().extension() == ".lvx") levels.push_back(entry.path());
  std::sort(levels.begin(), levels.end());
  if (levels.empty()) {
    state.SkipWithError("no level in Maps");
    return;
  }
  loadLevel(levels.front().string());
  std::mt19937 random(1);
  const char* pictures[] = {"Explosion", "Rocket", "Plasma", "Flak", "Disk", "MeatBlood"};
  for (int i = 0; i < state.range(0); ++i) {
    auto* s = new TImageSpriteEx(&form.SpriteEngine.engine);
    s->image = &form.ImageList.Items.find(pictures[i % 6]);
    s->width = s->image->width();
    s->height = s->image->height();
    s->x = random() % 780;
    s->y = random() % 580;
    s->angle = i % 3 == 0 ? static_cast<int32_t>(random() % 256) : 0;
    s->alpha = i % 4 == 0 ? 128 : 255;
    s->setZ(i % 30);
  }
  form.state().screenState = Match;
  // A match frame draws the human fighter's view; this one stands still at the level's top-left,
  // left out of the move and draw passes so only the sprites above are measured.
  auto* viewer = new TPlayer(&form.SpriteEngine.engine);
  viewer->movable = false;
  viewer->visible = false;
  for (auto _ : state) {
    form.DXTimerTimer(16);
    form.drawSingleView(viewer);
  }
}
BENCHMARK(BM_MatchFrame)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mv
