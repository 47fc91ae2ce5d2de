#include "engine/draw/TextCanvas.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>

#include "engine/draw/Surface.h"
#include "platform/Cp1251.h"
#include "platform/Error.h"
#include "platform/Font.h"

namespace mv {

// The 256 glyphs of the code page at one face, size and weight, rasterised once.
class TGlyphSet {
 public:
  TGlyphSet(bool mono, int pixelHeight, bool bold) {
    const std::string file =
        std::string(mono ? "DejaVuSansMono" : "DejaVuSans") + (bold ? "-Bold" : "") + ".ttf";
    std::unique_ptr<FontFace> face;
    for (const char* folder : {"Fonts/", "/usr/share/fonts/truetype/dejavu/"}) {
      const std::string path = folder + file;
      if (!std::ifstream(path)) continue;
      try {
        face = FontFace::open(path, pixelHeight, false);
        break;
      } catch (const Error&) {
      }
    }
    if (!face) {
      // Without a font file the text still takes room, so layouts do not collapse.
      lineHeight_ = pixelHeight + pixelHeight / 4;
      for (auto& g : glyphs_) g.advance = pixelHeight / 2;
      return;
    }
    lineHeight_ = face->lineHeight();
    for (int code = 0; code < 256; ++code) {
      const char32_t cp = cp1251ToUnicode(static_cast<uint8_t>(code));
      if (cp >= 32) glyphs_[code] = face->renderGlyph(cp);
    }
  }

  const GlyphBitmap& glyph(uint8_t code) const { return glyphs_[code]; }
  int lineHeight() const { return lineHeight_; }

 private:
  std::array<GlyphBitmap, 256> glyphs_;
  int lineHeight_ = 0;
};

namespace {

bool isFixedPitchName(const std::string& name) {
  for (const char* hint : {"Courier", "Mono", "Console", "Fixedsys", "Terminal"})
    if (name.find(hint) != std::string::npos) return true;
  return false;
}

// Coverage blended over a 5-6-5 pixel, channel by channel.
inline uint16_t blendCoverage(uint16_t d, int r, int g, int b, int c) {
  const int dr = d >> 11, dg = (d >> 5) & 63, db = d & 31;
  const int nr = dr + ((r - dr) * c) / 255, ng = dg + ((g - dg) * c) / 255, nb = db + ((b - db) * c) / 255;
  return static_cast<uint16_t>((nr << 11) | (ng << 5) | nb);
}

}  // namespace

TTextCanvas::TTextCanvas(TSurface& surface) : surface_(surface) {}
TTextCanvas::~TTextCanvas() = default;

TGlyphSet& TTextCanvas::glyphs() {
  const bool mono = fixedPitch_ || isFixedPitchName(fontName_);
  // Windows sizes fonts in points at 96 pixels per inch.
  const int pixelHeight = std::max(1, (std::abs(fontSize_) * 96 + 36) / 72);
  auto& slot = cache_[{mono, pixelHeight, bold_}];
  if (!slot) slot = std::make_unique<TGlyphSet>(mono, pixelHeight, bold_);
  return *slot;
}

int TTextCanvas::textWidth(const std::string& text) {
  const TGlyphSet& set = glyphs();
  int width = 0;
  for (char c : text) width += set.glyph(static_cast<uint8_t>(c)).advance;
  return width;
}

int TTextCanvas::textHeight(const std::string&) {
  return glyphs().lineHeight();
}

void TTextCanvas::textOut(int x, int y, const std::string& text) {
  inUse_ = true;
  const TGlyphSet& set = glyphs();
  if (!brushClear_) {
    const TRect box =
        intersection(boundsRect(x, y, textWidth(text), set.lineHeight()), surface_.clientRect());
    const uint16_t fill = colorRefTo565(brushColor_);
    for (int row = box.Top; row < box.Bottom; ++row)
      std::fill(surface_.row(row) + box.Left, surface_.row(row) + box.Right, fill);
  }
  const uint16_t color = colorRefTo565(fontColor_);
  const int r = color >> 11, g = (color >> 5) & 63, b = color & 31;
  const TRect clip = surface_.clientRect();
  int pen = x;
  for (char ch : text) {
    const GlyphBitmap& glyph = set.glyph(static_cast<uint8_t>(ch));
    const int gx = pen + glyph.left, gy = y + glyph.top;
    const TRect area = intersection(boundsRect(gx, gy, glyph.width, glyph.height), clip);
    for (int row = area.Top; row < area.Bottom; ++row) {
      const uint8_t* cov = glyph.coverage.data() + static_cast<size_t>(row - gy) * glyph.width - gx;
      uint16_t* d = surface_.row(row);
      for (int col = area.Left; col < area.Right; ++col) {
        const int c = cov[col];
        if (c == 0) continue;
        d[col] = c == 255 ? color : blendCoverage(d[col], r, g, b, c);
      }
    }
    pen += glyph.advance;
  }
}

}  // namespace mv
