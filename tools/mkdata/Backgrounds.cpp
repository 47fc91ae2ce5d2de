#include "Backgrounds.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "ArtItem.h"
#include "ArtOutput.h"
#include "Palette.h"
#include "common/ArtRng.h"

namespace mv::art {

namespace {

constexpr int W = kBackgroundWidth, H = kBackgroundHeight;

void sky(Canvas& c, Color top, Color bottom, uint32_t seed, double haze) {
  c.shadeRect(0, 0, W, H, [=](double x, double y) {
    double n = fractalNoise(x / 90, y / 60, seed, 4);
    return shade(mix(top, bottom, y / H), 1 + haze * (n - 0.5));
  });
}

// A band of drifting fog or smoke.
void fog(Canvas& c, double y0, double y1, Color col, uint32_t seed) {
  c.shadeRect(0, static_cast<int>(y0), W, static_cast<int>(y1 - y0), [=](double x, double y) {
    double n = fractalNoise(x / 70, y / 25, seed, 4);
    double edge = std::sin((y - y0) / (y1 - y0) * 3.14159265);
    return withAlpha(col, static_cast<int>(col.a * std::clamp((n - 0.35) * 2.2, 0.0, 1.0) * edge));
  });
}

void truss(Canvas& c, double y, double h, Color col) {
  c.fillRect(0, static_cast<int>(y), W, 3, col);
  c.fillRect(0, static_cast<int>(y + h), W, 3, col);
  for (double x = 0; x < W; x += h) {
    c.line(x, y + h, x + h / 2, y, col, 2);
    c.line(x + h / 2, y, x + h, y + h, col, 2);
  }
}

void industrial(Canvas& c, const Theme& t) {
  sky(c, rgb(30, 36, 48), rgb(10, 12, 16), t.seed, 0.5);
  Rng rng(t.seed);
  // Far row of tanks and columns, then a nearer one, each darker and larger.
  for (int layer = 0; layer < 2; ++layer) {
    Color col = layer ? rgb(16, 18, 24) : rgb(24, 28, 36);
    double base = layer ? 600 : 520;
    for (double x = rng.range(-40, 0); x < W; x += rng.range(90, 170) * (1 + layer * 0.5)) {
      double w = rng.range(40, 80) * (1 + layer * 0.4), h = rng.range(160, 320) * (1 + layer * 0.3);
      c.fillRect(static_cast<int>(x), static_cast<int>(base - h), static_cast<int>(w), static_cast<int>(h),
                 col);
      c.fillEllipse(x + w / 2, base - h, w / 2, w / 5, col);
      for (double yy = base - h + 20; yy < base; yy += 38)
        c.fillRect(static_cast<int>(x), static_cast<int>(yy), static_cast<int>(w), 2, shade(col, 1.4));
      if (rng.below(2)) c.fillCircle(x + w / 2, base - h + 30, 2.5, withAlpha(t.accent, 200));
    }
  }
  truss(c, 40, 36, rgb(20, 22, 28));
  fog(c, 330, 520, rgb(70, 80, 96, 70), t.seed + 3);
}

void cave(Canvas& c, const Theme& t) {
  sky(c, rgb(26, 20, 18), rgb(40, 20, 12), t.seed, 0.7);
  // Lava glow from far below.
  c.shadeRect(0, 380, W, 220,
              [](double, double y) { return rgb(200, 60, 10, static_cast<int>(120 * (y - 380) / 220)); });
  Rng rng(t.seed);
  for (int layer = 0; layer < 2; ++layer) {
    Color col = layer ? rgb(14, 10, 9) : rgb(30, 22, 19);
    double scale = layer ? 1.6 : 1.0;
    for (double x = rng.range(-30, 0); x < W; x += rng.range(25, 60) * scale) {
      double w = rng.range(18, 40) * scale, h = rng.range(50, 160) * scale;
      c.fillPolygon({{x, 0}, {x + w, 0}, {x + w * rng.range(0.4, 0.6), h}}, col);
      double g = rng.range(40, 130) * scale;
      c.fillPolygon({{x + 10, H + 1.0}, {x + 10 + w, H + 1.0}, {x + 10 + w * 0.5, H - g}}, col);
    }
  }
  fog(c, 300, 560, rgb(120, 50, 20, 60), t.seed + 4);
}

void tech(Canvas& c, const Theme& t) {
  sky(c, rgb(14, 20, 38), rgb(6, 8, 16), t.seed, 0.4);
  // A window band on the stars, then the panel grid with its glowing seams.
  Rng rng(t.seed);
  c.fillRect(0, 150, W, 120, rgb(2, 3, 8));
  for (int k = 0; k < 220; ++k) {
    int x = rng.below(W), y = 150 + rng.below(120);
    int b = 90 + rng.below(160);
    c.set(x, y, rgb(b, b, std::min(255, b + 30)));
  }
  // A planet lit from the upper left.
  c.shadeEllipse(620, 210, 44, 44, [](double x, double y) {
    double d = std::hypot(x - 600, y - 190) / 80;
    double bands = 0.85 + 0.15 * std::sin(y / 5.0);
    return shade(mix(rgb(120, 160, 220), rgb(10, 16, 40), d), bands);
  });
  for (int x = 0; x < W; x += 100) c.fillRect(x, 150, 6, 120, rgb(24, 30, 46));
  for (int y : {0, 270, 400})
    for (int x = 0; x < W; x += 100) {
      int h = y == 0 ? 150 : y == 270 ? 130 : 200;
      c.frameRect(x + 2, y + 2, 96, h - 4, rgb(28, 38, 60));
      c.fillRect(x + 4, y + h - 8, 92, 1, withAlpha(t.accent, 70));
      if (rng.below(3) == 0) c.fillCircle(x + 14, y + 14, 2, withAlpha(t.accent, 180));
    }
  c.fillRect(0, 148, W, 2, withAlpha(t.accent, 120));
  c.fillRect(0, 270, W, 2, withAlpha(t.accent, 120));
}

// The acid works: stacks and tanks under a sickly yellow-green haze, the fumes of the vats.
void refinery(Canvas& c, const Theme& t) {
  sky(c, rgb(64, 66, 22), rgb(18, 20, 10), t.seed, 0.8);
  fog(c, 40, 300, rgb(26, 30, 12, 140), t.seed + 5);
  Rng rng(t.seed);
  for (int layer = 0; layer < 2; ++layer) {
    Color col = layer ? rgb(10, 10, 8) : rgb(26, 24, 16);
    double base = layer ? 600 : 560;
    for (double x = rng.range(-20, 0); x < W; x += rng.range(70, 140) * (1 + layer * 0.6)) {
      double w = rng.range(14, 30) * (1 + layer * 0.5), h = rng.range(200, 380) * (1 + layer * 0.2);
      c.fillRect(static_cast<int>(x), static_cast<int>(base - h), static_cast<int>(w), static_cast<int>(h),
                 col);
      if (rng.below(2) == 0) {
        // A gas flare burning off the top of the stack.
        double fx = x + w / 2, fy = base - h;
        c.fillEllipse(fx, fy - 10, 6, 14, rgb(255, 140, 30, 200));
        c.fillEllipse(fx, fy - 6, 3, 7, rgb(255, 240, 160));
      }
      double tw = rng.range(50, 90);
      c.fillRect(static_cast<int>(x + w), static_cast<int>(base - tw), static_cast<int>(tw),
                 static_cast<int>(tw), col);
    }
  }
  fog(c, 420, 600, rgb(70, 110, 20, 100), t.seed + 6);
}

// The foundry: a soot-black casting hall lit from below by the furnaces. Their mouths burn deep red
// along the foot of the picture, the glow climbs the smoke, and cranes and hanging ladles stand dark
// against it. The glow is the red of fire, kept apart from the pale gold of the molten metal in the
// level's pit.
void furnaceHall(Canvas& c, const Theme& t) {
  sky(c, rgb(22, 16, 16), rgb(40, 18, 12), t.seed + 500, 0.6);
  // The heat rising from below.
  c.shadeRect(0, 300, W, 300, [](double, double y) {
    return rgb(190, 50, 16, static_cast<int>(150 * std::pow((y - 300) / 300, 1.6)));
  });
  Rng rng(t.seed + 500);
  // Furnace stacks: brick columns with a glowing mouth at the bottom.
  for (double x = rng.range(-30, 10); x < W; x += rng.range(150, 210)) {
    const double w = rng.range(70, 100), top = rng.range(60, 180);
    c.fillRect(static_cast<int>(x), static_cast<int>(top), static_cast<int>(w), H, rgb(28, 20, 18));
    for (double y = top + 12; y < H; y += 14)
      c.fillRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), 1, rgb(36, 26, 22));
    // The furnace's arched mouth, the fire inside brightest at its floor.
    const double mx = x + w / 2, mw = w * 0.34, mtop = H - 120;
    c.shadeEllipse(mx, H - 60, w * 0.95, 90, [=](double px, double py) {
      const double d = std::hypot((px - mx) / (w * 0.95), (py - (H - 60)) / 90);
      return rgb(220, 70, 20, static_cast<int>(150 * std::clamp(1 - d, 0.0, 1.0)));
    });
    c.fillRect(static_cast<int>(mx - mw - 6), static_cast<int>(mtop - 6), static_cast<int>(2 * mw + 12), H,
               rgb(44, 30, 26));
    c.fillEllipse(mx, mtop, mw + 6, mw * 0.7 + 6, rgb(44, 30, 26));
    auto fire = [=](double, double py) {
      return mix(rgb(150, 30, 10), rgb(250, 130, 40), std::clamp((py - mtop + 20) / (H - mtop + 20), 0.0, 1.0));
    };
    c.shadeRect(static_cast<int>(mx - mw), static_cast<int>(mtop), static_cast<int>(2 * mw), H, fire);
    c.shadeEllipse(mx, mtop, mw, mw * 0.7, fire);
    for (double bx = mx - mw + 5; bx < mx + mw; bx += 9)
      c.fillRect(static_cast<int>(bx), static_cast<int>(mtop - 4), 2, H, rgb(40, 22, 18));
  }
  // A crane girder across the hall, with chains and ladles hanging from it.
  truss(c, 70, 30, rgb(14, 10, 10));
  for (double x = rng.range(40, 120); x < W; x += rng.range(180, 260)) {
    const double drop = rng.range(120, 260);
    c.line(x, 100, x, 100 + drop, rgb(16, 12, 12), 3);
    c.fillPolygon({{x - 26, 100 + drop}, {x + 26, 100 + drop}, {x + 18, 132 + drop}, {x - 18, 132 + drop}},
                  rgb(20, 14, 12));
    c.fillRect(static_cast<int>(x - 26), static_cast<int>(100 + drop), 52, 3, rgb(120, 40, 16));
  }
  // Sparks drifting up in the heat.
  for (int k = 0; k < 160; ++k) {
    const int x = rng.below(W), y = 260 + rng.below(340);
    c.set(x, y, rgb(255, 120 + rng.below(80), 40, 160 + rng.below(90)));
  }
  fog(c, 180, 420, rgb(70, 30, 20, 90), t.seed + 501);
}

