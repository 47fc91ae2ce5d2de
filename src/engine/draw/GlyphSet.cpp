#include "engine/draw/GlyphSet.h"

#include <fstream>
#include <memory>
#include <string>

#include "platform/Cp1251.h"
#include "platform/Error.h"
#include "platform/Paths.h"

namespace mv {

TGlyphSet::TGlyphSet(bool mono, int pixelHeight, bool bold) {
  const std::string file = std::string(mono ? "DejaVuSansMono" : "DejaVuSans") + (bold ? "-Bold" : "") + ".ttf";
  std::unique_ptr<FontFace> face;
  // The fonts that travel with the game's data, else the system's own copy of them.
  for (const std::string& folder :
       {findDataFolder(executableFolder()) + "Fonts/", std::string("/usr/share/fonts/truetype/dejavu/")}) {
    const std::string path = folder + file;
    if (!std::ifstream(path)) continue;
    try {
      face = FontFace::open(path, pixelHeight, false);
      break;
    } catch (const Error&) {
    }
  }
  if (!face) {
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

}  // namespace mv
