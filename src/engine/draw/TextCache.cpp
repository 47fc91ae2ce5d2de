#include "engine/draw/TextCache.h"

#include <climits>

#include "engine/draw/CoverageBlend.h"
#include "engine/draw/GlyphSet.h"
#include "engine/draw/Surface.h"

namespace mv {
namespace {

// Every pixel the glyphs of text can touch, relative to the text's (x, y); empty when none has a bitmap.
TRect inkBounds(const TGlyphSet& glyphs, std::string_view text) {
  int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN, pen = 0;
  for (char ch : text) {
    const GlyphBitmap& g = glyphs.glyph(static_cast<uint8_t>(ch));
    if (g.width > 0 && g.height > 0) {
      left = std::min<int64_t>(left, pen + g.left);
      right = std::max<int64_t>(right, pen + g.left + g.width);
      top = std::min<int64_t>(top, g.top);
      bottom = std::max<int64_t>(bottom, g.top + g.height);
    }
    pen += g.advance;
  }
  if (left > right || right - left > INT32_MAX / 2) return {};
  return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
          static_cast<int32_t>(bottom)};
}

}  // namespace

TTextRun TTextRun::render(const TGlyphSet& glyphs, std::string_view text) {
  TTextRun run;
  const TRect ink = inkBounds(glyphs, text);
  if (ink.empty()) return run;
  run.left = ink.Left, run.top = ink.Top, run.width = ink.width(), run.height = ink.height();
  run.coverage.assign(static_cast<size_t>(run.width) * static_cast<size_t>(run.height), 0);
  int pen = 0;
  for (char ch : text) {
    const GlyphBitmap& g = glyphs.glyph(static_cast<uint8_t>(ch));
    const int gx = pen + g.left - run.left, gy = g.top - run.top;
    for (int row = 0; row < g.height; ++row) {
      const uint8_t* from = g.coverage.data() + static_cast<size_t>(row) * static_cast<size_t>(g.width);
      const int32_t at = (gy + row) * run.width + gx;
      for (int col = 0; col < g.width; ++col) {
        const uint8_t c = from[col];
        uint8_t& kept = run.coverage[static_cast<size_t>(at + col)];
        if (c == 0 || kept == 255) continue;  // a pixel fully covered stays the colour whatever comes after
        if (kept == 0)
          kept = c;
        else
          run.overlaps.push_back({at + col, c});
      }
    }
    pen += g.advance;
  }
  return run;
}

void TTextRun::draw(TSurface& surface, int x, int y, uint16_t colour) const {
  const int ox = x + left, oy = y + top;
  const TRect area = intersection(boundsRect(ox, oy, width, height), surface.clientRect());
  if (area.empty()) return;
  const SimdLevel level = bestSimdLevel();
  for (int row = area.Top; row < area.Bottom; ++row)
    blendCoverageRow(surface.row(row) + area.Left,
                     coverage.data() + static_cast<size_t>(row - oy) * static_cast<size_t>(width) + (area.Left - ox),
                     area.width(), colour, level);
  const int r = colour >> 11, g = (colour >> 5) & 63, b = colour & 31;
  for (const Overlap& o : overlaps) {
    const int px = ox + o.at % width, py = oy + o.at / width;
    if (px < area.Left || px >= area.Right || py < area.Top || py >= area.Bottom) continue;
    uint16_t& d = surface.row(py)[px];
    d = o.coverage == 255 ? colour : blendCoverage(d, r, g, b, o.coverage);
  }
}

size_t TTextRun::bytes() const {
  return sizeof(TTextRun) + coverage.capacity() + overlaps.capacity() * sizeof(Overlap);
}

size_t TTextCache::entryBytes(const Entry& e) {
  // The list node, the index's node and the text besides the run itself.
  return e.run.bytes() + e.text.capacity() + 64;
}

const TTextRun* TTextCache::find(const TGlyphSet& glyphs, std::string_view text) {
  if (auto it = index_.find(Key{&glyphs, text}); it != index_.end()) {
    recent_.splice(recent_.begin(), recent_, it->second);
    return &it->second->run;
  }
  const TRect ink = inkBounds(glyphs, text);
  if (ink.width() > kLargestSide || ink.height() > kLargestSide) return nullptr;
  recent_.push_front(Entry{&glyphs, std::string(text), TTextRun::render(glyphs, text)});
  Entry& entry = recent_.front();
  index_.emplace(Key{entry.glyphs, entry.text}, recent_.begin());
  bytes_ += entryBytes(entry);
  // The newest line always stays, even alone over the budget, so the caller can draw it.
  while (bytes_ > budget_ && recent_.size() > 1) {
    const Entry& oldest = recent_.back();
    bytes_ -= entryBytes(oldest);
    index_.erase(Key{oldest.glyphs, oldest.text});
    recent_.pop_back();
  }
  return &entry.run;
}

void TTextCache::clear() {
  index_.clear();
  recent_.clear();
  bytes_ = 0;
}

}  // namespace mv
