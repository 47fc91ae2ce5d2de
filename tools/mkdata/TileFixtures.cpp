// Fixtures (72..79) and the back walls with a fixture mounted on them (120..127), theme by theme.
//
// A fixture is fastened to something (a bracket, a plate, the top edge of the cell) and its light is
// flat and framed: nothing here is a loose glowing ball or a bright streak, which is what shots look
// like, and nothing has the pale rim of a pick-up.

#include <algorithm>
#include <cmath>

#include "Palette.h"
#include "TextureNames.h"
#include "TilePainter.h"

namespace mv::art {

using namespace mv::tiles;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr Color kIron = rgb(58, 60, 66);
constexpr Color kOchre = rgb(170, 60, 36);
constexpr Color kBoneWhite = rgb(222, 212, 186);

// Cables sagging from the left edge to the right, held in a clamp at the top; `dots` marks a lit
// fibre, `tag` hangs a warning tag.
void cableRun(Canvas& c, const Color (&colors)[3], Color dots, bool tag) {
  for (int k = 0; k < 3; ++k)
    for (int x = 0; x < kTile; ++x) {
      int y = 3 + k * 2 + static_cast<int>(std::lround(2.5 * std::sin(x / 15.0 * kPi)));
      c.fillRect(x, y, 1, 2, colors[k]);
      if (dots.a && k == 1 && x % 4 == 2) c.set(x, y, dots);
    }
  c.fillRect(6, 0, 4, 3, kIron);
  c.fillRect(6, 2, 1, 8, kIron);
  c.fillRect(9, 2, 1, 8, kIron);
  if (tag) {
    c.fillRect(11, 9, 4, 5, kHazardYellow);
    c.fillRect(11, 11, 4, 1, rgb(20, 20, 20));
  }
}

void stoneSlab(Canvas& c, Color rock) {
  c.fillPolygon({{1, 3}, {6, 1}, {14, 2}, {15, 9}, {13, 15}, {3, 14}, {0.5, 9}}, rock);
}

}  // namespace

