#pragma once
// Lines of text rendered once and drawn again from then on. The names over a hundred fighters, the chat
// feed and the heads-up display's numbers are the same strings frame after frame; laying their glyphs
// down one by one was a third of a crowded match's drawing.
//
// A rendered line is the coverage of all its glyphs in one mask, drawn with the vector blend of
// CoverageBlend.h in any colour. Where two glyphs of the line cover the same pixel, the later one's
// coverage is kept aside and laid over after the mask, so the pixels stay those of drawing glyph by
// glyph.

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/draw/Geometry.h"

namespace mv {

class TGlyphSet;
class TSurface;

struct TTextRun {
  struct Overlap {
    int32_t at;  // index into coverage
    uint8_t coverage;
  };
  int left = 0, top = 0;  // the mask's top-left relative to the text's (x, y)
  int width = 0, height = 0;
  std::vector<uint8_t> coverage;  // width * height
  std::vector<Overlap> overlaps;  // in drawing order

  // The glyphs of text laid along the pen as the canvas draws them.
  static TTextRun render(const TGlyphSet& glyphs, std::string_view text);
  // Draws with the mask's top-left at (x + left, y + top), clipped to the surface.
  void draw(TSurface& surface, int x, int y, uint16_t colour) const;
  size_t bytes() const;
};

class TTextCache {
 public:
  // Lines wider or taller than this are drawn glyph by glyph and never kept.
  static constexpr int kLargestSide = 2048;

  explicit TTextCache(size_t budgetBytes = 2u << 20) : budget_(budgetBytes) {}

  // The line rendered in that glyph set, from the cache or rendered now (then the least recently used
  // lines go until the cache fits its budget again). Null when the line is too large to keep.
  const TTextRun* find(const TGlyphSet& glyphs, std::string_view text);
  void clear();

  size_t bytes() const { return bytes_; }
  size_t lines() const { return index_.size(); }

 private:
  struct Entry {
    const TGlyphSet* glyphs;
    std::string text;
    TTextRun run;
  };
  struct Key {
    const TGlyphSet* glyphs;
    std::string_view text;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    size_t operator()(const Key& k) const {
      return std::hash<std::string_view>()(k.text) ^ (std::hash<const void*>()(k.glyphs) * 31);
    }
  };
  static size_t entryBytes(const Entry& e);

  size_t budget_;
  size_t bytes_ = 0;
  std::list<Entry> recent_;  // most recently used first
  std::unordered_map<Key, std::list<Entry>::iterator, KeyHash> index_;  // views into recent_'s texts
};

}  // namespace mv
