#include "Textures.h"

#include <algorithm>
#include <cmath>

#include "ArtItem.h"
#include "ArtOutput.h"
#include "Palette.h"
#include "common/ArtRng.h"
#include "TextureNames.h"

namespace mv::art {

namespace {

using namespace mv::tiles;

// clang-format off
constexpr Theme kThemes[] = {
  {"metal", rgb(104, 114, 128), rgb(230, 180, 60), rgb(36, 42, 52), rgb(90, 220, 40), rgb(200, 255, 120), 101, false},
  {"rock", rgb(112, 92, 74), rgb(200, 120, 60), rgb(40, 32, 28), rgb(255, 100, 10), rgb(255, 220, 90), 202, true},
  {"tech", rgb(60, 72, 100), rgb(70, 220, 255), rgb(20, 26, 40), rgb(60, 140, 255), rgb(200, 240, 255), 303, false},
  {"hazard", rgb(120, 84, 62), rgb(236, 196, 32), rgb(44, 30, 26), rgb(255, 90, 0), rgb(255, 230, 120), 404, false},
};
// clang-format on

class TilePainter {
 public:
  TilePainter(Canvas& sheet, const Theme& theme) : sheet_(sheet), t_(theme) {}

  void paint(int index) {
    Canvas tile(kTile, kTile);
    Rng rng(t_.seed * 1000 + static_cast<uint32_t>(index));
    if (index >= kSolidFirst && index <= kSolidLast)
      solid(tile, index, rng);
    else if (index >= kPlatformFirst && index <= kPlatformLast)
      platform(tile, index);
    else if (index >= kLethalFirst && index <= kLethalLast)
      lethal(tile, index, rng);
    else if (index >= kBackPanelFirst && index <= kBackPanelLast)
      backPanel(tile, index - kBackPanelFirst, rng);
    else if (index >= kPipeHorizontal && index <= kPipeValve)
      pipe(tile, index);
    else if (index >= kGirderHorizontal && index <= kBoltPlate)
      girder(tile, index);
    else if (index >= kLamp && index <= kChain)
      fixture(tile, index, rng);
    else if (index >= kOverlayFirst && index <= kOverlayLast)
      overlay(tile, index - kOverlayFirst, rng);
    else if (index >= kBackFillFirst)
      backPanel(tile, index - kBackFillFirst + 8, rng);
    sheet_.draw(tile, (index % kSheetColumns) * kTile, (index / kSheetColumns) * kTile);
  }

 private:
  // The face of a block: noisy plate or stone, lit from the top-left.
  void blockFace(Canvas& c, Color base, uint32_t variant, int ox, int oy) {
    c.shadeRect(0, 0, kTile, kTile, [&](double x, double y) {
      double n = fractalNoise((x + ox) / 5.0, (y + oy) / 5.0, t_.seed + variant, 3);
      double grain = valueNoise((x + ox) * 1.7, (y + oy) * 0.6, t_.seed + 9);
      double light = 0.8 + 0.35 * n + (t_.stone ? 0.1 * grain : 0.06 * grain);
      return shade(base, light);
    });
  }

  void plateTrim(Canvas& c, bool top, bool bottom, bool left, bool right) {
    Color hi = shade(t_.solid, 1.45), lo = shade(t_.solid, 0.45);
    if (top) c.fillRect(0, 0, kTile, 1, hi);
    if (left) c.fillRect(0, 0, 1, kTile, hi);
    if (bottom) c.fillRect(0, kTile - 1, kTile, 1, lo);
    if (right) c.fillRect(kTile - 1, 0, 1, kTile, lo);
  }

  void rivets(Canvas& c) {
    for (int x : {3, 12})
      for (int y : {3, 12}) {
        c.set(x, y, shade(t_.solid, 0.5));
        c.set(x - 1, y - 1, shade(t_.solid, 1.5));
      }
  }

  void stoneCracks(Canvas& c, Rng& rng) {
    // Mortar lines split the block into two offset courses, and a crack or two.
    Color mortar = shade(t_.solid, 0.45);
    c.fillRect(0, 7, kTile, 1, mortar);
    c.fillRect(rng.below(6) + 2, 0, 1, 7, mortar);
    c.fillRect(rng.below(6) + 9, 8, 1, 8, mortar);
    double x = rng.range(3, 13), y = rng.range(1, 5);
    for (int k = 0; k < 4; ++k) {
      double nx = x + rng.range(-2.5, 2.5), ny = y + rng.range(1, 3);
      c.line(x, y, nx, ny, shade(t_.solid, 0.55));
      x = nx;
      y = ny;
    }
  }

