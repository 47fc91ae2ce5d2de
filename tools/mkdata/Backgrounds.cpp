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

}  // namespace

Canvas backgroundPicture(const Theme& t) {
  Canvas c(W, H, rgb(0, 0, 0));
  std::string_view name = t.name;
  if (name == "rock")
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
}

}  // namespace mv::art