// Face Off: an arena at night. Tiers of seats full of people rise on both sides, floodlights on their
// masts throw cold beams down into the middle, and a big screen hangs over it all. Blue and violet,
// nothing of the tile sheet's cyan lights.
void arena(Canvas& c, const Theme& t) {
  sky(c, rgb(10, 8, 26), rgb(24, 14, 40), t.seed + 600, 0.5);
  Rng rng(t.seed + 600);
  // The stands: stepped tiers, a crowd of tiny heads on each.
  for (int side = 0; side < 2; ++side)
    for (int tier = 0; tier < 9; ++tier) {
      const double y = 250 + tier * 38, reach = 140 + tier * 26;
      const double x0 = side == 0 ? 0 : W - reach;
      c.fillRect(static_cast<int>(x0), static_cast<int>(y), static_cast<int>(reach), 38, rgb(18, 14, 34));
      c.fillRect(static_cast<int>(x0), static_cast<int>(y), static_cast<int>(reach), 2, rgb(40, 32, 70));
      for (double x = x0 + 4; x < x0 + reach - 4; x += 6 + rng.below(3)) {
        // A head over a pair of shoulders, in the dim colours of a crowd in the dark.
        const int tone = 36 + rng.below(40);
        const Color shirt = mix(rgb(tone, tone - 8, tone + 30), rgb(90, 40, 70), rng.below(3) == 0 ? 0.5 : 0.0);
        c.fillEllipse(x, y - 2, 3.2, 2.2, shirt);
        c.fillCircle(x, y - 6.5, 2.1, rgb(tone + 14, tone + 4, tone + 24));
      }
    }
  // Floodlight masts and their beams.
  for (double mx : {120.0, 680.0}) {
    c.fillRect(static_cast<int>(mx - 3), 40, 6, 210, rgb(26, 22, 44));
    c.fillRect(static_cast<int>(mx - 40), 30, 80, 16, rgb(34, 30, 56));
    for (int k = 0; k < 6; ++k) c.fillRect(static_cast<int>(mx - 36 + k * 13), 33, 9, 10, rgb(230, 236, 255));
    const double aim = mx < W / 2 ? 520 : 280;
    c.fillPolygon({{mx - 40, 46}, {mx + 40, 46}, {aim + 120, H + 1.0}, {aim - 120, H + 1.0}},
                  rgb(120, 130, 200, 28));
  }
  // The big screen between the masts.
  c.fillRect(290, 60, 220, 120, rgb(20, 18, 36));
  c.shadeRect(298, 68, 204, 104, [](double x, double y) {
    const double band = 0.5 + 0.5 * std::sin(x / 9 + y / 23);
    return mix(rgb(40, 30, 110), rgb(150, 60, 170), band * 0.6);
  });
  c.frameRect(290, 60, 220, 120, rgb(60, 54, 96));
  fog(c, 380, 600, rgb(40, 30, 80, 60), t.seed + 601);
}

}  // namespace

