// Back walls, pipes, girders and overlays, theme by theme.

#include <algorithm>
#include <cmath>

#include "Palette.h"
#include "TextureNames.h"
#include "TilePainter.h"

namespace mv::art {

using namespace mv::tiles;

// The opaque walls behind the play: variants 0..7 are the back panels, 8.. the back fills.
void TilePainter::backPanel(Canvas& c, int variant, Rng& rng) const {
  Color base = shade(t_.back, 0.85 + 0.05 * (variant % 4));
  blockFace(c, base, 60 + static_cast<uint32_t>(variant), variant * 16, 100, 0.35);
  switch (t_.look) {
    case Look::Rock:
      // The cave wall: a darker fissure here and there, no courses.
      if (variant % 3 == 0) {
        double x = rng.range(2, 14);
        for (int y = 0; y < kTile; y += 3) {
          double nx = std::clamp(x + rng.range(-2, 2), 1.0, 14.0);
          c.line(x, y, nx, y + 3, shade(base, 0.55));
          x = nx;
        }
      }
      return;
    case Look::Tech:
      c.fillRect(0, 0, kTile, 1, shade(base, 1.5));
      c.fillRect(0, kTile - 1, kTile, 1, shade(base, 0.5));
      if (variant % 4 == 1) c.fillRect(3, 7, 10, 1, withAlpha(t_.accent, 90));
      if (variant % 4 == 3) c.fillRect(7, 2, 1, 12, withAlpha(t_.accent, 70));
      return;
    default:
      break;
  }
  c.fillRect(0, 0, kTile, 1, shade(base, 1.3));
  c.fillRect(0, kTile - 1, kTile, 1, shade(base, 0.55));
  switch (variant % 8) {
    case 3:  // a small window with a glow behind
      c.fillRect(4, 4, 8, 6, shade(t_.accent, 0.35));
      c.fillRect(5, 5, 3, 2, shade(t_.accent, 0.7));
      break;
    case 4:
      for (int x : {2, 13}) c.set(x, 2, shade(base, 1.6));
      break;
    case 5:
      c.fillRect(0, 0, kTile, kTile, rgb(0, 0, 0, 120));
      break;
    case 6:
      c.shadeRect(6, 0, 4, kTile, [&](double x, double) { return shade(base, 1.6 - std::abs(x - 7) / 3); });
      break;
    case 7:
      c.shadeRect(0, 6, kTile, 4, [&](double, double y) { return shade(base, 1.6 - std::abs(y - 7) / 3); });
      break;
    default:
      if (variant >= 8 && rng.below(3) == 0)
        c.line(2, rng.range(2, 14), 14, rng.range(2, 14), shade(base, 0.7));
      break;
  }
}

// Pipes in their eight shapes; roots in rock, conduits with a lit core in tech, rusty leaking pipes in
// the hazard plant.
void TilePainter::pipe(Canvas& c, int index) const {
  Color col = is(Look::Rock)     ? rgb(92, 62, 40)
              : is(Look::Tech)   ? rgb(70, 80, 104)
              : is(Look::Hazard) ? rgb(132, 90, 60)
                                 : rgb(120, 110, 96);
  auto run = [&](double x0, double y0, double x1, double y1, bool horizontal) {
    int w = is(Look::Rock) ? 5 : 6;
    auto tone = [&](double d, double along) {
      Color out = shade(col, 1.5 - std::abs(d) / 3);
      if (is(Look::Rock)) out = shade(out, 0.9 + 0.15 * std::sin(along * 1.7));  // bark
      if (is(Look::Tech) && std::abs(d) < 0.8) out = t_.accent;
      return out;
    };
    if (horizontal)
      c.shadeRect(static_cast<int>(x0), 5, static_cast<int>(x1 - x0), w,
                  [&](double x, double y) { return tone(y - 6.5, x); });
    else
      c.shadeRect(5, static_cast<int>(y0), w, static_cast<int>(y1 - y0),
                  [&](double x, double y) { return tone(x - 6.5, y); });
  };
  switch (index) {
    case kPipeHorizontal:
      run(0, 0, 16, 0, true);
      break;
    case kPipeVertical:
      run(0, 0, 0, 16, false);
      break;
    case kPipeDownRight:
      run(5, 0, 16, 0, true);
      run(0, 5, 0, 16, false);
      break;
    case kPipeDownLeft:
      run(0, 0, 11, 0, true);
      run(0, 5, 0, 16, false);
      break;
    case kPipeUpRight:
      run(5, 0, 16, 0, true);
      run(0, 0, 0, 11, false);
      break;
    case kPipeUpLeft:
      run(0, 0, 11, 0, true);
      run(0, 0, 0, 11, false);
      break;
    case kPipeJunction:
      run(0, 0, 16, 0, true);
      run(0, 5, 0, 16, false);
      break;
    default:  // a valve; a knot in a root
      run(0, 0, 16, 0, true);
      if (is(Look::Rock)) {
        c.fillEllipse(8, 8, 4, 4.5, shade(col, 1.1));
        c.fillEllipse(8, 8, 1.5, 1.8, shade(col, 0.6));
      } else {
        c.fillCircle(8, 4, 3.5, is(Look::Tech) ? t_.accent : rgb(180, 30, 24));
        c.fillRect(7, 4, 2, 3, rgb(70, 70, 76));
      }
      break;
  }
  // A leak at the hazard plant's joints, green drops falling out of the cell.
  if (is(Look::Hazard) && (index == kPipeJunction || index == kPipeValve || index == kPipeDownRight)) {
    c.fillRect(10, 11, 1, 3, kAcidLiquid.glow);
    c.set(10, 15, kAcidLiquid.glow);
  }
  c.outline(withAlpha(kOutline, 255));
}

// Girders; timber beams lashed with rope in rock, slim struts in tech, rusty ones in the hazard plant.
void TilePainter::girder(Canvas& c, int index) const {
  Color col = is(Look::Rock)     ? rgb(110, 74, 44)
              : is(Look::Tech)   ? shade(t_.solid, 1.2)
              : is(Look::Hazard) ? mix(t_.solid, kRustOrange, 0.6)
                                 : mix(t_.solid, kRustOrange, 0.35);
  double thick = is(Look::Tech) ? 2.5 : 4;
  auto beam = [&](double x0, double y0, double x1, double y1) {
    c.line(x0, y0, x1, y1, shade(col, 0.6), thick);
    c.line(x0, y0, x1, y1, col, thick / 2);
  };
  switch (index) {
    case kGirderHorizontal:
    case kGirderLeftEnd:
    case kGirderRightEnd: {
      int x0 = index == kGirderLeftEnd ? 3 : 0, x1 = index == kGirderRightEnd ? 13 : 16;
      if (is(Look::Rock)) {  // a squared log with its grain
        c.shadeRect(x0, 4, x1 - x0, 8, [&](double x, double y) {
          return shade(col, 1.3 - std::abs(y - 7) * 0.1 + 0.1 * std::sin(x * 0.7 + y * 2.1));
        });
      } else {
        c.fillRect(x0, 3, x1 - x0, 2, col);
        c.fillRect(x0, 11, x1 - x0, 2, col);
        if (!is(Look::Tech))
          for (int x = x0; x < x1; x += 8) {
            c.line(x, 12, x + 4, 4, shade(col, 0.8));
            c.line(x + 4, 4, x + 8, 12, shade(col, 0.8));
          }
        else
          c.fillRect(x0, 7, x1 - x0, 1, withAlpha(t_.accent, 180));
      }
      if (index != kGirderHorizontal) c.fillRect(index == kGirderLeftEnd ? 2 : 12, 2, 2, 12, shade(col, 0.7));
      break;
    }
    case kGirderVertical:
      if (is(Look::Rock)) {
        c.shadeRect(4, 0, 8, kTile, [&](double x, double y) {
          return shade(col, 1.3 - std::abs(x - 7) * 0.1 + 0.1 * std::sin(y * 0.7 + x * 2.1));
        });
        break;
      }
      c.fillRect(3, 0, 2, 16, col);
      c.fillRect(11, 0, 2, 16, col);
      for (int y = 0; y < 16 && !is(Look::Tech); y += 8) {
        c.line(4, y, 12, y + 4, shade(col, 0.8));
        c.line(12, y + 4, 4, y + 8, shade(col, 0.8));
      }
      break;
    case kGirderCross:
      beam(1, 1, 15, 15);
      beam(15, 1, 1, 15);
      if (is(Look::Rock)) c.frameRect(6, 6, 4, 4, rgb(190, 170, 120));  // rope lashing
      break;
    case kGirderRising:
      beam(0, 16, 16, 0);
      break;
    case kGirderFalling:
      beam(0, 0, 16, 16);
      break;
    default:  // a bolted plate; pegs in a wooden board
      c.bevelBox(2, 2, 12, 12, col);
      for (int x : {5, 10})
        for (int y : {5, 10}) c.fillCircle(x, y, 1.2, shade(col, 0.5));
      break;
  }
  c.outline(withAlpha(kOutline, 255));
}

// See-through dressing for the top edge of a block.
void TilePainter::overlay(Canvas& c, int variant, Rng& rng) const {
  switch (variant % 4) {
    case 0:  // drips from the edge: grime, water in rock, acid in the hazard plant
      for (int k = 0; k < 5; ++k) {
        int x = rng.below(16), len = rng.below(8) + 3;
        Color drip = is(Look::Hazard) ? withAlpha(kAcidLiquid.deep, 230)
                     : is(Look::Rock) ? rgb(60, 40, 34, 190)
                                      : rgb(20, 24, 16, 170);
        c.fillRect(x, 0, 1, len, drip);
        c.set(x, len,
              is(Look::Hazard) ? kAcidLiquid.glow
              : is(Look::Rock) ? rgb(150, 170, 190)
                               : rgb(40, 50, 30, 200));
      }
      break;
    case 1:  // growth on the edge: grass tufts in rock, rust elsewhere, lit traces in tech
      if (is(Look::Tech)) {
        int y = 4 + rng.below(6);
        c.fillRect(0, y, 7, 1, withAlpha(t_.accent, 200));
        c.fillRect(6, y, 1, 5, withAlpha(t_.accent, 200));
        c.fillRect(6, y + 4, 10, 1, withAlpha(t_.accent, 200));
        c.fillRect(5, y - 1, 3, 3, withAlpha(t_.accent, 255));
        break;
      }
      for (int x = 0; x < kTile; ++x) {
        int h = 1 + static_cast<int>(3 * valueNoise(x / 2.0, variant, t_.seed));
        if (is(Look::Rock)) {
          c.fillRect(x, 0, 1, h, x % 3 ? rgb(90, 120, 50) : rgb(130, 160, 70));
          if (x % 4 == 1) c.fillRect(x, -2 + h / 2, 1, 2, rgb(110, 150, 60));
        } else {
          c.fillRect(x, 0, 1, h + 1, withAlpha(kRustOrange, 200));
        }
      }
      break;
    case 2: {  // a crack running down from the edge
      double x = rng.range(4, 12), y = 0;
      Color crack = is(Look::Rock) ? shade(t_.solid, 0.4) : rgb(16, 16, 18);
      while (y < 9) {
        double nx = x + rng.range(-2, 2), ny = y + rng.range(1.5, 3);
        c.line(x, y, nx, ny, crack);
        if (rng.below(3) == 0) c.line(nx, ny, nx + rng.range(-3, 3), ny + 2, crack);
        x = nx;
        y = ny;
      }
      break;
    }
    default:  // stripes painted along the edge; pebbles in rock
      if (is(Look::Rock)) {
        for (int k = 0; k < 5; ++k) {
          double x = 1 + k * 3 + rng.range(0, 1.5), r = rng.range(0.8, 1.6);
          c.fillEllipse(x, 1.5, r + 0.4, r, shade(t_.solid, rng.range(0.9, 1.4)));
        }
        break;
      }
      for (int x = 0; x < kTile; ++x)
        for (int y = 0; y < 3; ++y) {
          Color stripe = is(Look::Tech) ? rgb(230, 240, 255) : kHazardYellow;
          c.set(x, y, (x + y + variant) / 4 % 2 ? rgb(20, 20, 20) : stripe);
        }
      break;
  }
}

}  // namespace mv::art
