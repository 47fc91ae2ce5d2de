#include "engine/draw/Rotate.h"

#include <algorithm>
#include <cmath>

#include "engine/draw/Blit.h"
#include "engine/draw/RotatedRun.h"

namespace mv {

const std::array<double, 256>& cosineTable() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = std::cos(i * 2 * M_PI / 256);
    return t;
  }();
  return table;
}

namespace {

// Rotated drawing maps every destination pixel centre back into the picture: along a row the source
// position starts at (su, sv) and grows by (stepU, stepV) per pixel, added up in doubles, and the pixel
// samples (trunc su, trunc sv) when 0 <= su < width and 0 <= sv < height. Those additions decide which
// pixels a picture covers and which source pixel each one shows, so the fast path below must agree with
// them exactly. It steps in 32.32 fixed point instead, from row to row as well as along a row, and draws
// only each row's covered run. That is exact wherever a fixed-point position lies further from a whole
// pixel than the two ways of computing can drift apart (the guard); a row that comes that close to a
// pixel boundary anywhere it matters is walked in doubles as before.
constexpr double kOne = 4294967296.0;             // 1.0 in 32.32
constexpr double kHalfUlp = 1.0 / 9007199254740992.0;  // 2^-53, a double's relative rounding
// Beyond these the fixed-point values could overflow; such drawings take the plain path.
constexpr double kMaxPosition = 268435456.0;  // 2^28 pixels
constexpr int kMaxSize = 1 << 20;

// One pixel as the plain walk draws it.
void put(uint16_t* row, const RotatedSource& source, int px, int64_t iu, int64_t iv) {
  const uint16_t p = source.base[iv * source.pitch + iu];
  if (source.keyed && p == source.key) return;
  row[px] = source.alpha < 255 ? blend565(p, row[px], source.alpha) : p;
}

// One axis in fixed point along a row: position f + k * c at pixel k.
struct Axis {
  int64_t f, c;
  int64_t at(int k) const { return f + k * c; }
  // Whether pixel k is outside [0, size) by more than the guard, so outside for the doubles as well, on
  // the side the positions move away to when walking on from k to the left (or to the right): then every
  // pixel beyond k is outside too.
  bool leaving(int k, int64_t size, int64_t guard, bool leftwards) const {
    const int64_t a = at(k);
    const bool below = a < -guard, above = a >= (size << 32) + guard;
    if (c == 0) return below || above;
    return (c > 0) == leftwards ? below : above;
  }
};

// Where along a row the doubles cross into and out of the picture on one axis, as real pixel positions
// that move by a fixed amount from row to row. Only guesses: the tests around and inside each run make
// them safe. An axis that does not move along the row bounds nothing.
struct Crossings {
  double enter = -2, exit = 1e300, step = 0;
};

// One rotated blit: the mapping from destination pixels back into the source rectangle.
struct Rotation {
  double c, s, u0, v0, scaleX, scaleY, stepU, stepV;
  int x, y;
  TRect box;
  int n, srcW, srcH;

  // The fixed-point walk, when it can be used: positions at the top row's first pixel, their change per
  // row and per pixel, and the guard.
  int64_t guard = -1;
  int64_t topU = 0, topV = 0, rowU = 0, rowV = 0, cu = 0, cv = 0;
  Crossings crossU, crossV;

  // The source position at the start of a row, in doubles, as every row has always computed it.
  void rowStart(int py, double& su, double& sv) const {
    const double dv = py + 0.5 - y;
    const double du = box.Left + 0.5 - x;
    su = (du * c + dv * s - u0) * scaleX, sv = (dv * c - du * s - v0) * scaleY;
  }

  // The row as the doubles walk it, drawing from pixel `from` on.
  void plainRow(uint16_t* row, const RotatedSource& out, int py, int from) const {
    double su, sv;
    rowStart(py, su, sv);
    for (int k = 0; k < n; ++k, su += stepU, sv += stepV) {
      if (k < from || su < 0 || sv < 0 || su >= srcW || sv >= srcH) continue;
      put(row, out, box.Left + k, static_cast<int64_t>(su), static_cast<int64_t>(sv));
    }
  }

