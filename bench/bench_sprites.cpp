// The sprite passes over a match-sized tree: a few hundred animated, rotated and blended sprites.
#include <benchmark/benchmark.h>

#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/ImageSprite.h"
#include "engine/sprite/ImageSpriteEx.h"
#include "engine/sprite/SpriteEngine.h"

namespace {

using namespace mv;

struct World {
  explicit World(int sprites) {
    // A 4-frame 32x48 strip, about the size of a fighter's picture.
    std::vector<uint32_t> rgb(128 * 48);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = (i % 7) ? colorRef(200, 120, 40) : 0;
    item.setPicture(TPicture(128, 48, std::move(rgb)));
    item.PatternWidth = 32;
    item.PatternHeight = 48;
    display.initialize();
    root.setSurface(&display.surface());
    for (int i = 0; i < sprites; ++i) {
      auto* s = new TImageSpriteEx(&root);
      s->image = &item;
      s->width = 32;
      s->height = 48;
      s->x = (i * 37) % 800;
      s->y = (i * 53) % 600;
      s->frameCount = 4;
      s->frameLooped = true;
      s->frameSpeed = 0.01;
      s->setZ(i % 30);
      // A quarter rotate and a quarter blend, as gibs, shots and fading effects do.
      if (i % 4 == 1) s->angle = 20 + i % 200;
      if (i % 4 == 2) s->alpha = 128;
    }
  }
  TDXDraw display;
  TDXImageList list{&display};
  TPictureCollectionItem& item = list.Items.add();
  TSpriteEngine root;
};

void BM_MovePass(benchmark::State& state) {
  World world(static_cast<int>(state.range(0)));
  for (auto _ : state) world.root.move(16);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MovePass)->Arg(300)->Arg(1000);

void BM_DrawPass(benchmark::State& state) {
  World world(static_cast<int>(state.range(0)));
  for (auto _ : state) world.root.drawAll();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawPass)->Arg(300);

// Plain image sprites, most of them off screen: the cost of culling.
void BM_CulledDrawPass(benchmark::State& state) {
  World world(0);
  for (int i = 0; i < state.range(0); ++i) {
    auto* s = new TImageSprite(&world.root);
    s->image = &world.item;
    s->width = 32;
    s->height = 48;
    s->x = 2000 + i * 40;
    s->y = (i * 53) % 600;
  }
  for (auto _ : state) world.root.drawAll();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CulledDrawPass)->Arg(1000);

// A frame's churn: spawn, kill and free a burst of effects.
void BM_SpawnKillFree(benchmark::State& state) {
  World world(300);
  for (auto _ : state) {
    for (int i = 0; i < 50; ++i) {
      auto* s = new TImageSpriteEx(&world.root);
      s->setZ(i % 30);
      s->kill();
    }
    world.root.freeKilled();
  }
  state.SetItemsProcessed(state.iterations() * 50);
}
BENCHMARK(BM_SpawnKillFree);

// A level's pick-ups placed at the match start and freed at its end, all of one z: the draw order's
// cost per sprite should not grow with their number.
void BM_PlaceAndFreeOneZ(benchmark::State& state) {
  World world(0);
  for (auto _ : state) {
    for (int i = 0; i < state.range(0); ++i) (new TSprite(&world.root))->setZ(10);
    world.root.clear();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PlaceAndFreeOneZ)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
