#pragma once
// A small glyph rasteriser over a TrueType face: the text canvas caches what it renders.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace mv {

// One glyph's 8-bit coverage, placed relative to the text cell's top-left at the pen position.
struct GlyphBitmap {
  int width = 0, height = 0;
  int left = 0, top = 0;          // offset of the bitmap from the pen position at the cell's top
  int advance = 0;                // pen movement after the glyph
  std::vector<uint8_t> coverage;  // width * height, 0 = empty, 255 = full
};

class FontFace {
 public:
  // Opens a face at a pixel height (the em size). Throws PlatformError when the file cannot be used.
  static std::unique_ptr<FontFace> open(const std::string& path, int pixelHeight, bool embolden);
  virtual ~FontFace() = default;

  virtual int ascent() const = 0;
  virtual int lineHeight() const = 0;  // the text cell's height
  virtual GlyphBitmap renderGlyph(char32_t codePoint) const = 0;
};

}  // namespace mv
