// Lethal cells (32..47): spikes, liquids and the barrier, theme by theme.

#include <algorithm>
#include <cmath>

#include "Palette.h"
#include "TextureNames.h"
#include "TilePainter.h"

namespace mv::art {

using namespace mv::tiles;

void TilePainter::lethal(Canvas& c, int index, Rng& rng) const {
  const Liquid own{t_.liquid, t_.liquidGlow, mix(t_.liquidGlow, rgb(255, 255, 255), 0.5),
                   !is(Look::Rock) && !is(Look::Metal)};
  switch (index) {
    case kSpikesUp:
    case kSpikesDown:
    case kSpikesLeft:
    case kSpikesRight:
      return spikes(c, index - kSpikesUp);
    case kLiquidSurface:
    case kLiquidSurfaceAlt:
    case kLiquidSurfaceAlt2:
      return liquid(c, own, true, static_cast<uint32_t>(index - kLiquidSurface), 0);
    case kLiquid:
    case kLiquidAlt:
      return liquid(c, own, false, index == kLiquidAlt ? 7 : 0, 0);
    case kLiquidDeep1:
    case kLiquidDeep2:
      return liquid(c, own, false, static_cast<uint32_t>(index), 0.35);
    case kAcidSurface:
    case kAcid:
      return liquid(c, kAcidLiquid, index == kAcidSurface, 3, 0);
    case kLavaSurface:
    case kLava:
      return liquid(c, kLavaLiquid, index == kLavaSurface, 5, 0);
    default:
      return fence(c, rng);
  }
}

void TilePainter::spikes(Canvas& c, int dir) const {
  Canvas s(kTile, kTile);
  switch (t_.look) {
    case Look::Rock:
      // Stalagmites: uneven stone cones, lit on the left, on a rubble base.
      s.fillRect(0, 12, kTile, 4, shade(t_.solid, 0.75));
      for (auto [x, h] : {std::pair{0.0, 9.0}, {3.5, 12.5}, {8.0, 8.0}, {11.0, 11.5}}) {
        s.shadePolygon({{x, 13}, {x + 2.2, 13 - h}, {x + 5, 13}},
                       [&](double px, double) { return shade(t_.solid, px < x + 2.2 ? 1.45 : 0.8); });
        s.set(static_cast<int>(x + 2.2), static_cast<int>(13 - h), shade(t_.solid, 1.7));
      }
      break;
    case Look::Tech:
      // Emitter prongs glowing red-hot at the tips over a dark housing.
      s.fillRect(0, 12, kTile, 4, rgb(30, 34, 46));
      s.fillRect(0, 12, kTile, 1, t_.accent);
      for (int k = 0; k < 4; ++k) {
        double x = k * 4;
        s.fillPolygon({{x + 0.5, 12}, {x + 2, 3}, {x + 3.5, 12}}, rgb(170, 180, 200));
        s.shadePolygon({{x + 0.8, 9}, {x + 2, 2}, {x + 3.2, 9}}, [&](double, double y) {
          return mix(rgb(255, 255, 230), rgb(255, 60, 30), (y - 2) / 7);
        });
      }
      break;
    default: {
      // Steel spikes with bloodied tips; corroded and bent in the hazard plant.
      bool rusty = is(Look::Hazard);
      s.fillRect(0, 13, kTile, 3, shade(t_.solid, 0.7));
      for (int k = 0; k < 4; ++k) {
        double x = k * 4, lean = rusty ? (k % 2 ? 0.8 : -0.6) : 0;
        s.fillPolygon({{x, 13}, {x + 2 + lean, 2}, {x + 4, 13}},
                      rusty ? rgb(150, 96, 60) : rgb(190, 196, 206));
        s.line(x + 1.5, 12, x + 2 + lean, 3, rusty ? rgb(200, 140, 90) : rgb(240, 244, 250));
        s.set(static_cast<int>(x + 2 + lean), 2, rgb(200, 30, 20));
      }
      break;
    }
  }
  // Pointing up is the base picture; the others turn it.
  static constexpr double kTurn[4] = {0, 180, 270, 90};
  c.draw(s.rotated(kTurn[dir], 8, 8, kTile, kTile, 8, 8), 0, 0);
}

// A liquid cell: noise brightening towards the top, a rippling surface with air above, bubbles rising
// in acid and plasma. `depth` darkens it for the cells far below the surface.
void TilePainter::liquid(Canvas& c, const Liquid& l, bool surface, uint32_t variant, double depth) const {
  int top = surface ? 4 : 0;
  // Streaks drawn out sideways, as a liquid's surface currents are, lighter towards the top: no
  // blotches, which read as leaves.
  c.shadeRect(0, top, kTile, kTile - top, [&](double x, double y) {
    double n = fractalNoise(x / 7.0 + variant * 3.0, y / 2.2, t_.seed + 50, 3);
    double heat = n * 0.9 - 0.2 - depth + (surface ? (10 - y) * 0.05 : 0);
    return mix(shade(l.deep, 0.8 - depth), l.glow, std::clamp(heat, 0.0, 1.0));
  });
  Rng rng(t_.seed * 7 + variant);
  if (l.bubbles)
    for (int k = 0; k < 3; ++k) {
      int x = 2 + rng.below(12), y = top + 4 + rng.below(kTile - top - 6);
      c.set(x, y, l.foam);
      c.set(x + 1, y, mix(l.foam, l.glow, 0.5));
      c.set(x, y - 1, mix(l.foam, l.glow, 0.5));
    }
  if (!surface) return;
  // Ripples on top, then the skin where the liquid meets the air: a bright line straight across with
  // the glow under it, so the surface of a pit reads from across the level.
  for (int x = 0; x < kTile; ++x) {
    int wave = static_cast<int>(std::round(std::sin((x + variant * 5) * 0.8)));
    for (int y = top; y < 5 + wave; ++y) c.set(x, y, kClear);
    c.set(x, 5 + wave, l.glow);
    c.set(x, 6, l.foam);
    c.set(x, 7, l.glow);
  }
  // A bubble breaking the surface, and for acid a wisp of fume above it.
  int bx = 3 + static_cast<int>(variant % 3) * 4;
  c.set(bx, 3, l.foam);
  c.set(bx + 1, 2, l.foam);
  if (l.bubbles) c.set(bx + 4, 1, withAlpha(l.glow, 255));
}

// The barrier: an electric arc between two posts; in rock, a curtain of fire from a crack.
void TilePainter::fence(Canvas& c, Rng& rng) const {
  if (is(Look::Rock)) {
    c.fillRect(0, 14, kTile, 2, shade(t_.solid, 0.5));
    for (int x = 1; x < kTile - 1; ++x) {
      double h = 9 + 5 * valueNoise(x / 2.0, 3, t_.seed + 77);
      c.shadeRect(x, static_cast<int>(kTile - 2 - h), 1, static_cast<int>(h), [&](double, double y) {
        double t = (kTile - 2 - y) / h;
        return mix(rgb(255, 250, 190), rgb(230, 70, 10), t);
      });
    }
    return;
  }
  Color arc = is(Look::Hazard) ? rgb(120, 200, 255) : is(Look::Tech) ? rgb(255, 60, 60) : t_.accent;
  c.bevelBox(0, 0, 3, kTile, kGunDark);
  c.bevelBox(13, 0, 3, kTile, kGunDark);
  double x = 3;
  for (int y = 0; y < kTile; y += 2) {
    double nx = rng.range(4, 12);
    c.line(x, y, nx, y + 2, arc);
    x = nx;
  }
}

}  // namespace mv::art
