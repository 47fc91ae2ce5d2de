// The drawing operations of picture items and surfaces, checked on the pixels that matter.

#include <gtest/gtest.h>

#include "engine/draw/Blit.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/draw/Rotate.h"

namespace mv {
namespace {

constexpr uint32_t kKey = 0xFF00FF;
const uint16_t kKey565 = rgb565(255, 0, 255);
const uint16_t kBack = rgb565(0, 0, 64);

// A display with one picture item made from rows of characters: '.' is the key colour, letters are
// colours from the table.
struct Fixture {
  TDXDraw draw;
  TDXImageList list{&draw};
  TSurface dest{32, 32};

  static uint32_t colourOf(char c) {
    switch (c) {
      case '.':
        return kKey;
      case 'r':
        return 0xFF0000;
      case 'g':
        return 0x00FF00;
      case 'b':
        return 0x0000FF;
      case 'w':
        return 0xFFFFFF;
      default:
        return 0x808080;
    }
  }
  TPictureCollectionItem& item(const std::vector<std::string>& rows, int patternWidth = 0) {
    std::vector<uint32_t> px;
    for (const auto& row : rows)
      for (char c : row) px.push_back(colourOf(c));
    auto& it = list.Items.add();
    it.setPicture(TPicture(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), px));
    it.setTransparentColor(kKey);
    it.PatternWidth = patternWidth;
    it.restore();
    return it;
  }
  Fixture() {
    draw.initialize();
    dest.fill(kBack);
  }
  uint16_t at(int x, int y) const { return dest.row(y)[x]; }
  static uint16_t c565(char c) {
    const uint32_t v = colourOf(c);
    return rgb565(v >> 16, (v >> 8) & 0xFF, v & 0xFF);
  }
};

TEST(Drawing, KeyedDrawClipsAndIgnoresPatternsOutOfRange) {
  Fixture f;
  auto& it = f.item({"r.gb", "wwww"}, 2);  // two 2x2 patterns
  it.draw(f.dest, 3, 4, 1);
  EXPECT_EQ(f.at(3, 4), Fixture::c565('g'));
  EXPECT_EQ(f.at(4, 4), Fixture::c565('b'));
  EXPECT_EQ(f.at(3, 5), Fixture::c565('w'));
  it.draw(f.dest, 10, 10, 0);
  EXPECT_EQ(f.at(11, 10), kBack);  // the key pixel left the background
  EXPECT_EQ(f.at(10, 10), Fixture::c565('r'));

  // Half off every edge: only the inside lands, nothing outside is touched (the sanitizer build checks).
  it.draw(f.dest, -1, -1, 1);
  EXPECT_EQ(f.at(0, 0), Fixture::c565('w'));
  it.draw(f.dest, 31, 31, 0);
  EXPECT_EQ(f.at(31, 31), Fixture::c565('r'));
  it.draw(f.dest, 1000, -1000, 0);

  TSurface before(32, 32);
  before.draw(0, 0, f.dest.clientRect(), f.dest, false);
  it.draw(f.dest, 0, 0, it.patternCount());
  it.draw(f.dest, 0, 0, -1);
  it.stretchDraw(f.dest, {0, 0, 8, 8}, 2);
  it.drawAlpha(f.dest, {0, 0, 8, 8}, 2, 128);
  it.drawRotate(f.dest, 8, 8, 4, 4, 2, 0.5, 0.5, 10);
  EXPECT_TRUE(std::equal(before.pixels(), before.pixels() + 32 * 32, f.dest.pixels()));
}

TEST(Drawing, SurfaceCopyClipsSourceAndDestinationTogether) {
  // The split view's copies: rows H/2 .. H-2 out, then rows 1 .. H/2-1 back to the top.
  const int W = 8, H = 8;
  TSurface back(W, H), temp(W, H / 2);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) back.row(y)[x] = static_cast<uint16_t>(y * 100 + x);
  temp.draw(0, 0, {0, H / 2, W, H - 1}, back, false);
  EXPECT_EQ(temp.row(0)[3], 4 * 100 + 3);
  EXPECT_EQ(temp.row(3)[0], 0);  // row H-1 was not copied; the fill stays
  back.fill(7);
  back.draw(0, 0, {0, 1, W, H}, temp, false);
  EXPECT_EQ(back.row(0)[5], 5 * 100 + 5);
  EXPECT_EQ(back.row(H / 2 - 2)[0], 0);
  EXPECT_EQ(back.row(H / 2 - 1)[0], 7);
  // A source rectangle starting left of the source moves the destination with the clip.
  TSurface small(4, 4);
  small.draw(0, 0, {-2, 0, 2, 1}, temp, false);
  EXPECT_EQ(small.row(0)[2], temp.row(0)[0]);
  EXPECT_EQ(small.row(0)[0], 0);
  // Onto itself, overlapping.
  back.draw(1, 0, {0, 0, 7, 1}, back, false);
  EXPECT_EQ(back.row(0)[1], 5 * 100 + 0);
  EXPECT_EQ(back.row(0)[7], 5 * 100 + 6);
}

