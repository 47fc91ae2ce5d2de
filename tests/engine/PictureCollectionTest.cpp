// Image archives: how pictures are cut into patterns and surfaces, name lookup, colour keys, and the
// binding to the display that builds and discards the surfaces.

#include <gtest/gtest.h>

#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/archive/NameIndex.h"
#include "engine/archive/PictureCollection.h"

namespace mv {
namespace {

// Every pixel a distinct colour: x in red, y in green, so a pattern's source position is readable.
TPicture coordinates(int w, int h) {
  std::vector<uint32_t> px(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      px[static_cast<size_t>(y) * w + x] = ((x & 0xFF) << 16) | ((y & 0xFF) << 8) | (x >> 8);
  return TPicture(w, h, std::move(px));
}

struct Display {
  TDXDraw draw;
  TDXImageList list{&draw};
  Display() { draw.initialize(); }
};

TEST(PictureCollection, PatternCountsBeforeAndAfterRestore) {
  Display d;
  auto& whole = d.list.Items.add();
  whole.setPicture(coordinates(30, 10));
  EXPECT_EQ(whole.patternCount(), 1);

  auto& strip = d.list.Items.add();
  strip.setPicture(coordinates(100, 20));
  strip.PatternWidth = 20, strip.SkipWidth = 5;
  EXPECT_EQ(strip.patternCount(), 4);
  auto& narrow = d.list.Items.add();
  narrow.setPicture(coordinates(95, 20));
  narrow.PatternWidth = 20, narrow.SkipWidth = 5;
  EXPECT_EQ(narrow.patternCount(), 4);
  auto& tiles = d.list.Items.add();
  tiles.setPicture(coordinates(64, 48));
  tiles.PatternWidth = 16, tiles.PatternHeight = 16;
  EXPECT_EQ(tiles.patternCount(), 12);
  // A gap that swallows the pattern: nothing to cut rather than a division by zero.
  auto& broken = d.list.Items.add();
  broken.setPicture(coordinates(40, 40));
  broken.PatternWidth = 10, broken.SkipWidth = -10;
  EXPECT_EQ(broken.patternCount(), 0);

  for (int i = 0; i < d.list.Items.count(); ++i) d.list.Items.item(i).restore();
  EXPECT_EQ(whole.patternCount(), 1);
  EXPECT_EQ(strip.patternCount(), 4);
  EXPECT_EQ(narrow.patternCount(), 4);
  EXPECT_EQ(tiles.patternCount(), 12);
  EXPECT_EQ(broken.patternCount(), 0);
  EXPECT_EQ(strip.patternRect(3), boundsRect(75, 0, 20, 20));
  EXPECT_EQ(tiles.patternRect(5), boundsRect(16, 16, 16, 16));
  EXPECT_EQ(tiles.width(), 16);
  EXPECT_EQ(whole.height(), 10);
}

TEST(PictureCollection, LargePicturesAreCutIntoBlocksAtWholePatterns) {
  Display d;
  auto& sheet = d.list.Items.add();
  sheet.setPicture(coordinates(1040, 20));
  sheet.PatternWidth = 16, sheet.PatternHeight = 16;
  sheet.restore();
  // Blocks 512 wide (32 tiles) and one tile high: three across, the last 16 wide, and a second row
  // holding the 4 lines below the only row of tiles.
  ASSERT_EQ(sheet.surfaceCount(), 6);
  EXPECT_EQ(sheet.surface(0).width(), 512);
  EXPECT_EQ(sheet.surface(2).width(), 16);
  EXPECT_EQ(sheet.surface(0).height(), 16);
  EXPECT_EQ(sheet.surface(3).height(), 4);
  ASSERT_EQ(sheet.patternCount(), 65);
  EXPECT_EQ(sheet.patternSurface(40), &sheet.surface(1));
  EXPECT_EQ(sheet.patternRect(40), boundsRect(128, 0, 16, 16));
  // The block holds the picture's pixels from its own offset: x = 512 + 128 = 640.
  const uint16_t expected = rgb565(640 & 0xFF, 0, 640 >> 8);
  EXPECT_EQ(sheet.surface(1).row(0)[128], expected);

  // In system memory the same picture is one surface with the patterns at their own positions.
  auto& system = d.list.Items.add();
  system.setPicture(coordinates(1040, 20));
  system.PatternWidth = 16, system.PatternHeight = 16, system.SystemMemory = true;
  system.restore();
  ASSERT_EQ(system.surfaceCount(), 1);
  EXPECT_TRUE(system.surface(0).systemMemory());
  EXPECT_EQ(system.patternRect(40), boundsRect(640, 0, 16, 16));

  // With gaps a block ends at a whole stride: 512 rounded up to 22-pixel strides is 528.
  auto& gapped = d.list.Items.add();
  gapped.setPicture(coordinates(1100, 20));
  gapped.PatternWidth = 20, gapped.SkipWidth = 2;
  gapped.restore();
  EXPECT_EQ(gapped.surface(0).width(), 528);
  EXPECT_EQ(gapped.patternCount(), 50);
  EXPECT_EQ(gapped.patternRect(24), boundsRect(0, 0, 20, 20));
  EXPECT_EQ(gapped.patternSurface(24), &gapped.surface(1));
}

TEST(PictureCollection, LookupIsCaseInsensitiveAndTheLatestNameWins) {
  TPictureCollection c;
  auto& first = c.add();
  first.setName("Cursor");
  auto& second = c.add();
  second.setName("cursor");
  EXPECT_EQ(&c.find("CURSOR"), &second);
  second.setName("Other");
  EXPECT_EQ(&c.find("cursor"), &first);
  EXPECT_EQ(&c.find("other"), &second);
  // Cyrillic names fold case too (Windows-1251 "Ёж" and "ёЖ").
  auto& russian = c.add();
  russian.setName("\xA8\xE6");
  EXPECT_EQ(&c.find("\xB8\xC6"), &russian);
  // A name assigned directly is still found.
  first.Name = "Direct";
  EXPECT_EQ(&c.find("direct"), &first);
  try {
    c.find("Missing");
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Image 'Missing' not found");
  }

  EXPECT_EQ(nameBucket(""), 0);
  EXPECT_EQ(nameBucket("A"), 16);
  EXPECT_EQ(nameBucket("Ab"), (2 * 16 + 'a' + 'a') % 256);
  EXPECT_EQ(nameBucket("Cursor"), (6 * 16 + 'c' + 'o') % 256);
}

TEST(PictureCollection, ColourKeysFollowTheConvertedTransparentColour) {
  Display d;
  auto& item = d.list.Items.add();
  // Two colours that differ only in bits the 5-6-5 conversion drops: both are transparent.
  item.setPicture(TPicture(3, 1, {0xFF00FF, 0xFC03FC, 0x00FF00}));
  item.setTransparentColor(0xFF00FF);
  item.restore();
  EXPECT_EQ(item.surface(0).colorKey(), rgb565(255, 0, 255));
  TSurface dest(3, 1);
  dest.fill(0x1234);
  item.draw(dest, 0, 0, 0);
  EXPECT_EQ(dest.row(0)[0], 0x1234);
  EXPECT_EQ(dest.row(0)[1], 0x1234);
  EXPECT_EQ(dest.row(0)[2], rgb565(0, 255, 0));

  // Changing the colour re-keys the existing surfaces at once.
  item.setTransparentColor(colorRef(0, 255, 0));
  dest.fill(0x1234);
  item.draw(dest, 0, 0, 0);
  EXPECT_EQ(dest.row(0)[0], rgb565(255, 0, 255));
  EXPECT_EQ(dest.row(0)[2], 0x1234);
  // Not transparent: every pixel is copied.
  item.Transparent = false;
  item.draw(dest, 0, 0, 0);
  EXPECT_EQ(dest.row(0)[2], rgb565(0, 255, 0));
}

TEST(PictureCollection, DisplayBuildsAndDiscardsSurfaces) {
  TDXDraw draw;
  TDXImageList list(&draw);
  auto& item = list.Items.add();
  item.setPicture(coordinates(8, 8));
  item.restore();  // no display yet: nothing built
  EXPECT_FALSE(item.initialized());
  EXPECT_EQ(item.surfaceCount(), 0);
  TSurface dest(8, 8);
  item.draw(dest, 0, 0, 0);  // no surfaces: nothing drawn, no error
  try {
    list.Items.initialize();
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "TPictureCollection cannot be initialized");
  }

  int told = 0;
  draw.OnInitialize = [&](TDXDraw& d) {
    ++told;
    EXPECT_EQ(d.surface().width(), d.Display.Width);
  };
  draw.initialize();
  EXPECT_EQ(told, 1);
  EXPECT_TRUE(item.initialized());
  EXPECT_EQ(item.surfaceCount(), 1);

  // Loading while the display is up builds the new items' surfaces.
  TPictureCollection source;
  source.add().setPicture(coordinates(4, 4));
  list.Items.loadFromStream(source.saveToStream());
  EXPECT_EQ(list.Items.item(0).surfaceCount(), 1);

  draw.finalize();
  EXPECT_FALSE(list.Items.item(0).initialized());
  EXPECT_EQ(list.Items.item(0).surfaceCount(), 0);
  EXPECT_EQ(list.Items.item(0).patternCount(), 1);  // counted from the picture again

  // A new stored size takes effect when the display is made again.
  draw.Display.Width = 640, draw.Display.Height = 480;
  draw.reinitialize();
  EXPECT_EQ(draw.width(), 640);
  EXPECT_EQ(list.Items.item(0).surfaceCount(), 1);

  draw.Display.Width = 0;
  EXPECT_THROW(draw.reinitialize(), Error);
}

TEST(PictureCollection, PicturesLoadedWithoutTheirSourcesAreTheSamePictures) {
  TPictureCollection source, kept, dropped, again;
  source.add().setPicture(coordinates(7, 5));
  source.add().setPicture(decodeBitmapFile(encodeBitmapFile(coordinates(5, 3))));
  source.add().setPicture(decodeJpeg(encodeJpeg(coordinates(16, 8))));
  kept.loadFromStream(source.saveToStream());
  dropped.PictureSources = SourceData::Drop;
  dropped.loadFromStream(source.saveToStream());
  again.loadFromStream(dropped.saveToStream());  // written back from the pixels alone
  for (int i = 0; i < source.count(); ++i) {
    EXPECT_FALSE(kept.item(i).picture().sourceData().empty());
    EXPECT_TRUE(dropped.item(i).picture().sourceData().empty());
    EXPECT_EQ(dropped.item(i).picture().pixels(), kept.item(i).picture().pixels()) << i;
    EXPECT_EQ(again.item(i).picture().pixels(), kept.item(i).picture().pixels()) << i;
  }
}

TEST(PictureCollection, ListsOutliveOrPredeceaseTheirDisplay) {
  auto draw = std::make_unique<TDXDraw>();
  TDXImageList list(draw.get());
  {
    TDXImageList shortLived(draw.get());
    draw->initialize();
  }
  draw->finalize();
  draw->initialize();  // the destroyed list is no longer told
  draw.reset();
  EXPECT_EQ(list.dxDraw(), nullptr);
  EXPECT_EQ(list.Items.dxDraw(), nullptr);
}

}  // namespace
}  // namespace mv