Canvas backgroundPicture(const Theme& t, std::string_view name) {
  Canvas c(W, H, rgb(0, 0, 0));
  if (name.empty()) name = t.name;
  if (name == "foundry")
    furnaceHall(c, t);
  else if (name == "arena")
    arena(c, t);
  else if (name == "rock")
    cave(c, t);
  else if (name == "tech")
    tech(c, t);
  else if (name == "hazard")
    refinery(c, t);
  else
    industrial(c, t);
  // Fine grain hides the banding of the gradients once they are squeezed into 16 bits.
  Rng grain(t.seed + 99);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) c.set(x, y, shade(c.get(x, y), 0.96 + grain.unit() * 0.08));
  return c;
}

void writeBackgrounds(const std::string& gameDir) {
  for (int i = 0; i < 4; ++i) {
    const Theme& t = theme(i);
    writeIfChanged(gameDir + "/Backgrounds/" + t.name + ".jpg",
                   encodeJpeg(toPicture(backgroundPicture(t), false), 85));
  }
  // The two levels with a backdrop of their own, painted in the light of the sheet they are built of.
  for (auto [sheet, name] : {std::pair{3, "foundry"}, {2, "arena"}})
    writeIfChanged(gameDir + "/Backgrounds/" + name + ".jpg",
                   encodeJpeg(toPicture(backgroundPicture(theme(sheet), name), false), 85));
}

}  // namespace mv::art