TEST(Drawing, StretchSamplesTheNearestPixelIn16Dot16Steps) {
  Fixture f;
  auto& it = f.item({"rgbw"});
  it.stretchDraw(f.dest, {0, 0, 8, 1}, 0);  // twice as wide: each source pixel twice
  EXPECT_EQ(f.at(0, 0), Fixture::c565('r'));
  EXPECT_EQ(f.at(1, 0), Fixture::c565('r'));
  EXPECT_EQ(f.at(2, 0), Fixture::c565('g'));
  EXPECT_EQ(f.at(7, 0), Fixture::c565('w'));
  // Three pixels from four: step 4 * 65536 / 3 = 87381 gives source columns 0, 1, 2.
  it.stretchDraw(f.dest, {0, 2, 3, 3}, 0);
  EXPECT_EQ(f.at(0, 2), Fixture::c565('r'));
  EXPECT_EQ(f.at(1, 2), Fixture::c565('g'));
  EXPECT_EQ(f.at(2, 2), Fixture::c565('b'));
  // Clipped at the left edge, sampling keeps its place in the whole rectangle.
  it.stretchDraw(f.dest, {-4, 4, 4, 5}, 0);
  EXPECT_EQ(f.at(0, 4), Fixture::c565('b'));
  EXPECT_EQ(f.at(3, 4), Fixture::c565('w'));
  auto& keyed = f.item({"r."});
  keyed.stretchDraw(f.dest, {0, 6, 4, 7}, 0);
  EXPECT_EQ(f.at(1, 6), Fixture::c565('r'));
  EXPECT_EQ(f.at(2, 6), kBack);
}

TEST(Drawing, AlphaBlendsByTheChannelFormula) {
  Fixture f;
  auto& it = f.item({"w.", "rg"});
  it.drawAlpha(f.dest, {0, 0, 2, 2}, 0, 0);
  EXPECT_EQ(f.at(0, 0), kBack);
  it.drawAlpha(f.dest, {0, 0, 2, 2}, 0, 255);  // copied unblended, key still applied
  EXPECT_EQ(f.at(0, 0), Fixture::c565('w'));
  EXPECT_EQ(f.at(1, 0), kBack);
  EXPECT_EQ(f.at(0, 1), Fixture::c565('r'));

  f.dest.fill(kBack);
  it.drawAlpha(f.dest, {0, 0, 2, 2}, 0, 128);
  // White (248, 252, 248 unpacked) over (0, 0, 64): (s * 128 + d * 127) div 256 per channel.
  EXPECT_EQ(f.at(0, 0), rgb565(248 * 128 / 256, 252 * 128 / 256, (248 * 128 + 64 * 127) / 256));
  EXPECT_EQ(f.at(1, 0), kBack);
  EXPECT_EQ(blend565(rgb565(255, 255, 255), 0, 255), rgb565(247, 251, 247));
  EXPECT_EQ(blend565(0xFFFF, 0xFFFF, 100), rgb565(247, 251, 247));
  EXPECT_EQ(blend565(rgb565(200, 100, 50), rgb565(40, 80, 120), 64),
            rgb565((200 / 8 * 8 * 64 + 40 / 8 * 8 * 191) / 256, (100 / 4 * 4 * 64 + 80 * 191) / 256,
                   (48 * 64 + 120 * 191) / 256));
}

