#include "engine/draw/TextCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "engine/draw/CoverageBlend.h"
#include "engine/draw/GlyphSet.h"
#include "engine/draw/Surface.h"

namespace mv {

namespace {

bool isFixedPitchName(const std::string& name) {
  for (const char* hint : {"Courier", "Mono", "Console", "Fixedsys", "Terminal"})
    if (name.find(hint) != std::string::npos) return true;
  return false;
}

// Liang-Barsky: trims the segment to the rectangle [0, w - 1] x [0, h - 1]; false when nothing is left.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, int w, int h) {
  double t0 = 0, t1 = 1;
  const double dx = x1 - x0, dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0, w - 1 - x0, y0, h - 1 - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  x1 = x0 + t1 * dx, y1 = y0 + t1 * dy;
  x0 = x0 + t0 * dx, y0 = y0 + t0 * dy;
  return true;
}

// Whether any glyph of the text, laid along the pen from (x, y), reaches the surface. The names over a
// crowd of fighters mostly lie off the screen; they are passed by before the cache is asked for them.
bool inkMayShow(const TGlyphSet& set, int x, int y, const TSurface& surface, const std::string& text) {
  int64_t pen = x;
  for (char ch : text) {
    const GlyphBitmap& glyph = set.glyph(static_cast<uint8_t>(ch));
    const int64_t gx = pen + glyph.left, gy = int64_t{y} + glyph.top;
    if (glyph.width > 0 && glyph.height > 0 && gx + glyph.width > 0 && gx < surface.width() &&
        gy + glyph.height > 0 && gy < surface.height())
      return true;
    pen += glyph.advance;
  }
  return false;
}

}  // namespace

void TTextCanvas::lineTo(int x, int y) {
  inUse_ = true;
  const int w = surface_.width(), h = surface_.height();
  const bool inside =
      penX_ >= 0 && penX_ < w && penY_ >= 0 && penY_ < h && x >= 0 && x < w && y >= 0 && y < h;
  int64_t x0 = penX_, y0 = penY_, x1 = x, y1 = y;
  bool lastPixel = false;  // the end point itself is never drawn, a clipped end is
  penX_ = x, penY_ = y;
  if (!inside) {
    // Only the part on the surface is walked, so a line to a far-off point costs no more than a short one.
    double fx0 = static_cast<double>(x0), fy0 = static_cast<double>(y0);
    double fx1 = static_cast<double>(x1), fy1 = static_cast<double>(y1);
    if (w <= 0 || h <= 0 || !clipSegment(fx0, fy0, fx1, fy1, w, h)) return;
    const int64_t cx1 = std::llround(fx1), cy1 = std::llround(fy1);
    lastPixel = cx1 != x1 || cy1 != y1;
    x0 = std::llround(fx0), y0 = std::llround(fy0), x1 = cx1, y1 = cy1;
  }
  const uint16_t color = colorRefTo565(penColor_);
  const int64_t dx = std::llabs(x1 - x0), dy = -std::llabs(y1 - y0);
  const int64_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int64_t err = dx + dy;
  for (;;) {
    const bool atEnd = x0 == x1 && y0 == y1;
    if ((!atEnd || lastPixel) && x0 >= 0 && x0 < w && y0 >= 0 && y0 < h)
      surface_.row(static_cast<int>(y0))[x0] = color;
    if (atEnd) break;
    const int64_t e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

TTextCanvas::TTextCanvas(TSurface& surface) : surface_(surface) {}
TTextCanvas::~TTextCanvas() = default;

TGlyphSet& TTextCanvas::glyphs() {
  if (glyphs_) return *glyphs_;
  const bool mono = fixedPitch_ || isFixedPitchName(fontName_);
  // Windows sizes fonts in points at 96 pixels per inch.
  const int pixelHeight = std::max(1, (std::abs(fontSize_) * 96 + 36) / 72);
  auto& slot = cache_[{mono, pixelHeight, bold_}];
  if (!slot) slot = std::make_unique<TGlyphSet>(mono, pixelHeight, bold_);
  glyphs_ = slot.get();
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
    // A line wholly beside the surface leaves a box with its right edge before its left.
    for (int row = box.Top; row < box.Bottom && box.Left < box.Right; ++row)
      std::fill(surface_.row(row) + box.Left, surface_.row(row) + box.Right, fill);
  }
  if (!inkMayShow(set, x, y, surface_, text)) return;
  const uint16_t color = colorRefTo565(fontColor_);
  if (caching_)
    if (const TTextRun* run = textCache_.find(set, text)) return run->draw(surface_, x, y, color);
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
