#pragma once
// Text on a surface: a persistent font and brush, like a device context's, drawing Windows-1251 text
// from cached glyphs and cached lines.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "engine/draw/TextCache.h"

namespace mv {

class TSurface;
class TGlyphSet;

class TTextCanvas {
 public:
  explicit TTextCanvas(TSurface& surface);
  ~TTextCanvas();
  TTextCanvas(const TTextCanvas&) = delete;
  TTextCanvas& operator=(const TTextCanvas&) = delete;

  // A face name containing "Courier", "Mono", "Console" or "Fixedsys", or fixed pitch, draws with
  // DejaVu Sans Mono; every other face with DejaVu Sans.
  void setFontName(const std::string& name) {
    if (name != fontName_) fontName_ = name, glyphs_ = nullptr;
  }
  void setFontFixedPitch(bool fixed) {
    if (fixed != fixedPitch_) fixedPitch_ = fixed, glyphs_ = nullptr;
  }
  void setFontSize(int points) {  // pixel height = points * 96 / 72
    if (points != fontSize_) fontSize_ = points, glyphs_ = nullptr;
  }
  void setFontBold(bool bold) {
    if (bold != bold_) bold_ = bold, glyphs_ = nullptr;
  }
  void setFontColor(uint32_t colorRef) { fontColor_ = colorRef; }  // 0x00BBGGRR
  const std::string& fontName() const { return fontName_; }
  bool fontFixedPitch() const { return fixedPitch_; }
  int fontSize() const { return fontSize_; }
  bool fontBold() const { return bold_; }
  uint32_t fontColor() const { return fontColor_; }

  // A clear brush draws text without a background box; a solid one fills the text's cell first.
  void setBrushClear(bool clear) { brushClear_ = clear; }
  bool brushClear() const { return brushClear_; }
  void setBrushColor(uint32_t colorRef) { brushColor_ = colorRef; }
  uint32_t brushColor() const { return brushColor_; }

  // Lines in the pen colour, the way a device context draws them: lineTo leaves its end point out and
  // leaves the pen there. Clipped to the surface, whatever the coordinates.
  void setPenColor(uint32_t colorRef) { penColor_ = colorRef; }
  uint32_t penColor() const { return penColor_; }
  void moveTo(int x, int y) { penX_ = x, penY_ = y; }
  void lineTo(int x, int y);

  // Text (Windows-1251) with its cell's top-left at (x, y).
  void textOut(int x, int y, const std::string& text);
  int textWidth(const std::string& text);
  int textHeight(const std::string& text);

  // Lines drawn are kept rendered (TextCache.h) unless caching is off; the pixels are the same either way.
  void setCaching(bool on) { caching_ = on; }
  const TTextCache& textCache() const { return textCache_; }

  // Ends a group of text calls. Drawing state (font, brush) persists.
  void release() { inUse_ = false; }
  bool inUse() const { return inUse_; }

 private:
  TGlyphSet& glyphs();

  TSurface& surface_;
  std::string fontName_ = "MS Sans Serif";
  bool fixedPitch_ = false;
  int fontSize_ = 8;
  bool bold_ = false;
  uint32_t fontColor_ = 0;
  bool brushClear_ = false;
  uint32_t brushColor_ = 0xFFFFFF;
  uint32_t penColor_ = 0;
  int penX_ = 0, penY_ = 0;
  bool inUse_ = false;
  std::map<std::tuple<bool, int, bool>, std::unique_ptr<TGlyphSet>> cache_;
  TGlyphSet* glyphs_ = nullptr;  // the set of the current font, until the font changes
  bool caching_ = true;
  TTextCache textCache_;  // keyed by the glyph sets above, which live as long
};

}  // namespace mv
