// The drawing operations at the sizes the game uses them, in pixels per second, beside a plain memcpy
// of the same bytes.

#include <benchmark/benchmark.h>

#include <vector>

#include "FrameMemcpy.h"
#include "engine/draw/Blit.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/draw/TextCanvas.h"

namespace mv {
namespace {

constexpr int kW = 800, kH = 600;

// A picture with about a quarter of its pixels in the key colour, like a sprite sheet.
TPicture speckled(int w, int h) {
  std::vector<uint32_t> px(static_cast<size_t>(w) * h);
  uint32_t state = 12345;
  for (auto& p : px) {
    state = state * 1103515245 + 12345;
    p = (state >> 16) % 4 == 0 ? 0xFF00FF : (state & 0xFFFFFF);
  }
  return TPicture(w, h, std::move(px));
}

struct Scene {
  TDXDraw draw;
  TDXImageList list{&draw};
  Scene() { draw.initialize(); }
  TPictureCollectionItem& add(int w, int h, int pw = 0, int ph = 0) {
    auto& item = list.Items.add();
    item.setPicture(speckled(w, h));
    item.setTransparentColor(0xFF00FF);
    item.PatternWidth = pw, item.PatternHeight = ph;
    item.restore();
    return item;
  }
};

void BM_KeyedCopyFullScreen(benchmark::State& state) {
  Scene s;
  auto& item = s.add(kW, kH);
  for (auto _ : state) {
    item.draw(s.draw.surface(), 0, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
  state.SetBytesProcessed(state.iterations() * kW * kH * 2);
}
BENCHMARK(BM_KeyedCopyFullScreen);

void BM_PlainCopyFullScreen(benchmark::State& state) {
  Scene s;
  auto& item = s.add(kW, kH);
  item.Transparent = false;
  for (auto _ : state) {
    item.draw(s.draw.surface(), 0, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
  state.SetBytesProcessed(state.iterations() * kW * kH * 2);
}
BENCHMARK(BM_PlainCopyFullScreen);

// The menu background: a 640 x 480 picture stretched over the whole display, frame after frame.
void BM_StretchFullScreen(benchmark::State& state) {
  Scene s;
  auto& item = s.add(640, 480);
  item.Transparent = false;
  for (auto _ : state) {
    item.stretchDraw(s.draw.surface(), {0, 0, kW, kH}, 0);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_StretchFullScreen);

// The same stretch worked out anew each time, as when the picture or the size changes.
void BM_StretchFullScreenFresh(benchmark::State& state) {
  Scene s;
  auto& item = s.add(640, 480);
  for (auto _ : state) {
    blitStretch(s.draw.surface(), {0, 0, kW, kH}, *item.patternSurface(0), item.patternRect(0), false);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_StretchFullScreenFresh);

// A tile layer: the screen covered by keyed 16 x 16 tiles from a 256 x 256 sheet.
void BM_Tiles16(benchmark::State& state) {
  Scene s;
  auto& sheet = s.add(256, 256, 16, 16);
  int64_t pixels = 0;
  for (auto _ : state) {
    int n = 0;
    for (int y = -8; y < kH; y += 16)
      for (int x = -8; x < kW; x += 16, ++n) sheet.draw(s.draw.surface(), x, y, n & 255);
    benchmark::ClobberMemory();
    pixels += kW * kH;
  }
  state.SetItemsProcessed(pixels);
}
BENCHMARK(BM_Tiles16);

// A fighter fading out: a 32 x 48 pattern blended at half opacity.
void BM_SpriteAlpha32x48(benchmark::State& state) {
  Scene s;
  auto& sprite = s.add(256, 48, 32, 48);
  int i = 0;
  for (auto _ : state) {
    sprite.drawAlpha(s.draw.surface(), boundsRect(100 + (i & 63), 200, 32, 48), i & 7, 128);
    ++i;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 32 * 48);
}
BENCHMARK(BM_SpriteAlpha32x48);

// A weapon picture turned to the aim angle.
void BM_RotateWeapon40x16(benchmark::State& state) {
  Scene s;
  auto& weapon = s.add(40, 16);
  int angle = 0;
  for (auto _ : state) {
    weapon.drawRotate(s.draw.surface(), 400, 300, 40, 16, 0, 0.3, 0.5, angle++ & 255);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 40 * 16);
}
BENCHMARK(BM_RotateWeapon40x16);

// A fighter's body turned about its middle and fading, as a dying fighter's parts are drawn.
void BM_RotateBody32x46(benchmark::State& state) {
  Scene s;
  auto& body = s.add(32, 46);
  int angle = 0;
  for (auto _ : state) {
    body.drawRotateAlpha(s.draw.surface(), 400, 300, 32, 46, 0, 0.5, 0.5, angle++ & 255, 160);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 32 * 46);
}
BENCHMARK(BM_RotateBody32x46);

void text40Chars(benchmark::State& state, bool cached) {
  Scene s;
  TTextCanvas& c = s.draw.surface().canvas();
  c.setCaching(cached);
  c.setFontSize(12);
  c.setBrushClear(true);
  c.setFontColor(0xFFFFFF);
  const std::string text = "Player1 fragged Player2 with the rocket!";  // 40 characters
  const int cell = c.textWidth(text) * c.textHeight(text);
  for (auto _ : state) {
    c.textOut(10, 10, text);
    c.release();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * cell);
  state.counters["strings/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
void BM_Text40Chars(benchmark::State& state) {
  text40Chars(state, true);
}
BENCHMARK(BM_Text40Chars);

// The same line laid down glyph by glyph, as before lines were cached.
void BM_Text40CharsUncached(benchmark::State& state) {
  text40Chars(state, false);
}
BENCHMARK(BM_Text40CharsUncached);

}  // namespace
}  // namespace mv