  static Crossings crossings(double start, double perRow, double step, int64_t fixedStep, int size) {
    Crossings x;
    if (fixedStep == 0) return x;
    const double in = fixedStep > 0 ? 0 : size, out = fixedStep > 0 ? size : 0;
    x.enter = (in - start) / step, x.exit = (out - start) / step;
    x.step = -perRow / step;
    return x;
  }

  // The fixed point is used only where its values cannot overflow. The guard bounds, in 32.32 units, how
  // far a fixed-point position can lie from the doubles' one: the top row's start is rounded to 32.32
  // (half a unit), each row's change and each pixel's step too (half a unit each, times the rows and
  // pixels walked), the row change is a double product (2^-53 of it per row), a row's start in doubles
  // is off the exact value by at most 2^-53 of (3 terms + the position), for the top row and the row at
  // hand, and each addition along a row rounds by 2^-53 of the largest position met. Positions are linear
  // over the box, so their largest lie at its corners. The factors below are doubled for slack.
  void prepareFixedPoint() {
    const int rows = box.height();
    if (srcW > kMaxSize || srcH > kMaxSize || n > kMaxSize || rows > kMaxSize) return;
    const double perRowU = s * scaleX, perRowV = c * scaleY;
    if (!(std::fabs(stepU) * n <= kMaxPosition && std::fabs(stepV) * n <= kMaxPosition &&
          std::fabs(perRowU) * rows <= kMaxPosition && std::fabs(perRowV) * rows <= kMaxPosition))
      return;
    double largest = 0, terms = 0;
    for (int py : {box.Top, box.Bottom - 1})
      for (int k : {0, n}) {
        const double dv = py + 0.5 - y, du = box.Left + k + 0.5 - x;
        largest = std::max({largest, std::fabs((du * c + dv * s - u0) * scaleX),
                            std::fabs((dv * c - du * s - v0) * scaleY)});
        terms = std::max(terms, (std::fabs(du) + std::fabs(dv) + std::max(std::fabs(u0), std::fabs(v0))) *
                                    std::max(scaleX, scaleY));
      }
    largest += std::fabs(stepU) + std::fabs(stepV) + 2;
    if (!(largest <= kMaxPosition && terms <= 4 * kMaxPosition)) return;
    const double perRow = std::max(std::fabs(perRowU), std::fabs(perRowV));
    const double drift = 1 + 0.5 * n + n * largest * kHalfUlp * kOne + rows * (0.5 + perRow * kHalfUlp * kOne) +
                         (12 * terms + 4 * largest) * kHalfUlp * kOne;
    if (!(drift < 1 << 29)) return;
    guard = static_cast<int64_t>(drift) + 8;

    double su, sv;
    rowStart(box.Top, su, sv);
    topU = std::llround(su * kOne), topV = std::llround(sv * kOne);
    rowU = std::llround(perRowU * kOne), rowV = std::llround(perRowV * kOne);
    cu = std::llround(stepU * kOne), cv = std::llround(stepV * kOne);
    crossU = crossings(su, perRowU, stepU, cu, srcW);
    crossV = crossings(sv, perRowV, stepV, cv, srcH);
  }

  // The first pixel of a row at or past a real crossing position, clamped to [0, n].
  int pixelAfter(double position) const {
    return static_cast<int>(std::min(std::max(position, -1.0), static_cast<double>(n)) + 1.0);
  }

  void draw(TSurface& dest, const RotatedSource& out) const {
    if (guard < 0) {
      for (int py = box.Top; py < box.Bottom; ++py) plainRow(dest.row(py), out, py, 0);
    } else if (out.alpha < 255) {
      out.keyed ? drawRuns(dest, out, blendRun<true>) : drawRuns(dest, out, blendRun<false>);
    } else {
      out.keyed ? drawRuns(dest, out, copyRun<true>) : drawRuns(dest, out, copyRun<false>);
    }
  }

