#include <algorithm>
#include <cmath>

#include "Palette.h"
#include "Pictures.h"
#include "common/ArtRng.h"

namespace mv::art {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Fire colour by heat 0..1: white-hot, yellow, orange, dark red.
Color fireColor(double heat) {
  heat = std::clamp(heat, 0.0, 1.0);
  if (heat > 0.75) return mix(rgb(255, 230, 120), rgb(255, 255, 230), (heat - 0.75) / 0.25);
  if (heat > 0.45) return mix(rgb(255, 130, 20), rgb(255, 230, 120), (heat - 0.45) / 0.3);
  if (heat > 0.2) return mix(rgb(170, 30, 10), rgb(255, 130, 20), (heat - 0.2) / 0.25);
  return mix(rgb(60, 50, 48), rgb(170, 30, 10), heat / 0.2);
}

// A soft round glow, fully opaque in the middle, its alpha falling to nothing at radius r.
void glow(Canvas& c, double cx, double cy, double r, Color inner, Color outer) {
  c.shadeEllipse(cx, cy, r, r, [=](double x, double y) {
    double d = std::hypot(x - cx, y - cy) / r;
    Color col = mix(inner, outer, d);
    return withAlpha(col, static_cast<int>(255 * std::clamp(1.4 - d * 1.4, 0.0, 1.0)));
  });
}

// A ball of fire and smoke t (0..1) of the way through its life: it swells, cools and thins out.
void fireball(Canvas& c, double cx, double cy, double radius, double t, uint32_t seed) {
  double r = radius * (0.35 + 0.65 * std::sqrt(t));
  double heat = 1.0 - t;
  c.shadeEllipse(cx, cy, r, r, [=](double x, double y) {
    double d = std::hypot(x - cx, y - cy) / r;
    double n = fractalNoise(x / 6.0 + t * 3, y / 6.0 - t * 4, seed, 3);
    double h = heat * (1.15 - d) + (n - 0.5) * 0.6;
    double a = std::clamp((1.0 - d) * 3.0 + (n - 0.5), 0.0, 1.0) * std::clamp(1.6 - t * 1.3, 0.0, 1.0);
    Color col = h < 0.18 ? mix(rgb(40, 36, 36), rgb(110, 100, 96), n) : fireColor(h);
    return withAlpha(col, static_cast<int>(255 * a));
  });
}

// Sparks flying out from (cx, cy): streaks along directions around `dir` (radians, 0 = down in the
// picture) within +/- spread, t from 0 to 1 through their flight.
void sparks(Canvas& c, double cx, double cy, double reach, double dir, double spread, int count, double t,
            Color hot, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    double a = dir + rng.range(-spread, spread);
    double speed = rng.range(0.5, 1.0) * reach;
    double d0 = speed * t, d1 = speed * std::max(t - 0.25, 0.0);
    double dx = std::sin(a), dy = std::cos(a);
    Color col = mix(hot, rgb(255, 90, 20), t);
    col.a = static_cast<uint8_t>(255 * std::clamp(1.3 - t, 0.0, 1.0));
    c.line(cx + dx * d1, cy + dy * d1 + t * t * 2, cx + dx * d0, cy + dy * d0 + t * t * 3, col);
  }
}

std::vector<Canvas> frames(int count, int w, int h, const std::function<void(Canvas&, double)>& draw) {
  std::vector<Canvas> out;
  for (int f = 0; f < count; ++f) {
    Canvas c(w, h);
    draw(c, count > 1 ? static_cast<double>(f) / (count - 1) : 0.0);
    out.push_back(c);
  }
  return out;
}

void explosion(Canvas& c, double t, double size, uint32_t seed) {
  double mid = c.width() / 2.0;
  if (t < 0.35) glow(c, mid, mid, size * 0.5 * (0.6 + t), rgb(255, 240, 180, 200), rgb(255, 120, 20));
  Rng rng(seed);
  // A cluster of overlapping fireballs rising a little as they burn out.
  for (int i = 0; i < 6; ++i) {
    double a = rng.range(0, 2 * kPi), d = rng.range(0.05, 0.22) * size;
    double lag = rng.range(0, 0.2);
    double tt = std::clamp((t - lag) / (1 - lag), 0.0, 1.0);
    if (t < lag) continue;
    fireball(c, mid + std::cos(a) * d * (0.5 + tt), mid + std::sin(a) * d * (0.5 + tt) - tt * size * 0.08,
             size * rng.range(0.22, 0.32), tt, seed + static_cast<uint32_t>(i));
  }
  sparks(c, mid, mid, size * 0.5, 0, kPi, static_cast<int>(size / 3), std::min(1.0, t * 1.6),
         rgb(255, 250, 200), seed + 77);
}

void shockwave(Canvas& c, double cx, double cy, double r, double width, Color col) {
  c.shadeEllipse(cx, cy, r, r, [=](double x, double y) {
    double d = std::abs(std::hypot(x - cx, y - cy) - (r - width));
    return withAlpha(col, static_cast<int>(col.a * std::clamp(1.0 - d / width, 0.0, 1.0)));
  });
}