TEST(Drawing, RotationTurnsClockwiseAboutTheCentre) {
  Fixture f;
  // 4 x 2: top row r g b w, bottom row all grey.
  auto& it = f.item({"rgbw", "xxxx"});
  it.drawRotate(f.dest, 10, 10, 4, 2, 0, 0.5, 0.5, 0);
  EXPECT_EQ(f.at(8, 9), Fixture::c565('r'));
  EXPECT_EQ(f.at(11, 9), Fixture::c565('w'));
  EXPECT_EQ(f.at(8, 10), Fixture::c565('x'));
  EXPECT_EQ(f.at(7, 9), kBack);
  EXPECT_EQ(f.at(12, 9), kBack);

  // 64 units are a quarter turn clockwise: the top row becomes the right column, read downward.
  f.dest.fill(kBack);
  it.drawRotate(f.dest, 10, 10, 4, 2, 0, 0.5, 0.5, 64);
  EXPECT_EQ(f.at(10, 8), Fixture::c565('r'));
  EXPECT_EQ(f.at(10, 9), Fixture::c565('g'));
  EXPECT_EQ(f.at(10, 10), Fixture::c565('b'));
  EXPECT_EQ(f.at(10, 11), Fixture::c565('w'));
  EXPECT_EQ(f.at(9, 8), Fixture::c565('x'));
  EXPECT_EQ(f.at(11, 8), kBack);
  EXPECT_EQ(f.at(10, 12), kBack);
  // Only the low 8 bits count: 64 + 256 is the same turn.
  TSurface same(32, 32);
  same.fill(kBack);
  it.drawRotate(same, 10, 10, 4, 2, 0, 0.5, 0.5, 64 + 256);
  EXPECT_TRUE(std::equal(same.pixels(), same.pixels() + 32 * 32, f.dest.pixels()));

  // Half a turn, scaled twice as large, blended at alpha 255 = copied.
  f.dest.fill(kBack);
  it.drawRotateAlpha(f.dest, 16, 16, 8, 4, 0, 0.5, 0.5, 128, 255);
  EXPECT_EQ(f.at(19, 16), Fixture::c565('r'));
  EXPECT_EQ(f.at(12, 16), Fixture::c565('w'));
  EXPECT_EQ(f.at(12, 14), Fixture::c565('x'));
  f.dest.fill(kBack);
  it.drawRotateAlpha(f.dest, 16, 16, 8, 4, 0, 0.5, 0.5, 128, 0);
  EXPECT_EQ(f.at(19, 16), kBack);

  // A centre at the picture's corner: the picture hangs right and below (x, y) unrotated.
  f.dest.fill(kBack);
  it.drawRotate(f.dest, 20, 20, 4, 2, 0, 0, 0, 0);
  EXPECT_EQ(f.at(20, 20), Fixture::c565('r'));
  EXPECT_EQ(f.at(23, 21), Fixture::c565('x'));
  // Far off the surface and huge sizes draw nothing and touch nothing outside.
  it.drawRotate(f.dest, -5000, 40, 4, 2, 0, 0.5, 0.5, 33);
  it.drawRotate(f.dest, 16, 16, 100000, 100000, 0, 0.5, 0.5, 33);

  EXPECT_DOUBLE_EQ(cosineTable()[0], 1.0);
  EXPECT_NEAR(cosineTable()[(64 + 192) & 255], 1.0, 1e-12);  // the sine of a quarter turn
  EXPECT_NEAR(cosineTable()[(0 + 192) & 255], 0.0, 1e-12);
}

}  // namespace
}  // namespace mv
