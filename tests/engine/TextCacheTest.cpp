// Text drawn from cached lines against text drawn glyph by glyph: every character of the shipped faces
// at every size and weight the game draws, in several colours over a speckled background, clipped at
// every edge; the coverage blend of every instruction set against the pixel formula; the cache's
// budget; a new back surface starting without cached lines.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/draw/CoverageBlend.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/GlyphSet.h"
#include "engine/draw/Surface.h"
#include "engine/draw/TextCache.h"
#include "engine/draw/TextCanvas.h"

namespace mv {
namespace {

void speckle(TSurface& s, uint32_t seed) {
  std::mt19937 random(seed);
  for (int i = 0; i < s.width() * s.height(); ++i) s.pixels()[i] = static_cast<uint16_t>(random());
}

// Every code page character from the space up, in lines of 32 (the order kept and reversed, so each
// glyph meets different neighbours), and the whole set as one line too wide to keep.
std::vector<std::string> everyCharacter() {
  std::vector<std::string> lines;
  std::string all;
  for (int code = 32; code < 256; ++code) all += static_cast<char>(code);
  for (size_t at = 0; at < all.size(); at += 32) {
    std::string line = all.substr(at, 32);
    lines.push_back(line);
    lines.emplace_back(line.rbegin(), line.rend());
  }
  lines.push_back(all + all + all);
  return lines;
}

TEST(TextCache, CachedLinesGiveThePixelsOfGlyphByGlyph) {
  // The faces the game draws with: names 8 bold, the feed 10, the console, the heads-up display and
  // the buttons 12, the title's version 20 and the title 50 (fixed pitch), the widgets 8 to 12; the
  // weight is whatever the canvas holds, so both.
  const std::vector<std::string> lines = everyCharacter();
  const uint32_t colours[] = {colorRef(255, 255, 255), colorRef(0, 255, 0), colorRef(200, 17, 90)};
  size_t overlaps = 0;
  for (bool mono : {false, true})
    for (int size : {8, 10, 12, 20, 50})
      for (bool bold : {false, true}) {
        SCOPED_TRACE(std::string(mono ? "mono " : "") + std::to_string(size) + (bold ? " bold" : ""));
        TSurface cached(640, 160), plain(640, 160);
        for (TSurface* s : {&cached, &plain}) {
          speckle(*s, static_cast<uint32_t>(size));
          TTextCanvas& c = s->canvas();
          c.setFontFixedPitch(mono);
          c.setFontSize(size);
          c.setFontBold(bold);
          c.setBrushClear(true);
          c.setCaching(s == &cached);
          int i = 0;
          for (const std::string& line : lines) {
            c.setFontColor(colours[i % 3]);
            // Across the surface and off each of its edges in turn.
            const int x = (i * 37) % 700 - 60, y = (i * 23) % 200 - 40;
            c.textOut(x, y, line);
            c.textOut(x, y, line);  // the second time from the cache
            ++i;
          }
        }
        for (int y = 0; y < cached.height(); ++y)
          for (int x = 0; x < cached.width(); ++x)
            ASSERT_EQ(cached.row(y)[x], plain.row(y)[x]) << "pixel " << x << "," << y;
        EXPECT_GT(cached.canvas().textCache().lines(), 0u);
        EXPECT_EQ(plain.canvas().textCache().lines(), 0u);
        TGlyphSet glyphs(mono, (size * 96 + 36) / 72, bold);
        for (const std::string& line : lines) overlaps += TTextRun::render(glyphs, line).overlaps.size();
      }
  // Neighbouring glyphs do share pixels somewhere, so the overlaps were drawn above.
  EXPECT_GT(overlaps, 0u);
}

TEST(TextCache, EveryInstructionSetBlendsCoverageAsThePixelFormula) {
  std::mt19937 random(3);
  // Runs of empty and full coverage as well as edges, so whole vectors are passed over and filled.
  std::vector<uint8_t> coverage(200);
  for (size_t i = 0; i < coverage.size(); ++i) {
    const size_t run = (i / 16) % 4;
    coverage[i] = run == 0 ? 0 : run == 1 ? 255 : static_cast<uint8_t>(random());
  }
  std::vector<uint16_t> under(200);
  for (auto& p : under) p = static_cast<uint16_t>(random());
  for (SimdLevel level : {SimdLevel::Scalar, SimdLevel::Sse2, SimdLevel::Avx2}) {
    if (!simdLevelAvailable(level)) continue;
    for (uint16_t colour : {uint16_t{0xFFFF}, uint16_t{0x07E0}, uint16_t{0}, uint16_t{0x8A52}})
      for (int count = 0; count <= 80; ++count)
        for (int offset = 0; offset < 40; offset += 3) {
          std::vector<uint16_t> got = under, want = under;
          blendCoverageRow(got.data() + offset, coverage.data() + offset * 2, count, colour, level);
          for (int i = 0; i < count; ++i) {
            const int c = coverage[static_cast<size_t>(offset * 2 + i)];
            if (c) want[static_cast<size_t>(offset + i)] = blendCoverage(want[static_cast<size_t>(offset + i)],
                                                                       colour >> 11, (colour >> 5) & 63, colour & 31, c);
          }
          ASSERT_EQ(got, want) << "level " << static_cast<int>(level) << " count " << count << " offset " << offset;
        }
  }
}

TEST(TextCache, KeepsToItsBudgetAndTheLinesInUse) {
  TGlyphSet glyphs(false, 13, false);
  TTextCache cache(64 * 1024);
  const TTextRun* name = cache.find(glyphs, "Player1");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(cache.find(glyphs, "Player1"), name) << "drawn again from the cache";
  for (int i = 0; i < 2000; ++i) {
    ASSERT_NE(cache.find(glyphs, "chat line number " + std::to_string(i)), nullptr);
    EXPECT_EQ(cache.find(glyphs, "Player1"), name) << "a line drawn every frame stays";
    ASSERT_LE(cache.bytes(), 64u * 1024);
  }
  EXPECT_LT(cache.lines(), 2000u);
  EXPECT_GT(cache.lines(), 20u);
  // Another glyph set is another line; one too wide to keep is drawn glyph by glyph.
  TGlyphSet bold(false, 13, true);
  EXPECT_NE(cache.find(bold, "Player1"), name);
  EXPECT_EQ(cache.find(glyphs, std::string(500, 'W')), nullptr);
  cache.clear();
  EXPECT_EQ(cache.lines(), 0u);
  EXPECT_EQ(cache.bytes(), 0u);
}

TEST(TextCache, ANewBackSurfaceStartsWithoutCachedLines) {
  TDXDraw draw;
  draw.initialize();
  draw.surface().canvas().textOut(10, 10, "Mashvolt");
  EXPECT_EQ(draw.surface().canvas().textCache().lines(), 1u);
  draw.reinitialize();
  EXPECT_EQ(draw.surface().canvas().textCache().lines(), 0u);
}

}  // namespace
}  // namespace mv
