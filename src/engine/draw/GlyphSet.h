#pragma once
// The 256 glyphs of the code page at one face, size and weight, rasterised once.

#include <array>
#include <cstdint>

#include "platform/Font.h"

namespace mv {

class TGlyphSet {
 public:
  // DejaVu Sans (Mono when mono), bold or not, at a pixel height; from the game's Fonts folder or the
  // system's. Without a font file the glyphs are empty but still take room, so layouts do not collapse.
  TGlyphSet(bool mono, int pixelHeight, bool bold);

  const GlyphBitmap& glyph(uint8_t code) const { return glyphs_[code]; }
  int lineHeight() const { return lineHeight_; }

 private:
  std::array<GlyphBitmap, 256> glyphs_;
  int lineHeight_ = 0;
};

}  // namespace mv