void TilePainter::fixture(Canvas& c, int index, Rng& rng) const {
  // Black, dark blue and grey: a red cable would read as a smear of blood.
  const Color cables[3] = {rgb(34, 34, 38), rgb(40, 64, 120), rgb(54, 58, 64)};
  switch (t_.look) {
    case Look::Rock:
      switch (index) {
        case kLamp:  // a torch in an iron ring, flame up
          c.line(6, 15, 9, 6, rgb(100, 66, 36), 2);
          c.frameRect(5, 10, 4, 2, kIron);
          c.fillPolygon({{7.5, 6}, {9, 0.5}, {11.5, 4}, {11, 6.5}, {8.5, 7.5}}, rgb(230, 90, 20));
          c.fillPolygon({{8.8, 6}, {9.6, 2.5}, {10.6, 5}, {10, 6.5}}, rgb(255, 220, 110));
          break;
        case kWarningSign:  // a horned skull
          c.line(2, 4, 5, 7, kBoneWhite, 1.6);
          c.line(14, 4, 11, 7, kBoneWhite, 1.6);
          c.fillEllipse(8, 8, 4, 3.5, kBoneWhite);
          c.fillRect(6, 10, 4, 4, kBoneWhite);
          c.fillRect(6, 7, 1, 2, rgb(30, 20, 16));
          c.fillRect(9, 7, 1, 2, rgb(30, 20, 16));
          c.fillRect(7, 12, 2, 1, rgb(110, 96, 80));
          break;
        case kArrowRight:  // cave paintings on a slab: a hand, a hunter with his spear
        case kArrowLeft:
          stoneSlab(c, rgb(176, 160, 134));
          if (index == kArrowRight) {
            c.fillEllipse(7.5, 10.5, 3, 2.6, kOchre);
            for (int f = 0; f < 4; ++f) c.line(5 + f * 1.7, 9, 4.5 + f * 2, f == 0 || f == 3 ? 6 : 4, kOchre);
            c.line(10, 10, 12.5, 7.5, kOchre);
          } else {
            c.fillCircle(6, 4, 1.3, kOchre);
            c.line(6, 5, 6, 10, kOchre);
            c.line(6, 10, 4, 13, kOchre);
            c.line(6, 10, 8, 13, kOchre);
            c.line(4, 7, 9, 6, kOchre);
            c.line(9, 2, 9, 13, kOchre);
          }
          break;
        case kMonitor:  // a fossil shell in a slab
          stoneSlab(c, shade(t_.solid, 0.9));
          for (double a = 0; a < 4.5 * kPi; a += 0.25) {
            double r = 0.6 * a;
            c.set(static_cast<int>(8 + r * std::cos(a)), static_cast<int>(8 + r * std::sin(a)), kBoneWhite);
          }
          break;
        case kFan:  // crystals growing out of a rock
          c.fillEllipse(8, 14, 7, 2.5, shade(t_.solid, 0.7));
          for (auto [x, h, lean] : {std::tuple{4.0, 7.0, -1.5}, {8.0, 11.0, 0.0}, {11.5, 8.0, 1.5}}) {
            c.fillPolygon({{x - 1.8, 14}, {x + lean, 14 - h}, {x + 1.8, 14}},
                          mix(t_.accent, rgb(255, 250, 220), 0.3));
            c.line(x - 0.5, 13, x + lean * 0.8, 15 - h, rgb(255, 255, 235));
          }
          break;
        case kCables:  // roots hanging from the edge above
          for (int k = 0; k < 4; ++k) {
            double x = 2 + k * 4 + rng.range(-1, 1), len = rng.range(7, 15);
            for (double y = 0; y < len; y += 0.5)
              c.set(static_cast<int>(x + std::sin(y * 0.6 + k) * 1.2), static_cast<int>(y), rgb(96, 70, 44));
          }
          break;
        default:  // a rope hanging down
          for (int y = 0; y < kTile; ++y) {
            c.fillRect(7, y, 2, 1, y % 3 ? rgb(180, 156, 110) : rgb(130, 108, 72));
          }
          break;
      }
      return;
    case Look::Tech:
      switch (index) {
        case kLamp:  // a strip light in its housing with end caps, hung from two brackets; the tube
                     // is a soft blue-white, dimmer than any bolt
          c.fillRect(3, 0, 1, 5, kIron);
          c.fillRect(12, 0, 1, 5, kIron);
          c.bevelBox(1, 4, 14, 6, rgb(44, 50, 64));
          c.fillRect(3, 6, 10, 2, rgb(170, 206, 222));
          c.fillRect(1, 5, 2, 4, rgb(80, 88, 104));
          c.fillRect(13, 5, 2, 4, rgb(80, 88, 104));
          break;
        case kWarningSign:  // a screen sign with its warning
          c.bevelBox(2, 2, 12, 12, rgb(30, 36, 50));
          c.fillRect(3, 3, 10, 10, rgb(10, 30, 40));
          c.fillRect(7, 4, 2, 5, kHazardYellow);
          c.fillRect(7, 10, 2, 2, kHazardYellow);
          break;
        case kArrowRight:  // lit chevrons on a plate
        case kArrowLeft: {
          Canvas s(kTile, kTile);
          s.bevelBox(1, 4, 14, 8, rgb(30, 36, 50));
          for (int k = 0; k < 2; ++k) {
            s.line(4 + k * 4, 6, 7 + k * 4, 8, t_.accent);
            s.line(7 + k * 4, 8, 4 + k * 4, 10, t_.accent);
          }
          c.draw(index == kArrowRight ? s : s.mirrored(), 0, 0);
          break;
        }
        case kMonitor:  // a wide display with a trace
          c.bevelBox(0, 3, 16, 10, rgb(36, 42, 56));
          c.fillRect(2, 5, 12, 6, rgb(8, 20, 34));
          for (int x = 2; x < 14; ++x)
            c.set(x, 8 + static_cast<int>(std::lround(2 * std::sin(x * 0.9))), t_.accent);
          break;
        case kFan:  // a turbine in a square housing
          c.bevelBox(0, 0, 16, 16, rgb(36, 42, 56));
          c.fillCircle(8, 8, 6, rgb(10, 12, 18));
          for (int k = 0; k < 6; ++k) {
            double a = k * kPi / 3;
            c.line(8, 8, 8 + std::cos(a) * 5.5, 8 + std::sin(a) * 5.5, rgb(90, 100, 120), 1.5);
          }
          c.frameRect(6, 6, 4, 4, t_.accent);
          break;
        case kCables: {
          const Color fibres[3] = {rgb(30, 34, 46), rgb(44, 52, 70), rgb(24, 28, 36)};
          cableRun(c, fibres, t_.accent, false);
          break;
        }
        default:  // a data cable down the cell, with lit markers
          c.fillRect(6, 0, 4, kTile, rgb(30, 34, 44));
          for (int y = 2; y < kTile; y += 5) c.fillRect(7, y, 2, 1, t_.accent);
          break;
      }
      return;
    default:
      break;
  }
  // Metal and the hazard plant.
  bool hazard = is(Look::Hazard);
  switch (index) {
    case kLamp:
      // Hung from the ceiling by a rod, the light under a wide hood: no cage of bars (which reads as a
      // clip of rounds) and no red lens (which reads as shotgun shells).
      c.fillRect(7, 0, 2, 4, kIron);
      c.fillPolygon({{2, 8}, {5, 3.5}, {11, 3.5}, {14, 8}}, hazard ? rgb(120, 84, 48) : rgb(70, 76, 88));
      c.fillRect(2, 8, 12, 1, hazard ? rgb(80, 56, 34) : rgb(44, 48, 56));
      // A cold white bulb: nothing of the warm glow of lava or molten metal.
      c.fillEllipse(8, 9.5, 4.5, 1.8, rgb(214, 228, 240));
      c.fillRect(6, 9, 4, 1, rgb(250, 252, 255));
      break;
    case kWarningSign:
      if (hazard) {  // the radiation sign: three black blades round a hub, on a yellow diamond
        c.fillPolygon({{8, 0.5}, {15.5, 8}, {8, 15.5}, {0.5, 8}}, kHazardYellow);
        c.shadeEllipse(8, 8, 5.2, 5.2, [](double x, double y) {
          double a = std::atan2(y - 8, x - 8) * 180 / kPi + 90;  // 0 straight up
          a = std::fmod(a + 360, 120);
          double d = std::hypot(x - 8, y - 8);
          return d > 1.8 && a > 30 && a < 90 ? rgb(20, 20, 20) : kClear;
        });
        c.fillCircle(8, 8, 1.2, rgb(20, 20, 20));
      } else {
        c.fillPolygon({{8, 1}, {15, 14}, {1, 14}}, kHazardYellow);
        c.fillRect(7, 5, 2, 5, rgb(20, 20, 20));
        c.fillRect(7, 11, 2, 2, rgb(20, 20, 20));
      }
      break;
    case kArrowRight:
    case kArrowLeft: {
      Canvas s(kTile, kTile);
      if (hazard) {  // a flow arrow stencilled on a rusty plate
        s.bevelBox(0, 3, 16, 10, mix(t_.solid, kRustOrange, 0.4));
        s.fillPolygon({{2, 7}, {9, 7}, {9, 5}, {14, 8}, {9, 11}, {9, 9}, {2, 9}}, kHazardYellow);
      } else {
        s.bevelBox(1, 3, 14, 10, rgb(30, 110, 50));
        s.fillPolygon({{3, 7}, {9, 7}, {9, 5}, {13, 8}, {9, 11}, {9, 9}, {3, 9}}, rgb(230, 240, 230));
      }
      c.draw(index == kArrowRight ? s : s.mirrored(), 0, 0);
      break;
    }
    case kMonitor:
      if (hazard) {  // a pressure gauge on a plate, its needle in the red
        c.bevelBox(1, 1, 14, 14, kIron);
        c.fillCircle(8, 8, 5, rgb(220, 214, 196));
        c.line(8, 8, 11.5, 5, rgb(200, 20, 10));
        c.fillRect(9, 3, 4, 1, rgb(200, 20, 10));
      } else {
        c.bevelBox(1, 2, 14, 11, kGunDark);
        c.fillRect(3, 4, 10, 7, rgb(10, 40, 30));
        for (int y = 5; y < 11; y += 2) c.fillRect(4, y, rng.below(7) + 2, 1, rgb(80, 255, 140));
        c.fillRect(6, 13, 4, 2, kGunDark);
      }
      break;
    case kFan: {
      Color housing = hazard ? mix(t_.solid, kRustOrange, 0.5) : shade(t_.solid, 0.6);
      c.fillCircle(8, 8, 7.5, housing);
      c.fillCircle(8, 8, 6, rgb(14, 14, 16));
      for (int k = 0; k < 4; ++k) {
        double a = k * kPi / 2 + 0.4;
        c.line(8, 8, 8 + std::cos(a) * 5.5, 8 + std::sin(a) * 5.5, shade(housing, 1.6), 2.5);
      }
      c.fillCircle(8, 8, 1.5, shade(housing, 1.8));
      break;
    }
    case kCables:
      cableRun(c, cables, kClear, hazard);
      break;
    default:  // a chain hanging down the cell; rusty, with a hook, in the hazard plant
      for (int y = 0; y < kTile - (hazard ? 4 : 0); y += 4) {
        c.frameRect(6, y, 4, 5, hazard ? rgb(150, 90, 56) : rgb(150, 150, 156));
        c.set(7, y + 1, hazard ? rgb(200, 130, 80) : rgb(210, 210, 220));
      }
      if (hazard) {
        c.line(8, 12, 8, 15, kIron, 1.5);
        c.line(8, 15, 11, 13, kIron, 1.5);
      }
      break;
  }
}