  void solid(Canvas& c, int index, Rng& rng) {
    blockFace(c,
              index == kWallAlt1   ? shade(t_.solid, 0.9)
              : index == kWallAlt2 ? shade(t_.solid, 1.08)
                                   : t_.solid,
              static_cast<uint32_t>(index), index * 16, 0);
    if (t_.stone) {
      stoneCracks(c, rng);
    } else {
      plateTrim(c, true, true, true, true);
      if (index != kWallAlt2) rivets(c);
      if (index == kWallAlt2) c.line(1, 8, 14, 8, shade(t_.solid, 0.6));
    }
    switch (index) {
      case kFloor:
        c.fillRect(0, 0, kTile, 3, shade(t_.solid, 1.3));
        c.fillRect(0, 0, kTile, 1, shade(t_.solid, 1.7));
        if (!t_.stone)
          for (int x = 0; x < kTile; x += 4) c.fillRect(x, 1, 2, 1, shade(t_.solid, 0.8));
        if (std::string_view(t_.name) == "hazard")
          for (int x = 0; x < kTile; ++x)
            for (int y = 0; y < 3; ++y) c.set(x, y, (x + y) / 3 % 2 ? rgb(30, 26, 20) : t_.accent);
        break;
      case kCeiling:
        c.fillRect(0, kTile - 3, kTile, 3, shade(t_.solid, 0.45));
        break;
      case kWallLeft:
        c.fillRect(0, 0, 3, kTile, shade(t_.solid, 1.3));
        break;
      case kWallRight:
        c.fillRect(kTile - 3, 0, 3, kTile, shade(t_.solid, 0.5));
        break;
      case kCornerTopLeft:
        c.fillRect(0, 0, kTile, 3, shade(t_.solid, 1.3));
        c.fillRect(0, 0, 3, kTile, shade(t_.solid, 1.3));
        break;
      case kCornerTopRight:
        c.fillRect(0, 0, kTile, 3, shade(t_.solid, 1.3));
        c.fillRect(kTile - 3, 0, 3, kTile, shade(t_.solid, 0.5));
        break;
      case kCornerBottomLeft:
        c.fillRect(0, kTile - 3, kTile, 3, shade(t_.solid, 0.45));
        c.fillRect(0, 0, 3, kTile, shade(t_.solid, 1.3));
        break;
      case kCornerBottomRight:
        c.fillRect(0, kTile - 3, kTile, 3, shade(t_.solid, 0.45));
        c.fillRect(kTile - 3, 0, 3, kTile, shade(t_.solid, 0.5));
        break;
      case kCrate:
        c.bevelBox(0, 0, kTile, kTile, rgb(130, 92, 52), 2);
        c.line(2, 2, 13, 13, rgb(90, 60, 32), 2);
        c.line(13, 2, 2, 13, rgb(90, 60, 32), 2);
        break;
      case kPillar:
        c.shadeRect(2, 0, 12, kTile,
                    [&](double x, double) { return shade(t_.solid, 1.5 - std::abs(x - 6) / 8); });
        c.fillRect(0, 0, 2, kTile, shade(t_.solid, 0.4));
        c.fillRect(14, 0, 2, kTile, shade(t_.solid, 0.4));
        break;
      case kVentBlock:
        c.fillRect(2, 2, 12, 12, rgb(12, 12, 14));
        for (int y = 3; y < 14; y += 3) c.fillRect(2, y, 12, 1, shade(t_.solid, 0.9));
        break;
      case kLampBlock:
        c.fillRect(3, 4, 10, 8, shade(t_.accent, 0.5));
        c.fillRect(4, 5, 8, 6, t_.accent);
        c.fillRect(5, 6, 4, 2, rgb(255, 255, 230));
        break;
      default:
        break;
    }
  }