void bloodDrop(Canvas& c, double t) {
  // A drop stretching and breaking up as it flies.
  double r = 3.6 - t * 1.6;
  c.fillEllipse(5, 5 - t, r, r + t * 1.5, kBlood);
  c.fillCircle(4.2, 4 - t, r * 0.4, shade(kBlood, 1.5));
  if (t > 0.3) c.fillCircle(5 + t * 3.5, 5 + t * 3, 1.2, kBloodDark);
  if (t > 0.5) c.fillCircle(5 - t * 3.5, 5 + t * 2.5, 1.0, kBlood);
}

}  // namespace

void addProjectilePictures(std::vector<ArtItem>& items) {
  auto bolt = [](int w, int h, Color core, Color edge) {
    Canvas c(w, h);
    c.shadeEllipse(w / 2.0, h / 2.0, w / 2.0, h / 2.0, [=](double x, double y) {
      double d = std::hypot((x - w / 2.0) / (w / 2.0), (y - h / 2.0) / (h / 2.0));
      return withAlpha(mix(core, edge, d * 1.2), static_cast<int>(255 * std::clamp(1.5 - d * 1.5, 0.0, 1.0)));
    });
    c.line(w / 2.0, 2, w / 2.0, h - 2.0, rgb(255, 255, 255));
    return c;
  };
  items.push_back({"Laser", bolt(6, 16, rgb(200, 255, 255), kEnergyCyan), 0, 0});
  items.push_back({"AdvLaser", bolt(8, 18, rgb(230, 255, 200), rgb(80, 255, 90)), 0, 0});
  {
    Canvas c(14, 14);
    glow(c, 7, 7, 7, rgb(255, 230, 255), rgb(170, 60, 255));
    c.fillCircle(7, 7, 3, rgb(255, 255, 255));
    items.push_back({"Plasma", c, 0, 0});
  }
  {
    Canvas c(4, 10);
    c.line(2, 1, 2, 9, rgb(255, 200, 80, 160), 2);
    c.line(2, 0.5, 2, 5, rgb(255, 255, 210));
    items.push_back({"Shot", c, 0, 0});
  }
  auto missile = [](int w, int h, int frameCount, Color body, Color nose, bool stripes) {
    return strip(frames(frameCount, w, h, [=](Canvas& c, double t) {
      double mid = w / 2.0, bodyW = w * 0.6;
      int flame = static_cast<int>(h * 0.28);
      // Exhaust flickering below the body, different on every frame.
      double len = flame * (0.7 + 0.3 * std::sin(t * 5 * kPi));
      c.fillPolygon({{mid - bodyW / 2.5, h - flame - 1.0},
                     {mid, h - flame + len},
                     {mid + bodyW / 2.5, h - flame - 1.0}},
                    rgb(255, 140, 30));
      c.fillPolygon({{mid - bodyW / 5, h - flame - 1.0},
                     {mid, h - flame + len * 0.6},
                     {mid + bodyW / 5, h - flame - 1.0}},
                    rgb(255, 250, 200));
      double top = h * 0.22, bottom = h - flame;
      c.shadePolygon({{mid - bodyW / 2, top},
                      {mid + bodyW / 2, top},
                      {mid + bodyW / 2, bottom},
                      {mid - bodyW / 2, bottom}},
                     [=](double x, double) { return shade(body, 1.5 - std::abs(x - mid + 1) / bodyW * 2); });
      if (stripes)
        for (double y = top + 2; y < bottom - 2; y += 5)
          c.fillRect(static_cast<int>(mid - bodyW / 2), static_cast<int>(y), static_cast<int>(bodyW), 2,
                     kHazardYellow);
      c.fillPolygon({{mid - bodyW / 2, top}, {mid, 0}, {mid + bodyW / 2, top}}, nose);
      c.fillPolygon({{mid - bodyW / 2, bottom - 4}, {0, bottom + 1}, {mid - bodyW / 2, bottom}},
                    shade(body, 0.6));
      c.fillPolygon({{mid + bodyW / 2, bottom - 4}, {w - 0.5, bottom + 1}, {mid + bodyW / 2, bottom}},
                    shade(body, 0.6));
      c.outline(withAlpha(kOutline, 255));
    }));
  };
  items.push_back({"Rocket", missile(10, 22, 4, kOliveDrab, kWarheadRed, false), 10, 22});
  items.push_back({"Redeemer", missile(14, 30, 3, kGunSteel, kWarheadRed, true), 14, 30});
  {
    Canvas c(8, 8);
    glow(c, 4, 4, 4, rgb(255, 240, 160), rgb(255, 90, 0));
    c.fillPolygon({{2, 3}, {5, 1.5}, {6.5, 5}, {3.5, 6.5}}, rgb(255, 200, 90));
    items.push_back({"Flak", c, 0, 0});
  }
  {
    Canvas c(14, 14);
    c.fillCircle(7, 7, 7, rgb(120, 200, 255, 150));
    c.fillCircle(7, 7, 5.5, kDiskBlue);
    c.fillCircle(7, 7, 3.5, shade(kDiskBlue, 0.6));
    c.fillCircle(7, 7, 1.5, rgb(220, 240, 255));
    items.push_back({"Disk", c, 0, 0});
  }
}