  template <typename Run>
  void drawRuns(TSurface& dest, const RotatedSource& out, Run run) const {
    Axis u{topU, cu}, v{topV, cv};
    Crossings xu = crossU, xv = crossV;
    for (int py = box.Top; py < box.Bottom;
         ++py, u.f += rowU, v.f += rowV, xu.enter += xu.step, xu.exit += xu.step, xv.enter += xv.step,
             xv.exit += xv.step) {
      uint16_t* row = dest.row(py);
      const int first = std::min(std::max(pixelAfter(xu.enter), pixelAfter(xv.enter)), n);
      const int last = std::max(first, std::min({pixelAfter(xu.exit), pixelAfter(xv.exit), n}));
      // Beyond the run, the pixels on either side must be surely outside and getting further away.
      if ((first > 0 && !u.leaving(first - 1, srcW, guard, true) && !v.leaving(first - 1, srcH, guard, true)) ||
          (last < n && !u.leaving(last, srcW, guard, false) && !v.leaving(last, srcH, guard, false))) {
        plainRow(row, out, py, 0);
        continue;
      }
      const int stop = run(row + box.Left, out, first, last, u.at(first), v.at(first), cu, cv, guard);
      // Too near a pixel boundary to tell which side the doubles fall on: the rest goes their way.
      if (stop < last) plainRow(row, out, py, stop);
    }
  }
};

}  // namespace

void blitRotate(TSurface& dest, int x, int y, int width, int height, const TSurface& source,
                const TRect& srcRect, bool keyed, double centerX, double centerY, int angle, int alpha) {
  if (alpha <= 0 || width <= 0 || height <= 0) return;
  const TRect src = intersection(srcRect, source.clientRect());
  if (src.empty()) return;
  const auto& table = cosineTable();
  const double c = table[angle & 255], s = table[(angle + 192) & 255];

  // The scaled picture relative to its rotation centre, cut to whole pixels.
  const double cx = centerX * width, cy = centerY * height;
  const double u0 = std::trunc(-cx), u1 = std::trunc(width - cx);
  const double v0 = std::trunc(-cy), v1 = std::trunc(height - cy);
  if (!std::isfinite(u0) || !std::isfinite(v0) || u1 <= u0 || v1 <= v0) return;

  int minX = INT32_MAX, maxX = INT32_MIN, minY = INT32_MAX, maxY = INT32_MIN;
  for (double u : {u0, u1})
    for (double v : {v0, v1}) {
      const double px = x + std::trunc(u * c - v * s), py = y + std::trunc(u * s + v * c);
      minX = std::min(minX, static_cast<int>(std::clamp(px, -1e9, 1e9)));
      maxX = std::max(maxX, static_cast<int>(std::clamp(px, -1e9, 1e9)));
      minY = std::min(minY, static_cast<int>(std::clamp(py, -1e9, 1e9)));
      maxY = std::max(maxY, static_cast<int>(std::clamp(py, -1e9, 1e9)));
    }
  // One pixel of margin: the truncated corners may fall a pixel inside the covered area.
  const TRect box = intersection({minX - 1, minY - 1, maxX + 2, maxY + 2}, dest.clientRect());
  if (box.empty()) return;

  // Each destination pixel centre is turned back into the picture and sampled at the nearest pixel.
  Rotation r;
  r.c = c, r.s = s, r.u0 = u0, r.v0 = v0;
  r.scaleX = src.width() / (u1 - u0), r.scaleY = src.height() / (v1 - v0);
  r.stepU = c * r.scaleX, r.stepV = -s * r.scaleY;
  r.x = x, r.y = y, r.box = box;
  r.n = box.width(), r.srcW = src.width(), r.srcH = src.height();
  r.prepareFixedPoint();

  const RotatedSource out{source.row(src.Top) + src.Left, source.pitch(), static_cast<uint64_t>(src.width()),
                          static_cast<uint64_t>(src.height()), source.colorKey(), keyed, std::min(alpha, 255)};
  r.draw(dest, out);
}

}  // namespace mv