// A back wall with a fixture fastened to it.
void TilePainter::mounted(Canvas& c, int index, Rng& rng) const {
  backPanel(c, index % 3, rng);
  Canvas piece(kTile, kTile);
  switch (index) {
    case kWallLamp:
      fixture(piece, kLamp, rng);
      break;
    case kWallSign:
      fixture(piece, kWarningSign, rng);
      break;
    case kWallMonitor:
      fixture(piece, kMonitor, rng);
      break;
    case kWallFan:
      fixture(piece, kFan, rng);
      break;
    case kWallCables:
      fixture(piece, kCables, rng);
      break;
    case kWallPipe:
      pipe(piece, kPipeVertical);
      break;
    case kWallVent:
      if (is(Look::Rock)) {  // a crevice into the dark
        piece.fillPolygon({{6, 1}, {9, 3}, {10, 8}, {9, 14}, {7, 15}, {6.5, 9}, {5, 5}}, rgb(14, 8, 6));
        break;
      }
      piece.fillRect(3, 4, 10, 8, rgb(10, 10, 12));
      for (int y = 5; y < 12; y += 2) piece.fillRect(3, y, 10, 1, shade(t_.back, 1.6));
      piece.frameRect(2, 3, 12, 10, shade(t_.back, 1.9));
      break;
    default:
      fixture(piece, kChain, rng);
      break;
  }
  c.draw(piece, 0, 0);
}

}  // namespace mv::art
