// Picture decoding: every stored layout reads as the same upright picture, and broken headers or
// run-length data are refused without reading or writing outside the buffers.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "engine/archive/BitmapFile.h"
#include "engine/archive/Picture.h"

namespace mv {
namespace {

struct DibBuilder {
  int width = 2, height = 2, bitCount = 24;
  uint32_t compression = 0, colorsUsed = 0, imageSize = 0;
  std::vector<uint32_t> masks;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint8_t> pixels;    // the stored rows

  std::vector<uint8_t> build() const {
    std::vector<uint8_t> out;
    auto put32 = [&](uint32_t v) {
      for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto put16 = [&](uint16_t v) { out.push_back(v & 0xFF), out.push_back(v >> 8); };
    put32(40), put32(static_cast<uint32_t>(width)), put32(static_cast<uint32_t>(height));
    put16(1), put16(static_cast<uint16_t>(bitCount));
    put32(compression), put32(imageSize), put32(0), put32(0), put32(colorsUsed), put32(0);
    for (uint32_t m : masks) put32(m);
    for (uint32_t c : palette) put32(c);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
  }
};

std::string errorOf(const std::vector<uint8_t>& data) {
  try {
    decodeDib(data);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

TEST(Dib, BottomUpAndTopDownRowsDisplayUpright) {
  DibBuilder b;                                   // 2 x 2, 24 bits, rows padded to 8 bytes
  b.pixels = {0,   0, 255, 0,   255, 0,   0, 0,   // stored first: the bottom row, red then green
              255, 0, 0,   255, 255, 255, 0, 0};  // the top row, blue then white
  const TPicture up = decodeDib(b.build());
  ASSERT_EQ(up.width(), 2);
  EXPECT_EQ(up.pixel(0, 0), 0x0000FFu);
  EXPECT_EQ(up.pixel(1, 0), 0xFFFFFFu);
  EXPECT_EQ(up.pixel(0, 1), 0xFF0000u);
  EXPECT_EQ(up.pixel(1, 1), 0x00FF00u);

  DibBuilder t = b;
  t.height = -2;
  t.pixels = {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
  EXPECT_EQ(decodeDib(t.build()).pixels(), up.pixels());
  EXPECT_EQ(decodeDib(t.build()).className(), "TDIB");
}

TEST(Dib, PalettedDepthsAndBitFields) {
  DibBuilder p1;
  p1.width = 10, p1.height = 1, p1.bitCount = 1, p1.palette = {0x000000, 0xFFFFFF};
  p1.pixels = {0b10100000, 0b01000000, 0, 0};
  const TPicture one = decodeDib(p1.build());
  EXPECT_EQ(one.pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(one.pixel(1, 0), 0u);
  EXPECT_EQ(one.pixel(2, 0), 0xFFFFFFu);
  EXPECT_EQ(one.pixel(9, 0), 0xFFFFFFu);

  // Three colours stored for 4 bits: index 7 lies beyond the palette and reads as black.
  DibBuilder p4;
  p4.width = 3, p4.height = 1, p4.bitCount = 4, p4.colorsUsed = 3,
  p4.palette = {0x112233, 0x445566, 0x778899};
  p4.pixels = {0x21, 0x70, 0, 0};
  const TPicture four = decodeDib(p4.build());
  EXPECT_EQ(four.pixel(0, 0), 0x778899u);
  EXPECT_EQ(four.pixel(1, 0), 0x445566u);
  EXPECT_EQ(four.pixel(2, 0), 0u);

  // More colours claimed than 8 bits can index: 256 are read and the pixels follow them.
  DibBuilder p8;
  p8.width = 1, p8.height = 1, p8.bitCount = 8, p8.colorsUsed = 100000;
  p8.palette.assign(256, 0);
  p8.palette[255] = 0xABCDEF;
  p8.pixels = {255, 0, 0, 0};
  EXPECT_EQ(decodeDib(p8.build()).pixel(0, 0), 0xABCDEFu);

  DibBuilder s555;  // 5-5-5 without masks: pure red and pure green
  s555.width = 2, s555.height = 1, s555.bitCount = 16;
  s555.pixels = {0x00, 0x7C, 0xE0, 0x03};
  EXPECT_EQ(decodeDib(s555.build()).pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(decodeDib(s555.build()).pixel(1, 0), 0x00FF00u);
  DibBuilder s565 = s555;  // 5-6-5 through bit fields
  s565.compression = 3, s565.masks = {0xF800, 0x07E0, 0x001F};
  s565.pixels = {0x00, 0xF8, 0xE0, 0x07};
  EXPECT_EQ(decodeDib(s565.build()).pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(decodeDib(s565.build()).pixel(1, 0), 0x00FF00u);

  DibBuilder p32;
  p32.width = 1, p32.height = 1, p32.bitCount = 32, p32.pixels = {1, 2, 3, 99};
  EXPECT_EQ(decodeDib(p32.build()).pixel(0, 0), 0x030201u);
}

TEST(Dib, HeaderFaultsGiveTheirMessages) {
  EXPECT_TRUE(decodeDib({}).empty());
  EXPECT_EQ(errorOf({41, 0, 0, 0}), "DIB is invalid");
  DibBuilder b;
  b.bitCount = 2;
  b.pixels.assign(64, 0);
  EXPECT_EQ(errorOf(b.build()), "Bitcount in invalid (2)");
  b.bitCount = 16, b.compression = 3, b.masks = {0xF000, 0x0F00, 0x00FF};
  EXPECT_EQ(errorOf(b.build()), "PixelFormat in invalid");
  b = DibBuilder{};
  b.bitCount = 32, b.compression = 3, b.masks = {0xFF, 0xFF00, 0xFF0000};
  EXPECT_EQ(errorOf(b.build()), "PixelFormat in invalid");
  b = DibBuilder{};
  b.compression = 4;
  b.pixels.assign(16, 0);
  EXPECT_EQ(errorOf(b.build()), "DIB is invalid");
  b.compression = 1;  // run-length 8 needs 8 bits
  EXPECT_EQ(errorOf(b.build()), "DIB is invalid");
  b = DibBuilder{};
  b.width = 100000, b.height = 1;
  EXPECT_EQ(errorOf(b.build()), "DIB is invalid");
  b.width = 16384, b.height = -16384;  // within each side, but too many pixels altogether
  EXPECT_EQ(errorOf(b.build()), "DIB is invalid");
  b = DibBuilder{};
  b.pixels.assign(15, 0);  // one byte short of two padded rows
  EXPECT_EQ(errorOf(b.build()), "Stream read error");
  // The old core header: 2-byte sizes and 3-byte palette entries.
  std::vector<uint8_t> core = {12, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 9, 8, 7, 0x80, 0, 0, 0};
  EXPECT_EQ(decodeDib(core).pixel(0, 0), 0x070809u);
}

TEST(Dib, RunLengthPicturesExpandAndRefuseRunsOutsideThePicture) {
  DibBuilder r8;
  r8.width = 4, r8.height = 2, r8.bitCount = 8, r8.compression = 1, r8.colorsUsed = 3;
  r8.palette = {0x000000, 0xFF0000, 0x0000FF};
  // Bottom row: two of colour 1, two of colour 2; end of line; top row: move right 3, one of colour 1.
  r8.pixels = {2, 1, 2, 2, 0, 0, 0, 2, 3, 0, 1, 1, 0, 1};
  r8.imageSize = static_cast<uint32_t>(r8.pixels.size());
  const TPicture p = decodeDib(r8.build());
  EXPECT_EQ(p.pixel(0, 1), 0xFF0000u);
  EXPECT_EQ(p.pixel(1, 1), 0xFF0000u);
  EXPECT_EQ(p.pixel(2, 1), 0x0000FFu);
  EXPECT_EQ(p.pixel(3, 1), 0x0000FFu);
  EXPECT_EQ(p.pixel(0, 0), 0u);
  EXPECT_EQ(p.pixel(3, 0), 0xFF0000u);

  DibBuilder r4 = r8;
  r4.bitCount = 4, r4.compression = 2;
  r4.pixels = {4, 0x12, 0, 1};  // alternating nibbles 1 2 1 2
  r4.imageSize = 4;
  const TPicture q = decodeDib(r4.build());
  EXPECT_EQ(q.pixel(0, 1), 0xFF0000u);
  EXPECT_EQ(q.pixel(1, 1), 0x0000FFu);
  EXPECT_EQ(q.pixel(3, 1), 0x0000FFu);

  auto refused = [](DibBuilder b, std::vector<uint8_t> data) {
    b.pixels = std::move(data);
    b.imageSize = static_cast<uint32_t>(b.pixels.size());
    return errorOf(b.build());
  };
  EXPECT_EQ(refused(r8, {5, 1, 0, 1}), "DIB is invalid");              // a run past the row
  EXPECT_EQ(refused(r8, {0, 2, 9, 0, 1, 1}), "DIB is invalid");        // a move past the row
  EXPECT_EQ(refused(r8, {0, 2, 0, 7, 1, 1}), "DIB is invalid");        // a move past the picture
  EXPECT_EQ(refused(r8, {0, 0, 0, 0, 1, 1}), "DIB is invalid");        // a third row of two
  EXPECT_EQ(refused(r8, {0, 4, 1, 1}), "Stream read error");           // literals cut short
  EXPECT_EQ(refused(r8, {0, 6, 1, 1, 1, 1, 1, 1}), "DIB is invalid");  // literals past the row
  DibBuilder big = r8;
  big.imageSize = 1000;  // more packed data claimed than stored
  EXPECT_EQ(errorOf(big.build()), "Stream read error");
  DibBuilder topDown = r8;
  topDown.height = -2;
  EXPECT_EQ(errorOf(topDown.build()), "DIB is invalid");
}

TEST(Picture, FilesBlocksMirrorAndJpeg) {
  std::vector<uint32_t> px = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0x808080, 0xFFFFFF};
  const TPicture p(3, 2, px);
  const TPicture m = p.mirrored();
  EXPECT_EQ(m.pixel(0, 0), 0x0000FFu);
  EXPECT_EQ(m.pixel(2, 0), 0xFF0000u);
  EXPECT_EQ(m.pixel(0, 1), 0xFFFFFFu);

  const auto dir = std::filesystem::temp_directory_path() / "mv_picture_test";
  std::filesystem::create_directories(dir);
  saveBitmapFile(p, (dir / "a.bmp").string());
  const TPicture back = loadPictureFile((dir / "a.bmp").string());
  EXPECT_EQ(back.pixels(), p.pixels());
  EXPECT_EQ(back.className(), "TBitmap");
  // Stored in an archive block and read again, the bitmap file is kept as it came.
  EXPECT_EQ(readPictureBlock(writePictureBlock(back)).pixels(), p.pixels());

  std::vector<uint32_t> flat(64 * 32, 0x2060A0);
  saveJpegFile(TPicture(64, 32, flat), (dir / "b.JPG").string());
  const TPicture jpeg = loadPictureFile((dir / "b.JPG").string());
  ASSERT_EQ(jpeg.width(), 64);
  EXPECT_EQ(jpeg.className(), "TJPEGImage");
  const uint32_t c = jpeg.pixel(10, 10);
  EXPECT_NEAR(int(c >> 16), 0x20, 3);
  EXPECT_NEAR(int((c >> 8) & 0xFF), 0x60, 3);
  EXPECT_NEAR(int(c & 0xFF), 0xA0, 3);
  EXPECT_EQ(readPictureBlock(writePictureBlock(jpeg)).pixels(), jpeg.pixels());

  try {
    loadPictureFile((dir / "c.png").string());
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Unknown picture file extension (.png)");
  }
  try {
    loadPictureFile("Textures/missing.bmp");
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot open file Textures/missing.bmp");
  }
  std::vector<uint8_t> junk = {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3};
  EXPECT_THROW(decodeJpeg(junk), Error);
  // An unregistered class leaves the item without a picture.
  std::vector<uint8_t> icon = {5, 'T', 'I', 'c', 'o', 'n', 1, 2, 3};
  EXPECT_TRUE(readPictureBlock(icon).empty());
  std::filesystem::remove_all(dir);
}

TEST(Picture, ScreenshotSavesTheClippedRectangleUpright) {
  TSurface s(4, 3);
  s.fill(rgb565(255, 255, 255));
  s.row(0)[1] = rgb565(255, 0, 0);
  s.row(2)[3] = rgb565(0, 0, 255);
  const auto path = (std::filesystem::temp_directory_path() / "mv_scr001.bmp").string();
  saveBitmapFile(s, {1, 0, 10, 10}, path);  // reaches past the surface: only the inside is saved
  const TPicture p = loadPictureFile(path);
  ASSERT_EQ(p.width(), 3);
  ASSERT_EQ(p.height(), 3);
  EXPECT_EQ(p.pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(p.pixel(2, 2), 0x0000FFu);
  EXPECT_EQ(p.pixel(1, 1), 0xFFFFFFu);  // white stays white through 5-6-5
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace mv

namespace mv {
namespace {

// Peak resident memory of this process so far, in kilobytes.
long peakResidentKb() {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return 0;
  char line[256];
  long kb = 0;
  while (std::fgets(line, sizeof line, f))
    if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
  std::fclose(f);
  return kb;
}

TEST(Dib, HugeHeadersOverTinyDataFailBeforeReservingMemory) {
  const long before = peakResidentKb();
  DibBuilder plain;  // 8192 x 8192 x 24 bits promised, a handful of bytes given
  plain.width = 8192, plain.height = 8192;
  plain.pixels.assign(40, 0);
  EXPECT_EQ(errorOf(plain.build()), "Stream read error");
  DibBuilder rle;  // a tiny run-length picture claiming the same size
  rle.width = 8192, rle.height = 8192, rle.bitCount = 8, rle.compression = 1;
  rle.palette = {0};
  rle.colorsUsed = 1;
  rle.pixels = {0, 1};
  rle.imageSize = 2;
  EXPECT_EQ(errorOf(rle.build()), "DIB is invalid");
  // Neither came near the 256 MiB the headers promise.
  EXPECT_LT(peakResidentKb() - before, 64 * 1024);
}

}  // namespace
}  // namespace mv