void addEffectPictures(std::vector<ArtItem>& items) {
  // Impacts are turned like the projectile that made them (up = its flight), so their sparks fly back
  // down the picture, away from the wall.
  items.push_back({"SmallRico",
                   strip(frames(6, 16, 16,
                                [](Canvas& c, double t) {
                                  if (t < 0.3)
                                    glow(c, 8, 6, 4 - t * 6, rgb(255, 255, 220), rgb(255, 160, 40));
                                  sparks(c, 8, 6, 9, 0, 1.3, 7, 0.15 + t * 0.85, rgb(255, 255, 200), 11);
                                })),
                   16, 16});
  items.push_back({"Rickoshet",
                   strip(frames(6, 20, 20,
                                [](Canvas& c, double t) {
                                  fireball(c, 10, 8, 6, t, 5);
                                  sparks(c, 10, 7, 12, 0, 1.5, 10, 0.15 + t * 0.85, rgb(255, 255, 220), 12);
                                })),
                   20, 20});
  items.push_back({"RickoEnergo",
                   strip(frames(6, 24, 24,
                                [](Canvas& c, double t) {
                                  shockwave(c, 12, 12, 3 + t * 9, 2.5,
                                            rgb(220, 160, 255, static_cast<int>(255 * (1 - t * 0.7))));
                                  if (t < 0.5)
                                    glow(c, 12, 12, 6 - t * 8, rgb(255, 255, 255), rgb(170, 60, 255));
                                  sparks(c, 12, 12, 11, 0, kPi, 8, 0.2 + t * 0.8, rgb(230, 200, 255), 13);
                                })),
                   24, 24});
  items.push_back(
      {"Explosion", strip(frames(10, 64, 64, [](Canvas& c, double t) { explosion(c, t, 64, 21); })), 64, 64});
  items.push_back({"RedeemerExplo",
                   strip(frames(12, 160, 160,
                                [](Canvas& c, double t) {
                                  shockwave(c, 80, 80, 20 + t * 60, 6,
                                            rgb(255, 250, 220, static_cast<int>(230 * (1 - t))));
                                  explosion(c, std::min(1.0, t * 1.1), 140, 31);
                                })),
                   160, 160});
  items.push_back({"RocketFlame",
                   strip(frames(8, 16, 16, [](Canvas& c, double t) { fireball(c, 8, 8, 7, t, 41); })), 16,
                   16});
  items.push_back({"RespawnAnim",
                   strip(frames(12, 48, 64,
                                [](Canvas& c, double t) {
                                  // A beam of light lands, rings run up it, and it thins away.
                                  double beam = 10 * std::sin(std::min(t * 1.4, 1.0) * kPi) + 1;
                                  c.shadeRect(static_cast<int>(24 - beam), 0, static_cast<int>(beam * 2), 64,
                                              [=](double x, double y) {
                                                double d = std::abs(x - 24) / beam;
                                                return withAlpha(
                                                    mix(rgb(235, 255, 255), rgb(60, 200, 255), d),
                                                    static_cast<int>(230 * (1 - d)));
                                              });
                                  for (int k = 0; k < 3; ++k) {
                                    double y = 60 - std::fmod(t * 80 + k * 20, 60);
                                    double rx = 8 + 10 * (1 - t);
                                    c.shadeEllipse(24, y, rx, 3, [=](double x, double yy) {
                                      double d = std::hypot((x - 24) / rx, (yy - y) / 3);
                                      return withAlpha(rgb(150, 240, 255),
                                                       d > 0.6 ? static_cast<int>(255 * (1 - t * 0.6)) : 0);
                                    });
                                  }
                                  Rng rng(51);
                                  for (int k = 0; k < 14; ++k) {
                                    double x = rng.range(6, 42), y = rng.range(4, 62) - t * rng.range(10, 30);
                                    if (rng.unit() < 1 - t * 0.8)
                                      c.set(static_cast<int>(x), static_cast<int>(y), rgb(255, 255, 255));
                                  }
                                })),
                   48, 64});
  items.push_back({"MeatBlood", strip(frames(6, 10, 10, bloodDrop)), 10, 10});
  {
    // A splat lying on the floor at the bottom of the picture; the blood drop turns it onto walls
    // and ceilings.
    Canvas c(10, 10);
    c.fillEllipse(5, 8.5, 5, 1.8, kBloodDark);
    c.fillEllipse(4.5, 8, 3, 1.3, kBlood);
    c.fillCircle(1.5, 6.5, 0.9, kBlood);
    c.fillCircle(8.5, 6.8, 0.8, kBloodDark);
    items.push_back({"EarthBlood", c, 0, 0});
  }
}

}  // namespace mv::art
