// Device-independent bitmaps, bare (the "TDIB" archive blocks) or inside a bitmap file.

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/archive/Picture.h"
#include "platform/Error.h"

namespace mv {
namespace {

[[noreturn]] void invalid() {
  throw Error("DIB is invalid");
}

class Cursor {
 public:
  explicit Cursor(std::span<const uint8_t> data) : data_(data) {}
  size_t remaining() const { return data_.size() - pos_; }
  size_t position() const { return pos_; }
  void seek(size_t pos) { pos_ = pos; }
  std::span<const uint8_t> bytes(size_t count) {
    if (count > remaining()) throw Error("Stream read error");
    auto out = data_.subspan(pos_, count);
    pos_ += count;
    return out;
  }
  uint16_t u16() {
    auto b = bytes(2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
  }
  uint32_t u32() {
    auto b = bytes(4);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t(b[3]) << 24);
  }

 private:
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
};

struct Header {
  int32_t width = 0, height = 0;
  int bitCount = 0;
  uint32_t compression = 0, imageSize = 0, colorsUsed = 0;
  uint32_t masks[3] = {0, 0, 0};
  bool haveMasks = false;
  int paletteEntrySize = 4;
};

Header readHeader(Cursor& c, bool allowLongHeaders) {
  Header h;
  const uint32_t size = c.u32();
  if (size == 12) {
    h.width = c.u16();
    h.height = c.u16();
    c.u16();  // planes
    h.bitCount = c.u16();
    h.paletteEntrySize = 3;
    return h;
  }
  // Bitmap files may carry the longer headers of later Windows versions; their extra fields are ignored
  // apart from the masks, which they hold inside the header.
  if (size != 40 && !(allowLongHeaders && (size == 108 || size == 124))) invalid();
  h.width = static_cast<int32_t>(c.u32());
  h.height = static_cast<int32_t>(c.u32());
  c.u16();  // planes
  h.bitCount = c.u16();
  h.compression = c.u32();
  h.imageSize = c.u32();
  c.u32(), c.u32();  // resolution
  h.colorsUsed = c.u32();
  c.u32();  // colours important
  if (h.compression == 3) {
    for (auto& m : h.masks) m = c.u32();
    h.haveMasks = true;
    if (size > 40) c.bytes(size - 52);
  } else if (size > 40) {
    c.bytes(size - 40);
  }
  return h;
}

uint32_t expand5(uint32_t v) {
  return (v << 3) | (v >> 2);
}
uint32_t expand6(uint32_t v) {
  return (v << 2) | (v >> 4);
}

// One stored row of raw pixels into 0x00RRGGBB.
void decodeRow(const uint8_t* s, uint32_t* out, int width, int bitCount, bool is565,
               const std::array<uint32_t, 256>& palette) {
  switch (bitCount) {
    case 1:
      for (int x = 0; x < width; ++x) out[x] = palette[(s[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    case 4:
      for (int x = 0; x < width; ++x) out[x] = palette[(s[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
      break;
    case 8:
      for (int x = 0; x < width; ++x) out[x] = palette[s[x]];
      break;
    case 16:
      for (int x = 0; x < width; ++x) {
        const uint32_t v = s[2 * x] | (s[2 * x + 1] << 8);
        out[x] = is565 ? (expand5(v >> 11) << 16) | (expand6((v >> 5) & 63) << 8) | expand5(v & 31)
                       : (expand5((v >> 10) & 31) << 16) | (expand5((v >> 5) & 31) << 8) | expand5(v & 31);
      }
      break;
    case 24:
      for (int x = 0; x < width; ++x) out[x] = s[3 * x] | (s[3 * x + 1] << 8) | (s[3 * x + 2] << 16);
      break;
    case 32:
      for (int x = 0; x < width; ++x) out[x] = s[4 * x] | (s[4 * x + 1] << 8) | (s[4 * x + 2] << 16);
      break;
  }
}

// Run-length data of the Windows bitmap format into palette indices (bottom-up rows). Runs and moves
// that leave the row or the picture are refused rather than clipped: they only come from broken files.
void expandRle(std::span<const uint8_t> data, bool rle4, int width, int height,
               std::vector<uint8_t>& indices) {
  size_t pos = 0;
  int x = 0, y = 0;
  auto next = [&]() -> uint8_t { return pos < data.size() ? data[pos++] : 0; };
  auto put = [&](uint8_t index) {
    if (x >= width || y >= height) invalid();
    indices[static_cast<size_t>(height - 1 - y) * width + x] = index;
    ++x;
  };
  while (pos < data.size()) {
    const uint8_t count = next(), value = next();
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(rle4 ? ((i & 1) ? value & 15 : value >> 4) : value);
      continue;
    }
    if (value == 0) {
      x = 0, ++y;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      x += next();
      y += next();
      if (x > width || y > height) invalid();
    } else {
      const int bytes = rle4 ? (value + 1) / 2 : value;
      if (pos + bytes > data.size()) throw Error("Stream read error");
      for (int i = 0; i < value; ++i) {
        const uint8_t b = data[pos + (rle4 ? i / 2 : i)];
        put(rle4 ? ((i & 1) ? b & 15 : b >> 4) : b);
      }
      pos += bytes + (bytes & 1);
    }
  }
}

TPicture decode(std::span<const uint8_t> data, bool fileHeader, const char* className, SourceData source) {
  Cursor c(data);
  size_t pixelOffset = 0;
  if (fileHeader) {
    auto magic = c.bytes(2);
    if (magic[0] != 'B' || magic[1] != 'M') throw Error("Bitmap image is not valid");
    c.u32(), c.u32();
    pixelOffset = c.u32();
  } else if (c.remaining() == 0) {
    return {};
  }
  Header h = readHeader(c, fileHeader);

  if (!h.haveMasks) {
    if (h.bitCount == 16)
      h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
    else
      h.masks[0] = 0xFF0000, h.masks[1] = 0x00FF00, h.masks[2] = 0x0000FF;
  }
  uint32_t paletteCount = h.colorsUsed;
  if (paletteCount == 0 && h.bitCount <= 8) paletteCount = 1u << h.bitCount;
  if (paletteCount > 256) paletteCount = 256;
  // Entries past the stored palette stay black, so any index reads as some colour.
  std::array<uint32_t, 256> palette{};
  for (uint32_t i = 0; i < paletteCount; ++i) {
    auto e = c.bytes(h.paletteEntrySize);
    palette[i] = e[0] | (e[1] << 8) | (e[2] << 16);
  }

  const int bc = h.bitCount;
  if (bc != 1 && bc != 4 && bc != 8 && bc != 16 && bc != 24 && bc != 32)
    throw Error(format("Bitcount in invalid (%d)", bc));
  const uint32_t* m = h.masks;
  const bool is555 = m[0] == 0x7C00 && m[1] == 0x03E0 && m[2] == 0x001F;
  const bool is565 = m[0] == 0xF800 && m[1] == 0x07E0 && m[2] == 0x001F;
  const bool is888 = m[0] == 0xFF0000 && m[1] == 0x00FF00 && m[2] == 0x0000FF;
  if ((bc == 16 && !is555 && !is565) || (bc >= 24 && !is888)) throw Error("PixelFormat in invalid");

  if (h.compression > 3) invalid();
  const bool rle = h.compression == 1 || h.compression == 2;
  if ((h.compression == 1 && bc != 8) || (h.compression == 2 && bc != 4)) invalid();
  if (h.width < 0 || h.width > kMaxPictureSide || h.height < -kMaxPictureSide || h.height > kMaxPictureSide)
    invalid();
  const bool topDown = h.height < 0;
  const int width = h.width, height = topDown ? -h.height : h.height;
  if (rle && topDown) invalid();
  if (static_cast<int64_t>(width) * height > kMaxPicturePixels) invalid();
  if (width == 0 || height == 0) return {};

  if (fileHeader && pixelOffset >= c.position() && pixelOffset <= data.size()) c.seek(pixelOffset);
  // The bytes are taken before any memory is reserved for the picture, so a header that promises more
  // than the block holds fails at once instead of after a huge allocation.
  std::vector<uint32_t> pixels;
  if (rle) {
    // A few bytes of runs and moves can describe a picture of any size; nothing the game draws comes
    // near this bound.
    if (static_cast<int64_t>(width) * height > kMaxCompressedPicturePixels) invalid();
    auto packed = c.bytes(h.imageSize);
    pixels.resize(static_cast<size_t>(width) * height);
    std::vector<uint8_t> indices(pixels.size(), 0);
    expandRle(packed, h.compression == 2, width, height, indices);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = palette[indices[i]];
  } else {
    const size_t rowSize = ((static_cast<size_t>(bc) * width + 31) / 32) * 4;
    auto rows = c.bytes(rowSize * height);
    pixels.resize(static_cast<size_t>(width) * height);
    for (int i = 0; i < height; ++i) {
      const int y = topDown ? i : height - 1 - i;
      decodeRow(rows.data() + rowSize * i, pixels.data() + static_cast<size_t>(y) * width, width, bc, is565,
                palette);
    }
  }
  return TPicture::fromDecoded(width, height, std::move(pixels), className, data, source);
}

}  // namespace

TPicture decodeDib(std::span<const uint8_t> data, SourceData source) {
  return decode(data, false, "TDIB", source);
}
TPicture decodeBitmapFile(std::span<const uint8_t> data, SourceData source) {
  return decode(data, true, "TBitmap", source);
}

std::vector<uint8_t> encodeDib(const TPicture& picture) {
  const int w = picture.width(), h = picture.height();
  const size_t rowSize = ((24u * w + 31) / 32) * 4;
  std::vector<uint8_t> out(40 + rowSize * h, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  put32(0, 40);
  put32(4, static_cast<uint32_t>(w));
  put32(8, static_cast<uint32_t>(h));
  out[12] = 1;   // planes
  out[14] = 24;  // bit count
  put32(20, static_cast<uint32_t>(rowSize * h));
  for (int y = 0; y < h; ++y) {
    uint8_t* row = out.data() + 40 + rowSize * (h - 1 - y);
    const uint32_t* src = picture.row(y);
    for (int x = 0; x < w; ++x) {
      row[3 * x] = static_cast<uint8_t>(src[x]);
      row[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(src[x] >> 16);
    }
  }
  return out;
}

std::vector<uint8_t> encodeBitmapFile(const TPicture& picture) {
  const std::vector<uint8_t> dib = encodeDib(picture);
  std::vector<uint8_t> out(14 + dib.size(), 0);
  const uint32_t size = static_cast<uint32_t>(14 + dib.size()), offset = 14 + 40;
  out[0] = 'B', out[1] = 'M';
  for (int i = 0; i < 4; ++i) out[2 + i] = static_cast<uint8_t>(size >> (8 * i));
  for (int i = 0; i < 4; ++i) out[10 + i] = static_cast<uint8_t>(offset >> (8 * i));
  std::copy(dib.begin(), dib.end(), out.begin() + 14);
  return out;
}

}  // namespace mv
