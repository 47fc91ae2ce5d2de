// Physics steps per second: 1000 bodies moving through a level's collision grid, as plain bodies with
// the blood and gib settings, and as the real effect sprites (which also spawn and free blood).

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "engine/draw/DXImageList.h"
#include "engine/archive/Picture.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/world/Blood.h"
#include "game/world/Gib.h"
#include "game/world/PhyzObj.h"

namespace mv {
namespace {

constexpr int Bodies = 1000;
constexpr int FrameMs = 16;

// A 60 x 40 room with a few platforms, like a small arena.
void buildRoom(Grid& grid) {
  grid.clear();
  for (int c = 0; c < 60; ++c) {
    grid.set(c, 0, CellSolid);
    grid.set(c, 39, CellSolid);
  }
  for (int r = 0; r < 40; ++r) {
    grid.set(0, r, CellSolid);
    grid.set(59, r, CellSolid);
  }
  for (int c = 10; c < 50; ++c) {
    grid.set(c, 12, CellSolid);
    grid.set(c - 5, 25, CellSolid);
  }
}

void addImage(TDXImageList& list, const char* name, int w, int h, int patterns) {
  TPictureCollectionItem& item = list.Items.add();
  item.setName(name);
  item.PatternWidth = w;
  item.PatternHeight = h;
  item.setPicture(
      TPicture(w * patterns, h, std::vector<uint32_t>(static_cast<size_t>(w * patterns * h), 0x800000)));
}

void kick(TPhyzObj& body, std::mt19937& rng) {
  std::uniform_real_distribution<double> speed(-1.0, 1.0);
  body.velX = speed(rng);
  body.velY = speed(rng);
}

void BM_PhysicsStep(benchmark::State& state) {
  GlobalsScope scope;
  buildRoom(scope.get().grid);
  TSpriteEngine root;
  std::mt19937 rng(1);
  std::uniform_real_distribution<double> px(20, 940), py(20, 620);
  std::vector<TPhyzObj*> bodies;
  for (int i = 0; i < Bodies; ++i) {
    auto* b = new TPhyzObj(&root);
    b->x = px(rng);
    b->y = py(rng);
    if (i % 2) {  // blood
      b->gravity = 0.1;
      b->friction = 3.0;
      b->hitBox = {2, 2, 8, 8};
    } else {  // gib
      b->bouncing = true;
      b->hitBox = {0, 0, 10, 10};
    }
    kick(*b, rng);
    bodies.push_back(b);
  }
  int frame = 0;
  for (auto _ : state) {
    root.move(FrameMs);
    // Keep them flying rather than measuring bodies at rest.
    if (++frame % 60 == 0)
      for (TPhyzObj* b : bodies) kick(*b, rng);
  }
  state.SetItemsProcessed(state.iterations() * Bodies);
  state.counters["steps_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * Bodies, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PhysicsStep)->Unit(benchmark::kMicrosecond);

void BM_EffectsStep(benchmark::State& state) {
  GlobalsScope scope;
  buildRoom(scope.get().grid);
  TDXImageList images, models;
  addImage(images, "MeatBlood", 10, 10, 6);
  addImage(images, "EarthBlood", 10, 10, 1);
  addImage(models, "Doom_Gibs", 12, 12, 6);
  scope.get().imageList = &images;
  scope.get().modelList = &models;
  scope.get().settings.quality = 1;
  TSpriteEngine root;
  scope.get().spriteEngine = &root;
  std::mt19937 rng(2);
  std::uniform_int_distribution<int> px(20, 940), py(20, 620), dir(0, 359), speed(0, 40), piece(0, 6);
  std::uniform_real_distribution<double> vel(-0.5, 0.5);
  int64_t steps = 0;
  for (auto _ : state) {
    // Top the crowd up to 1000 effects, half gibs and half blood, as a big fight would.
    state.PauseTiming();
    while (root.count() < Bodies) {
      if (root.count() % 2)
        (new TGib(&root))->setup("Doom", px(rng), py(rng), dir(rng), speed(rng), piece(rng));
      else
        (new TBlood(&root))->setup(px(rng), py(rng), vel(rng), vel(rng));
    }
    state.ResumeTiming();
    steps += root.count();
    root.move(FrameMs);
    root.freeKilled();
  }
  state.counters["steps_per_s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EffectsStep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mv
