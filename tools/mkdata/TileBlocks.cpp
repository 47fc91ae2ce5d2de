// Solid blocks (1..15) and platforms (16..31), theme by theme.

#include <algorithm>
#include <cmath>

#include "Palette.h"
#include "TextureNames.h"
#include "TilePainter.h"

namespace mv::art {

using namespace mv::tiles;

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

// The face of a block, lit from the top-left: noisy plate, grained rock, smooth panel or corroded
// plate. ox, oy place the tile in a larger field so neighbouring faces do not repeat exactly.
void TilePainter::blockFace(Canvas& c, Color base, uint32_t variant, int ox, int oy, double wear) const {
  c.shadeRect(0, 0, kTile, kTile, [&](double x, double y) {
    double n = fractalNoise((x + ox) / 5.0, (y + oy) / 5.0, t_.seed + variant, 3);
    double grain = valueNoise((x + ox) * 1.7, (y + oy) * 0.6, t_.seed + 9);
    switch (t_.look) {
      case Look::Rock: {
        // Layers of sediment: bands wavering across the face, darker and lighter.
        double band = std::sin((y + oy) * 0.9 + 2.5 * fractalNoise((x + ox) / 9.0, oy / 9.0, t_.seed + 5, 2));
        return shade(base, 0.78 + 0.3 * n + 0.12 * band + 0.08 * grain);
      }
      case Look::Tech:
        return shade(base, 0.92 + 0.12 * n);
      case Look::Hazard: {
        // Rust eats the paint in blotches.
        double rust = fractalNoise((x + ox) / 4.0, (y + oy) / 4.0, t_.seed + 31, 3);
        Color face = shade(base, 0.8 + 0.3 * n + 0.06 * grain);
        return rust > 0.58
                   ? mix(face, shade(kRustOrange, 0.6 + 0.4 * wear), std::min(1.0, (rust - 0.58) * 4) * wear)
                   : face;
      }
      default:
        return shade(base, 0.8 + 0.35 * n + 0.06 * grain);
    }
  });
}

void TilePainter::solid(Canvas& c, int index, Rng& rng) const {
  if (index >= kCrate) return special(c, index, rng);
  if (index == kWallDeep) {
    // Unlit and quiet, so the eye passes over it to where the fight is, but with its courses faintly
    // showing: solid mass, never mistaken for the black of nothing.
    const Color mass = shade(t_.solid, 0.42);
    blockFace(c, mass, static_cast<uint32_t>(index), 0, 0, 0.3);
    if (!is(Look::Rock)) {
      c.fillRect(0, 0, kTile, 1, shade(mass, 1.35));
      c.fillRect(0, 0, 1, kTile, shade(mass, 1.2));
      c.fillRect(0, kTile - 1, kTile, 1, shade(mass, 0.7));
    }
    return;
  }
  Color base = index == kWallAlt1 ? shade(t_.solid, 0.9) : t_.solid;
  blockFace(c, base, static_cast<uint32_t>(index), index * 16, 0);
  switch (t_.look) {
    case Look::Rock: {
      // A crack and a pebble set in the rock; no seams: rock is not built of blocks.
      double x = rng.range(3, 13), y = rng.range(1, 5);
      for (int k = 0; k < 2 + rng.below(2); ++k) {
        double nx = x + rng.range(-2.5, 2.5), ny = y + rng.range(1.5, 3.5);
        c.line(x, y, nx, ny, shade(t_.solid, 0.62));
        x = nx;
        y = ny;
      }
      double px = rng.range(3, 13), py = rng.range(8, 13);
      c.fillEllipse(px, py, 1.6, 1.1, shade(t_.solid, 1.25));
      c.set(static_cast<int>(px), static_cast<int>(py) + 1, shade(t_.solid, 0.6));
      break;
    }
    case Look::Tech: {
      // A bevelled panel with a lit seam, and a status light on some.
      c.fillRect(0, 0, kTile, 1, shade(t_.solid, 1.5));
      c.fillRect(0, 0, 1, kTile, shade(t_.solid, 1.3));
      c.fillRect(0, kTile - 1, kTile, 1, shade(t_.solid, 0.45));
      c.fillRect(kTile - 1, 0, 1, kTile, shade(t_.solid, 0.5));
      if (index == kWallAlt1) c.fillRect(3, 3, 10, 10, shade(t_.solid, 0.8));
      if (index == kWall && rng.below(2)) c.set(12, 3, t_.accent);
      break;
    }
    default: {
      Color hi = shade(t_.solid, 1.45), lo = shade(t_.solid, 0.45);
      c.fillRect(0, 0, kTile, 1, hi);
      c.fillRect(0, 0, 1, kTile, hi);
      c.fillRect(0, kTile - 1, kTile, 1, lo);
      c.fillRect(kTile - 1, 0, 1, kTile, lo);
      for (int rx : {3, 12})
          for (int ry : {3, 12}) {
            c.set(rx, ry, shade(t_.solid, 0.5));
            c.set(rx - 1, ry - 1, shade(t_.solid, 1.5));
          }
      // Rust runs down from the rivets of a corroded plate.
      if (is(Look::Hazard))
        for (int rx : {3, 12}) c.fillRect(rx, 4, 1, rng.below(6) + 2, withAlpha(kRustOrange, 150));
      break;
    }
  }
  edges(c, index);
}

// The lit and shadowed edges of blocks at the outside of a wall, and the walking surface on floors.
void TilePainter::edges(Canvas& c, int index) const {
  bool top = index == kFloor || index == kCornerTopLeft || index == kCornerTopRight;
  bool bottom = index == kCeiling || index == kCornerBottomLeft || index == kCornerBottomRight;
  bool left = index == kWallLeft || index == kCornerTopLeft || index == kCornerBottomLeft;
  bool right = index == kWallRight || index == kCornerTopRight || index == kCornerBottomRight;
  if (bottom) c.fillRect(0, kTile - 3, kTile, 3, shade(t_.solid, 0.45));
  if (left) c.fillRect(0, 0, 3, kTile, shade(t_.solid, 1.3));
  if (right) c.fillRect(kTile - 3, 0, 3, kTile, shade(t_.solid, 0.5));
  if (!top) return;
  switch (t_.look) {
    case Look::Rock:
      // A dusty crust with a ragged lower edge.
      for (int x = 0; x < kTile; ++x) {
        int depth = 2 + static_cast<int>(2.5 * valueNoise(x / 2.5, index, t_.seed + 7));
        c.fillRect(x, 0, 1, depth, shade(t_.solid, 1.35));
        c.set(x, 0, shade(t_.solid, 1.6));
        c.set(x, depth, shade(t_.solid, 0.6));
      }
      break;
    case Look::Tech:
      c.fillRect(0, 0, kTile, 3, shade(t_.solid, 1.35));
      c.fillRect(0, 2, kTile, 1, t_.accent);
      break;
    case Look::Hazard:
      for (int x = 0; x < kTile; ++x)
        for (int y = 0; y < 3; ++y) c.set(x, y, (x + y) / 3 % 2 ? rgb(30, 26, 20) : t_.accent);
      break;
    default:
      c.fillRect(0, 0, kTile, 3, shade(t_.solid, 1.3));
      c.fillRect(0, 0, kTile, 1, shade(t_.solid, 1.7));
      for (int x = 0; x < kTile; x += 4) c.fillRect(x, 1, 2, 1, shade(t_.solid, 0.8));
      break;
  }
}

// 12..15: the blocks each theme has of its own.
void TilePainter::special(Canvas& c, int index, Rng& rng) const {
  blockFace(c, is(Look::Rock) ? t_.solid : shade(t_.solid, 0.8), static_cast<uint32_t>(index), index * 16, 0);
  switch (t_.look) {
    case Look::Rock:
      if (index == kCrate) {  // a boulder wedged in the rock
        c.shadeEllipse(8, 8.5, 7, 6.5, [&](double x, double y) {
          return shade(t_.solid, 1.45 - 0.07 * std::hypot(x - 5.5, y - 5.5));
        });
        c.line(5, 6, 9, 9, shade(t_.solid, 0.6));
        c.line(9, 9, 8, 13, shade(t_.solid, 0.6));
      } else if (index == kPillar) {  // a natural column, worn round
        c.shadeRect(2, 0, 12, kTile, [&](double x, double y) {
          return shade(t_.solid, 1.45 - std::abs(x - 6) / 8 + 0.08 * std::sin(y * 1.3));
        });
        c.fillRect(0, 0, 2, kTile, shade(t_.solid, 0.45));
        c.fillRect(14, 0, 2, kTile, shade(t_.solid, 0.45));
      } else if (index == kVentBlock) {  // a hollow going into the dark
        c.fillEllipse(8, 9, 6, 5, shade(t_.solid, 0.45));
        c.fillEllipse(8, 9.5, 4.5, 3.5, rgb(16, 10, 8));
      } else {  // a vein of glowing crystals
        for (int k = 0; k < 4; ++k) {
          double x = 3 + k * 3.2 + rng.range(-0.8, 0.8), y = 10 - k % 2 * 3;
          c.fillPolygon({{x - 1.6, y + 3}, {x, y - 4}, {x + 1.6, y + 3}},
                        mix(t_.accent, rgb(255, 255, 210), 0.2));
          c.line(x - 0.3, y - 2, x - 0.3, y + 2, rgb(255, 250, 210));
        }
      }
      break;
    case Look::Tech:
      if (index == kCrate) {  // a server rack, its lights on
        c.bevelBox(1, 0, 14, kTile, shade(t_.solid, 0.7));
        for (int y = 2; y < 15; y += 3) {
          c.fillRect(3, y, 10, 2, rgb(16, 20, 28));
          c.set(4 + rng.below(3), y, rng.below(3) ? t_.accent : rgb(120, 255, 120));
        }
      } else if (index == kPillar) {  // a column with a lit core
        c.fillRect(3, 0, 10, kTile, shade(t_.solid, 0.6));
        c.shadeRect(6, 0, 4, kTile, [&](double x, double) {
          return mix(t_.accent, rgb(230, 255, 255), 1 - std::abs(x - 7.5) / 2);
        });
      } else if (index == kVentBlock) {  // a hexagon grille
        c.fillRect(1, 1, 14, 14, rgb(10, 12, 18));
        for (int y = 2; y < 14; y += 3)
          for (int x = 2 + (y / 3) % 2 * 2; x < 14; x += 4) c.fillRect(x, y, 2, 2, shade(t_.solid, 0.9));
      } else {  // a light panel
        c.bevelBox(2, 2, 12, 12, shade(t_.solid, 0.7));
        c.gradientRect(4, 4, 8, 8, rgb(230, 255, 255), t_.accent);
      }
      break;
    case Look::Hazard:
      if (index == kCrate) {  // a toxic drum
        c.shadeRect(2, 0, 12, kTile,
                    [&](double x, double) { return shade(rgb(70, 120, 40), 1.4 - std::abs(x - 6) / 7); });
        c.fillRect(2, 3, 12, 1, shade(rgb(70, 120, 40), 0.5));
        c.fillRect(2, 12, 12, 1, shade(rgb(70, 120, 40), 0.5));
        c.fillCircle(8, 8, 2.6, kHazardYellow);
        c.fillCircle(8, 8, 1, rgb(20, 20, 20));
      } else if (index == kPillar) {  // a column wrapped in warning stripes
        for (int y = 0; y < kTile; ++y)
          for (int x = 2; x < 14; ++x) c.set(x, y, (x + y) / 4 % 2 ? rgb(30, 26, 20) : t_.accent);
        c.fillRect(0, 0, 2, kTile, shade(t_.solid, 0.5));
        c.fillRect(14, 0, 2, kTile, shade(t_.solid, 0.5));
      } else if (index == kVentBlock) {  // a drain grate with acid welling up
        c.fillRect(2, 2, 12, 12, rgb(12, 20, 8));
        for (int x = 3; x < 14; x += 3) c.fillRect(x, 2, 1, 12, shade(t_.solid, 0.9));
        c.fillRect(2, 12, 12, 2, kAcidLiquid.glow);
      } else {  // a red warning beacon
        c.fillRect(3, 10, 10, 4, rgb(40, 40, 44));
        c.fillEllipse(8, 8, 4, 4.5, rgb(200, 20, 10));
        c.fillEllipse(7, 6.5, 1.5, 1.5, rgb(255, 160, 140));
      }
      break;
    default:
      if (index == kCrate) {
        c.bevelBox(0, 0, kTile, kTile, rgb(130, 92, 52), 2);
        c.line(2, 2, 13, 13, rgb(90, 60, 32), 2);
        c.line(13, 2, 2, 13, rgb(90, 60, 32), 2);
      } else if (index == kPillar) {
        c.shadeRect(2, 0, 12, kTile,
                    [&](double x, double) { return shade(t_.solid, 1.5 - std::abs(x - 6) / 8); });
        c.fillRect(0, 0, 2, kTile, shade(t_.solid, 0.4));
        c.fillRect(14, 0, 2, kTile, shade(t_.solid, 0.4));
      } else if (index == kVentBlock) {
        c.fillRect(2, 2, 12, 12, rgb(12, 12, 14));
        for (int y = 3; y < 14; y += 3) c.fillRect(2, y, 12, 1, shade(t_.solid, 0.9));
      } else {
        c.fillRect(3, 4, 10, 8, shade(t_.accent, 0.5));
        c.fillRect(4, 5, 8, 6, t_.accent);
        c.fillRect(5, 6, 4, 2, rgb(255, 255, 230));
      }
      break;
  }
}

void TilePainter::platform(Canvas& c, int index) const {
  if (index == kPlatformStrut) {
    switch (t_.look) {
      case Look::Rock:  // a wooden post
        c.fillRect(6, 0, 4, kTile, rgb(96, 64, 38));
        c.fillRect(7, 0, 1, kTile, rgb(130, 92, 56));
        break;
      case Look::Tech:  // a thin lit strut
        c.fillRect(7, 0, 2, kTile, shade(t_.solid, 1.1));
        c.fillRect(7, 3, 2, 10, withAlpha(t_.accent, 200));
        break;
      default:
        c.bevelBox(6, 0, 4, kTile, shade(is(Look::Hazard) ? mix(t_.solid, kRustOrange, 0.4) : t_.solid, 0.8));
        c.line(7, 2, 7, 13, shade(t_.solid, 1.3));
        break;
    }
    c.outline(withAlpha(kOutline, 255));
    return;
  }
  bool grate = index >= kGrateLeft && index <= kGrateSingle;
  int base = grate ? index - kGrateLeft : index <= kPlatformSingle ? index - kPlatformLeft : 1;
  bool openLeft = base == 0 || base == 3, openRight = base == 2 || base == 3;
  int x0 = openLeft ? 1 : 0, x1 = openRight ? kTile - 1 : kTile;
  int w = x1 - x0;
  switch (t_.look) {
    case Look::Rock:
      if (grate) {  // a plank bridge: boards, nails, a rope under it
        for (int x = x0; x < x1; x += 4) {
          c.bevelBox(x, 0, std::min(4, x1 - x), 4, rgb(128, 86, 50));
          c.set(x + 1, 1, rgb(60, 50, 44));
        }
        for (int x = x0; x < x1; ++x)
          c.set(x, 5 + static_cast<int>(std::lround(std::sin(x * kPi / 16))), rgb(170, 150, 100));
      } else {  // a rock ledge, thick at the top and ragged below
        for (int x = x0; x < x1; ++x) {
          int depth = 4 + static_cast<int>(4 * valueNoise((x + index * 16) / 3.0, 1, t_.seed + 3));
          if ((openLeft && x < 4) || (openRight && x > 11)) depth = std::min(depth, 3 + std::abs(x - 8) / 3);
          c.shadeRect(x, 0, 1, depth, [&](double, double y) { return shade(t_.solid, 1.35 - y * 0.1); });
          c.set(x, 0, shade(t_.solid, 1.6));
        }
      }
      break;
    case Look::Tech:
      c.gradientRect(x0, 0, w, 5, shade(t_.solid, 1.3), shade(t_.solid, 0.7));
      c.fillRect(x0, 0, w, 1, shade(t_.solid, 1.8));
      if (grate)
        for (int x = x0 + 1; x < x1; x += 3) c.set(x, 2, t_.accent);
      else
        c.fillRect(x0 + (openLeft ? 1 : 0), 5, w - (openLeft ? 1 : 0) - (openRight ? 1 : 0), 1, t_.accent);
      break;
    default: {
      Color steel = is(Look::Hazard) ? mix(t_.solid, kRustOrange, 0.25) : t_.solid;
      if (grate) {
        c.fillRect(x0, 0, w, 2, shade(steel, 1.3));
        c.fillRect(x0, 4, w, 2, shade(steel, 0.7));
        for (int x = x0; x < x1; x += 3) c.fillRect(x, 2, 1, 2, steel);
      } else {
        c.gradientRect(x0, 0, w, 6, shade(steel, 1.4), shade(steel, 0.6));
        c.fillRect(x0, 0, w, 1, shade(steel, 1.8));
        if (index > kPlatformSingle) c.set(3 + (index * 5) % 10, 3, shade(steel, 0.4));
        // The hazard plant paints a warning edge along its walkways.
        if (is(Look::Hazard))
          for (int x = x0; x < x1; ++x) c.set(x, 4, (x / 2) % 2 ? rgb(30, 26, 20) : t_.accent);
      }
      break;
    }
  }
  // Brackets under the open ends (the rock ledge tapers instead).
  if (!(is(Look::Rock) && !grate)) {
    Color bracket = is(Look::Rock) ? rgb(96, 64, 38) : shade(t_.solid, 0.6);
    if (openLeft) c.fillPolygon({{1, 6}, {5, 6}, {1, 10}}, bracket);
    if (openRight) c.fillPolygon({{11, 6}, {15, 6}, {15, 10}}, bracket);
  }
  c.outline(withAlpha(kOutline, 255));
}

}  // namespace mv::art
