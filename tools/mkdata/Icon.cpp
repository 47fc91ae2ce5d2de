#include "Icon.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ArtOutput.h"
#include "Palette.h"
#include "Png.h"

namespace mv::art {
namespace {

// Colour with premultiplied alpha, for compositing and averaging the samples of a pixel.
struct Premul {
  double r = 0, g = 0, b = 0, a = 0;
};

Premul premul(Color c) {
  const double a = c.a / 255.0;
  return {c.r * a, c.g * a, c.b * a, a};
}

void over(Premul& dst, Premul src) {
  const double keep = 1 - src.a;
  dst = {src.r + dst.r * keep, src.g + dst.g * keep, src.b + dst.b * keep, src.a + dst.a * keep};
}

double segmentDistance(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// Signed distance to a polygon's edge: negative inside.
double polygonDistance(Point p, const std::vector<Point>& poly) {
  double nearest = 1e9;
  bool inside = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    nearest = std::min(nearest, segmentDistance(p, poly[j], poly[i]));
    if ((poly[i].y > p.y) != (poly[j].y > p.y) &&
        p.x < (poly[j].x - poly[i].x) * (p.y - poly[i].y) / (poly[j].y - poly[i].y) + poly[i].x)
      inside = !inside;
  }
  return inside ? -nearest : nearest;
}

// Signed distance to a square of half-side `half` with corners rounded by `radius`, centred at 0.5.
double plateDistance(Point p, double half, double radius) {
  const double qx = std::abs(p.x - 0.5) - half + radius, qy = std::abs(p.y - 0.5) - half + radius;
  return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
}

const std::vector<Point> kBolt = {{0.553, 0.113}, {0.72, 0.113},  {0.579, 0.403}, {0.702, 0.403},
                                  {0.368, 0.896}, {0.465, 0.518}, {0.315, 0.518}};

// The icon at one point of the unit square (y down).
Premul sample(Point p) {
  Premul out;
  const double plate = plateDistance(p, 0.47, 0.16);
  if (plate < 0) {
    // Lit from above, with a dark rim and a light edge inside it along the top.
    Color face = mix(rgb(84, 92, 106), rgb(30, 33, 40), p.y);
    if (plate > -0.03)
      face = kOutline;
    else if (plate > -0.045 && p.y < 0.5)
      face = shade(kHudEdge, 1.2);
    over(out, premul(face));
  }
  const double fromCentre = std::hypot(p.x - 0.5, p.y - 0.5);
  const bool ring = std::abs(fromCentre - 0.29) < 0.03;
  const bool tick =
      (std::abs(p.x - 0.5) < 0.025 || std::abs(p.y - 0.5) < 0.025) && fromCentre > 0.2 && fromCentre < 0.42;
  if (plate < -0.03 && (ring || tick)) over(out, premul(kLaserRed));
  const double bolt = polygonDistance(p, kBolt);
  if (bolt < 0.028) over(out, premul(kOutline));
  if (bolt < 0) over(out, premul(mix(rgb(255, 236, 120), kHazardYellow, std::clamp(p.y * 1.4, 0.0, 1.0))));
  return out;
}

}  // namespace

Canvas drawIcon(int size) {
  constexpr int kSamples = 4;  // per side of a pixel: smooth edges at every size
  Canvas icon(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Premul sum;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Premul s = sample({(x + (sx + 0.5) / kSamples) / size, (y + (sy + 0.5) / kSamples) / size});
          sum = {sum.r + s.r, sum.g + s.g, sum.b + s.b, sum.a + s.a};
        }
      }
      const double n = kSamples * kSamples, a = sum.a / n;
      if (a <= 0) continue;
      const auto channel = [&](double v) {
        return static_cast<int>(std::lround(std::clamp(v / n / a, 0.0, 255.0)));
      };
      icon.set(x, y,
               rgb(channel(sum.r), channel(sum.g), channel(sum.b), static_cast<int>(std::lround(a * 255))));
    }
  }
  return icon;
}

void writeIcons(const std::string& dir) {
  for (int size : {48, 128, 256}) {
    const std::string png = pngFile(drawIcon(size));
    writeIfChanged(dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/mashvolt.png", png);
  }
}

}  // namespace mv::art
