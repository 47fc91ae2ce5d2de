#include "platform/Font.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>

#include "platform/Platform.h"

namespace mv {
namespace {

class SdlFontFace final : public FontFace {
 public:
  explicit SdlFontFace(TTF_Font* font) : font_(font) {}
  ~SdlFontFace() override {
    TTF_CloseFont(font_);
    TTF_Quit();  // balances the TTF_Init of open(); the library counts them
  }

  int ascent() const override { return TTF_FontAscent(font_); }
  int lineHeight() const override { return TTF_FontHeight(font_); }

  GlyphBitmap renderGlyph(char32_t codePoint) const override {
    GlyphBitmap glyph;
    int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
    if (TTF_GlyphMetrics32(font_, codePoint, &minX, &maxX, &minY, &maxY, &advance) != 0) return glyph;
    glyph.advance = advance;
    // Shaded rendering gives an 8-bit surface whose palette index is the coverage, laid out over the
    // whole text cell with the pen at its left edge (less a negative left bearing).
    const SDL_Color white{255, 255, 255, 255}, black{0, 0, 0, 255};
    SDL_Surface* s = TTF_RenderGlyph32_Shaded(font_, codePoint, white, black);
    if (!s) return glyph;
    if (s->format->BytesPerPixel == 1) {
      glyph.width = s->w;
      glyph.height = s->h;
      glyph.left = std::min(minX, 0);
      glyph.top = 0;
      glyph.coverage.resize(static_cast<size_t>(s->w) * s->h);
      SDL_LockSurface(s);
      const SDL_Palette* palette = s->format->palette;
      for (int y = 0; y < s->h; ++y) {
        const auto* row = static_cast<const uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
        for (int x = 0; x < s->w; ++x) {
          const uint8_t index = row[x];
          glyph.coverage[static_cast<size_t>(y) * s->w + x] =
              palette && index < palette->ncolors ? palette->colors[index].g : index;
        }
      }
      SDL_UnlockSurface(s);
    }
    SDL_FreeSurface(s);
    return glyph;
  }

 private:
  TTF_Font* font_;
};

}  // namespace

std::unique_ptr<FontFace> FontFace::open(const std::string& path, int pixelHeight, bool embolden) {
  if (TTF_Init() != 0) throw PlatformError(std::string("Cannot start the font renderer: ") + TTF_GetError());
  TTF_Font* font = TTF_OpenFont(path.c_str(), std::clamp(pixelHeight, 1, 1000));
  if (!font) {
    const std::string reason = TTF_GetError();
    TTF_Quit();
    throw PlatformError("Cannot open font " + path + ": " + reason);
  }
  if (embolden) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
  TTF_SetFontHinting(font, TTF_HINTING_NORMAL);
  return std::make_unique<SdlFontFace>(font);
}

}  // namespace mv