  void platform(Canvas& c, int index) {
    bool grate = index >= kGrateLeft && index <= kGrateSingle;
    if (index == kPlatformStrut) {
      c.bevelBox(6, 0, 4, kTile, shade(t_.solid, 0.8));
      c.line(7, 2, 7, 13, shade(t_.solid, 1.3));
      return;
    }
    int base = grate ? index - kGrateLeft : index <= kPlatformSingle ? index - kPlatformLeft : 1;
    bool openLeft = base == 0 || base == 3, openRight = base == 2 || base == 3;
    int x0 = openLeft ? 1 : 0, x1 = openRight ? kTile - 1 : kTile;
    if (grate) {
      c.fillRect(x0, 0, x1 - x0, 2, shade(t_.solid, 1.3));
      c.fillRect(x0, 4, x1 - x0, 2, shade(t_.solid, 0.7));
      for (int x = x0; x < x1; x += 3) c.fillRect(x, 2, 1, 2, shade(t_.solid, 1.0));
    } else {
      c.gradientRect(x0, 0, x1 - x0, 6, shade(t_.solid, 1.4), shade(t_.solid, 0.6));
      c.fillRect(x0, 0, x1 - x0, 1, shade(t_.solid, 1.8));
      if (index > kPlatformSingle && index != kPlatformStrut)
        c.set(3 + (index * 5) % 10, 3, shade(t_.solid, 0.4));
    }
    // Brackets under the open ends.
    if (openLeft) c.fillPolygon({{1, 6}, {5, 6}, {1, 10}}, shade(t_.solid, 0.6));
    if (openRight) c.fillPolygon({{11, 6}, {15, 6}, {15, 10}}, shade(t_.solid, 0.6));
    c.outline(withAlpha(kOutline, 255));
  }

  void spikes(Canvas& c, int dir) {
    Canvas s(kTile, kTile);
    s.fillRect(0, 13, kTile, 3, shade(t_.solid, 0.7));
    for (int k = 0; k < 4; ++k) {
      double x = k * 4;
      s.fillPolygon({{x, 13}, {x + 2, 2}, {x + 4, 13}}, rgb(190, 196, 206));
      s.line(x + 1.5, 12, x + 2, 3, rgb(240, 244, 250));
      s.set(static_cast<int>(x) + 2, 2, rgb(200, 30, 20));
    }
    // Pointing up is the base picture; the others turn it.
    static constexpr double kTurn[4] = {0, 180, 270, 90};
    c.draw(s.rotated(kTurn[dir], 8, 8, kTile, kTile, 8, 8), 0, 0);
  }

  void liquid(Canvas& c, bool surface, uint32_t variant) {
    int top = surface ? 4 : 0;
    c.shadeRect(0, top, kTile, kTile - top, [&](double x, double y) {
      double n = fractalNoise(x / 4.0 + variant * 3.0, y / 3.0, t_.seed + 50, 3);
      double heat = n * 1.3 - 0.35 + (surface ? (8 - y) * 0.06 : 0);
      return mix(shade(t_.liquid, 0.55), t_.liquidGlow, std::clamp(heat, 0.0, 1.0));
    });
    if (!surface) return;
    // A rippling surface line with air above it, and a bubble rising out.
    for (int x = 0; x < kTile; ++x) {
      int wave = static_cast<int>(std::round(std::sin((x + variant * 5) * 0.8) * 1.2));
      for (int y = top; y < 5 + wave; ++y) c.set(x, y, kClear);
      c.set(x, 5 + wave, t_.liquidGlow);
    }
    c.set(4 + static_cast<int>(variant) * 3, 2, t_.liquidGlow);
  }

  void lethal(Canvas& c, int index, Rng& rng) {
    if (index <= kSpikesRight) return spikes(c, index - kSpikesUp);
    if (index == kLiquidSurface || index == kLiquidSurfaceAlt)
      return liquid(c, true, index == kLiquidSurfaceAlt);
    if (index == kLiquid || index == kLiquidAlt) return liquid(c, false, index == kLiquidAlt ? 7 : 0);
    if (index == kEnergyFence) {
      c.bevelBox(0, 0, 3, kTile, kGunDark);
      c.bevelBox(13, 0, 3, kTile, kGunDark);
      double x = 3;
      for (int y = 0; y < kTile; y += 2) {
        double nx = rng.range(4, 12);
        c.line(x, y, nx, y + 2, t_.accent == kHazardYellow ? rgb(120, 200, 255) : t_.accent);
        x = nx;
      }
      return;
    }
    // 41..47: alternate spikes and liquid pieces.
    int k = index - 41;
    if (k < 4) return spikes(c, k);
    return liquid(c, k == 4, static_cast<uint32_t>(k));
  }

