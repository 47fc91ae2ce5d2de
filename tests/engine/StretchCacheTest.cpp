// The kept stretch: drawn from its scaled copy, every pixel as a fresh stretch gives it, and never from a
// copy of surfaces that have been rebuilt.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/draw/Blit.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/draw/StretchCache.h"

namespace mv {
namespace {

constexpr uint16_t kKey = 0xF81F;

void noise(TSurface& s, uint32_t seed) {
  std::mt19937 random(seed);
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) s.row(y)[x] = random() % 6 == 0 ? kKey : static_cast<uint16_t>(random());
  s.setColorKey(kKey);
}

bool samePixels(const TSurface& a, const TSurface& b) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.row(y)[x] != b.row(y)[x]) return false;
  return true;
}

TEST(StretchCache, KeptCopiesDrawTheSamePixelsAsFreshStretches) {
  TSurface source(160, 120), cachedScreen(200, 150), freshScreen(200, 150);
  noise(source, 1);
  TStretchCache cache;
  struct Draw {
    TRect dest, src;
    bool keyed;
  };
  const Draw draws[] = {
      {{0, 0, 200, 150}, {0, 0, 160, 120}, false},      // the menu background, larger
      {{-30, 10, 170, 190}, {0, 0, 160, 120}, true},    // cut by three edges, keyed
      {{5, 5, 125, 135}, {10, 20, 150, 110}, true},     // part of the source, smaller
      {{0, 0, 300, 100}, {-20, -5, 170, 125}, false},   // source rectangle sticking out of its surface
  };
  for (const Draw& d : draws) {
    noise(cachedScreen, 7);
    noise(freshScreen, 7);
    // Once to be noticed, once to be kept, then from the copy.
    for (int frame = 0; frame < 4; ++frame) {
      cache.draw(cachedScreen, d.dest, source, d.src, d.keyed);
      blitStretch(freshScreen, d.dest, source, d.src, d.keyed);
      ASSERT_TRUE(samePixels(cachedScreen, freshScreen)) << "frame " << frame << " at " << d.dest.Left;
    }
    EXPECT_TRUE(cache.holdsCopy());
  }
  // A change of colour key on the source is followed at once.
  source.setColorKey(source.row(3)[3]);
  cache.draw(cachedScreen, draws[3].dest, source, draws[3].src, true);
  blitStretch(freshScreen, draws[3].dest, source, draws[3].src, true);
  EXPECT_TRUE(samePixels(cachedScreen, freshScreen));
}

TEST(StretchCache, SmallUnscaledOrAlternatingStretchesKeepNothing) {
  TSurface source(64, 64), screen(300, 300);
  noise(source, 2);
  TStretchCache cache;
  for (int i = 0; i < 3; ++i) cache.draw(screen, {0, 0, 64, 64}, source, {0, 0, 64, 64}, true);  // a copy
  EXPECT_FALSE(cache.holdsCopy());
  for (int i = 0; i < 3; ++i) cache.draw(screen, {0, 0, 40, 40}, source, {0, 0, 64, 64}, true);  // small
  EXPECT_FALSE(cache.holdsCopy());
  for (int i = 0; i < 4; ++i) cache.draw(screen, {0, 0, 200 + i % 2, 200}, source, {0, 0, 64, 64}, false);
  EXPECT_FALSE(cache.holdsCopy());
}

// Through a picture item, as the menu draws its background: rebuilding the item's surfaces with a new
// picture must show the new picture at once.
TEST(StretchCache, PictureItemsDropTheCopyWhenTheirSurfacesAreRebuilt) {
  TDXDraw draw;
  draw.initialize();
  TDXImageList list{&draw};
  auto& item = list.Items.add();
  auto picture = [](uint32_t colour) {
    std::vector<uint32_t> px(320 * 240);
    for (size_t i = 0; i < px.size(); ++i) px[i] = i % 3 ? colour : colour ^ 0x00FFFF;
    return TPicture(320, 240, std::move(px));
  };
  item.setPicture(picture(0x102030));
  item.Transparent = false;
  item.restore();
  TSurface& screen = draw.surface();
  const TRect full{0, 0, screen.width(), screen.height()};
  for (int frame = 0; frame < 3; ++frame) item.stretchDraw(screen, full, 0);
  ASSERT_TRUE(item.holdsStretchedCopy());
  const uint16_t before = screen.row(100)[100];

  // A new picture alone changes nothing drawn: the surfaces stay until restore.
  item.setPicture(picture(0xC08040));
  item.stretchDraw(screen, full, 0);
  EXPECT_EQ(screen.row(100)[100], before);

  item.restore();
  EXPECT_FALSE(item.holdsStretchedCopy());
  TSurface fresh(screen.width(), screen.height());
  blitStretch(fresh, full, *item.patternSurface(0), item.patternRect(0), false);
  for (int frame = 0; frame < 3; ++frame) {
    item.stretchDraw(screen, full, 0);
    ASSERT_TRUE(samePixels(screen, fresh)) << "frame " << frame;
  }
  EXPECT_NE(screen.row(100)[100], before);

  // Surfaces discarded with the display: nothing kept, nothing drawn.
  item.finalize();
  EXPECT_FALSE(item.holdsStretchedCopy());
  item.stretchDraw(screen, full, 0);
}

}  // namespace
}  // namespace mv