  void backPanel(Canvas& c, int variant, Rng& rng) {
    Color base = shade(t_.back, 0.85 + 0.05 * (variant % 4));
    blockFace(c, base, 60 + static_cast<uint32_t>(variant), variant * 16, 100);
    if (t_.stone) {
      Color mortar = shade(base, 0.55);
      c.fillRect(0, (variant % 2) * 8 + 3, kTile, 1, mortar);
      c.fillRect(rng.below(12) + 2, 0, 1, kTile, withAlpha(mortar, 120));
      return;
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

  void pipeRun(Canvas& c, double x0, double y0, double x1, double y1, bool horizontal) {
    Color col = std::string_view(t_.name) == "tech" ? rgb(80, 90, 110) : rgb(120, 110, 96);
    int w = 6;
    if (horizontal)
      c.shadeRect(static_cast<int>(x0), 5, static_cast<int>(x1 - x0), w,
                  [&](double, double y) { return shade(col, 1.5 - std::abs(y - 6.5) / 3); });
    else
      c.shadeRect(5, static_cast<int>(y0), w, static_cast<int>(y1 - y0),
                  [&](double x, double) { return shade(col, 1.5 - std::abs(x - 6.5) / 3); });
  }

  void pipe(Canvas& c, int index) {
    switch (index) {
      case kPipeHorizontal:
        pipeRun(c, 0, 0, 16, 0, true);
        break;
      case kPipeVertical:
        pipeRun(c, 0, 0, 0, 16, false);
        break;
      case kPipeDownRight:
        pipeRun(c, 5, 0, 16, 0, true);
        pipeRun(c, 0, 5, 0, 16, false);
        break;
      case kPipeDownLeft:
        pipeRun(c, 0, 0, 11, 0, true);
        pipeRun(c, 0, 5, 0, 16, false);
        break;
      case kPipeUpRight:
        pipeRun(c, 5, 0, 16, 0, true);
        pipeRun(c, 0, 0, 0, 11, false);
        break;
      case kPipeUpLeft:
        pipeRun(c, 0, 0, 11, 0, true);
        pipeRun(c, 0, 0, 0, 11, false);
        break;
      case kPipeJunction:
        pipeRun(c, 0, 0, 16, 0, true);
        pipeRun(c, 0, 5, 0, 16, false);
        break;
      default:
        pipeRun(c, 0, 0, 16, 0, true);
        c.fillCircle(8, 4, 3.5, rgb(180, 30, 24));
        c.fillRect(7, 4, 2, 3, rgb(70, 70, 76));
        break;
    }
    c.outline(withAlpha(kOutline, 255));
  }

  void girder(Canvas& c, int index) {
    Color col = mix(t_.solid, kRustOrange, 0.35);
    auto beam = [&](double x0, double y0, double x1, double y1) {
      c.line(x0, y0, x1, y1, shade(col, 0.6), 4);
      c.line(x0, y0, x1, y1, col, 2);
    };
    switch (index) {
      case kGirderHorizontal:
      case kGirderLeftEnd:
      case kGirderRightEnd: {
        int x0 = index == kGirderLeftEnd ? 3 : 0, x1 = index == kGirderRightEnd ? 13 : 16;
        c.fillRect(x0, 3, x1 - x0, 2, col);
        c.fillRect(x0, 11, x1 - x0, 2, col);
        for (int x = x0; x < x1; x += 8) {
          c.line(x, 12, x + 4, 4, shade(col, 0.8));
          c.line(x + 4, 4, x + 8, 12, shade(col, 0.8));
        }
        if (index != kGirderHorizontal)
          c.fillRect(index == kGirderLeftEnd ? 2 : 12, 2, 2, 12, shade(col, 0.7));
        break;
      }
      case kGirderVertical:
        c.fillRect(3, 0, 2, 16, col);
        c.fillRect(11, 0, 2, 16, col);
        for (int y = 0; y < 16; y += 8) {
          c.line(4, y, 12, y + 4, shade(col, 0.8));
          c.line(12, y + 4, 4, y + 8, shade(col, 0.8));
        }
        break;
      case kGirderCross:
        beam(1, 1, 15, 15);
        beam(15, 1, 1, 15);
        break;
      case kGirderRising:
        beam(0, 16, 16, 0);
        break;
      case kGirderFalling:
        beam(0, 0, 16, 16);
        break;
      default:
        c.bevelBox(2, 2, 12, 12, col);
        for (int x : {5, 10})
          for (int y : {5, 10}) c.fillCircle(x, y, 1.2, shade(col, 0.5));
        break;
    }
    c.outline(withAlpha(kOutline, 255));
  }

  void fixture(Canvas& c, int index, Rng& rng) {
    switch (index) {
      case kLamp:
        c.fillCircle(8, 9, 8, withAlpha(t_.accent, 60));
        c.fillRect(5, 2, 6, 3, kGunDark);
        c.fillEllipse(8, 7, 3, 3, rgb(255, 250, 220));
        break;
      case kWarningSign:
        c.fillPolygon({{8, 1}, {15, 14}, {1, 14}}, kHazardYellow);
        c.fillRect(7, 5, 2, 5, rgb(20, 20, 20));
        c.fillRect(7, 11, 2, 2, rgb(20, 20, 20));
        break;
      case kArrowRight:
      case kArrowLeft: {
        Canvas s(kTile, kTile);
        s.bevelBox(1, 3, 14, 10, rgb(30, 110, 50));
        s.fillPolygon({{3, 7}, {9, 7}, {9, 5}, {13, 8}, {9, 11}, {9, 9}, {3, 9}}, rgb(230, 240, 230));
        c.draw(index == kArrowRight ? s : s.mirrored(), 0, 0);
        break;
      }
      case kMonitor:
        c.bevelBox(1, 2, 14, 11, kGunDark);
        c.fillRect(3, 4, 10, 7, rgb(10, 40, 30));
        for (int y = 5; y < 11; y += 2) c.fillRect(4, y, rng.below(7) + 2, 1, rgb(80, 255, 140));
        c.fillRect(6, 13, 4, 2, kGunDark);
        break;
      case kFan:
        c.fillCircle(8, 8, 7.5, shade(t_.solid, 0.6));
        c.fillCircle(8, 8, 6, rgb(14, 14, 16));
        for (int k = 0; k < 4; ++k) {
          double a = k * 3.14159265 / 2 + 0.4;
          c.line(8, 8, 8 + std::cos(a) * 5.5, 8 + std::sin(a) * 5.5, shade(t_.solid, 1.1), 2.5);
        }
        c.fillCircle(8, 8, 1.5, shade(t_.solid, 1.4));
        break;
      case kCables:
        for (int k = 0; k < 3; ++k) {
          Color col = k == 0 ? rgb(160, 30, 30) : k == 1 ? rgb(40, 40, 44) : rgb(40, 90, 160);
          for (int x = 0; x < kTile; ++x) {
            double y = 2 + k * 3 + 3 * std::sin(x / 16.0 * 3.14159265);
            c.fillRect(x, static_cast<int>(y), 1, 2, col);
          }
        }
        break;
      default:  // a chain hanging down the cell
        for (int y = 0; y < kTile; y += 4) {
          c.frameRect(6, y, 4, 5, rgb(150, 150, 156));
          c.set(7, y + 1, rgb(210, 210, 220));
        }
        break;
    }
  }

  void overlay(Canvas& c, int variant, Rng& rng) {
    switch (variant % 4) {
      case 0:  // grime drips from above
        for (int k = 0; k < 5; ++k) {
          int x = rng.below(16), len = rng.below(10) + 3;
          c.fillRect(x, 0, 1, len, rgb(20, 24, 16, 170));
          c.set(x, len, rgb(40, 50, 30, 200));
        }
        break;
      case 1:  // moss or rust creeping up from below
        for (int x = 0; x < kTile; ++x) {
          int h = 2 + static_cast<int>(4 * valueNoise(x / 3.0, variant, t_.seed));
          c.fillRect(x, kTile - h, 1, h, t_.stone ? rgb(60, 100, 40) : rgb(130, 64, 24));
        }
        break;
      case 2:  // cracks and scorch
        c.fillCircle(8, 8, 6, rgb(0, 0, 0, 90));
        c.line(3, 4, 8, 8, rgb(10, 10, 10, 200));
        c.line(8, 8, 13, 6, rgb(10, 10, 10, 200));
        c.line(8, 8, 7, 14, rgb(10, 10, 10, 200));
        break;
      default:  // hazard stripes
        for (int x = 0; x < kTile; ++x)
          for (int y = 10; y < kTile; ++y)
            c.set(x, y, (x + y + variant) / 4 % 2 ? rgb(20, 20, 20) : kHazardYellow);
        break;
    }
  }

  Canvas& sheet_;
  const Theme& t_;
};

}  // namespace

const Theme& theme(int index) {
  return kThemes[std::clamp(index, 0, 3)];
}

Canvas tileSheet(const Theme& t) {
  Canvas sheet(kSheetColumns * kTile, kSheetRows * kTile);
  TilePainter painter(sheet, t);
  for (int index = 1; index < kSheetColumns * kSheetRows; ++index) painter.paint(index);
  return sheet;
}

void writeTextures(const std::string& gameDir) {
  for (int i = 0; i < 4; ++i) {
    const Theme& t = theme(i);
    writeIfChanged(gameDir + "/Textures/" + t.name + ".bmp", encodeBitmapFile(toPicture(tileSheet(t), true)));
  }
}

}  // namespace mv::art
