#include "WeaponArt.h"

#include <algorithm>
#include <cmath>

#include "Palette.h"

namespace mv::art {

namespace {

constexpr WeaponSize kSizes[kWeaponCount] = {{30, 12}, {46, 11}, {40, 12}, {44, 14},
                                             {48, 16}, {40, 16}, {38, 14}, {44, 14}};

// Draws in the weapon's own unscaled units.
class Pen {
 public:
  Pen(Canvas& canvas, double scale) : c_(canvas), s_(scale) {}

  // A block lit from above: the top third light, the bottom rows dark.
  void box(double x, double y, double w, double h, Color col) {
    double top = y * s_, height = h * s_;
    c_.shadePolygon(rect(x, y, w, h), [=](double, double py) {
      double t = (py - top) / std::max(height, 1.0);
      return t < 0.3 ? shade(col, 1.35) : t > 0.75 ? shade(col, 0.6) : col;
    });
  }
  // A cylinder along x: a bright streak a third of the way down.
  void tube(double x, double y, double w, double h, Color col) {
    double top = y * s_, height = h * s_;
    c_.shadePolygon(rect(x, y, w, h), [=](double, double py) {
      double t = (py - top) / std::max(height, 1.0);
      double light = 1.5 - 1.6 * std::abs(t - 0.3);
      return shade(col, std::clamp(light, 0.45, 1.6));
    });
  }
  void poly(std::vector<Point> pts, Color col) {
    for (Point& p : pts) p = {p.x * s_, p.y * s_};
    c_.fillPolygon(pts, col);
  }
  void disc(double cx, double cy, double r, Color col) { c_.fillCircle(cx * s_, cy * s_, r * s_, col); }
  void line(double x0, double y0, double x1, double y1, Color col, double t = 1) {
    c_.line(x0 * s_, y0 * s_, x1 * s_, y1 * s_, col, std::max(1.0, t * s_));
  }

 private:
  std::vector<Point> rect(double x, double y, double w, double h) const {
    return {{x * s_, y * s_}, {(x + w) * s_, y * s_}, {(x + w) * s_, (y + h) * s_}, {x * s_, (y + h) * s_}};
  }
  Canvas& c_;
  double s_;
};

// A pistol grip hanging below the body at x, angled back.
void grip(Pen& p, double x, double y, double h, Color col) {
  p.poly({{x - 1, y}, {x + 3, y}, {x + 2, y + h}, {x - 2.5, y + h}}, col);
}

void energyGun(Pen& p) {
  grip(p, 6, 6, 5, kGunDark);
  p.box(1, 3, 20, 6, kGunSteel);
  p.box(2, 4, 5, 4, kGunDark);
  // Charging coils glowing through the housing.
  for (int i = 0; i < 3; ++i) p.box(9 + i * 3.5, 3.5, 2, 5, kEnergyCyan);
  p.tube(21, 4, 8, 4, kGunSteel);
  p.box(27, 3.5, 2, 5, kEnergyCyan);
}

void rifle(Pen& p) {
  p.poly({{0.5, 4}, {10, 4.5}, {10, 8}, {2, 10}, {0.5, 9.5}}, kWoodBrown);  // stock
  grip(p, 9, 6.5, 4, kWoodBrown);
  p.box(9, 4, 16, 4, kGunDark);
  p.tube(25, 4.8, 20, 2.4, kGunSteel);
  p.tube(11, 1, 11, 2.5, kGunDark);  // scope
  p.box(13, 3, 2, 1.5, kGunDark);
  p.box(19, 3, 2, 1.5, kGunDark);
  p.box(21, 1.2, 1, 2, kLaserRed);  // the laser emitter's eye
}

void shotgun(Pen& p) {
  p.poly({{0.5, 3.5}, {9, 4}, {9, 8}, {1.5, 10}, {0.5, 9}}, kWoodBrown);
  grip(p, 8, 6.5, 4.5, kWoodBrown);
  p.box(8, 3.5, 10, 5, kGunDark);
  p.tube(17, 3, 22, 2.6, kGunSteel);
  p.tube(17, 5.6, 22, 2.6, kGunSteel);
  p.box(22, 8, 9, 2.5, kWoodBrown);  // pump
}

void rocketLauncher(Pen& p) {
  grip(p, 9, 9, 4.5, kGunDark);
  p.box(14, 10, 2.5, 3.5, kGunDark);
  p.tube(1, 3, 38, 8, kOliveDrab);
  p.tube(36, 2, 7, 10, kOliveDrab);
  p.box(36, 2, 1, 10, shade(kOliveDrab, 0.5));
  p.box(1, 2.5, 3, 9, shade(kOliveDrab, 0.7));
  p.box(16, 1, 8, 2.5, kGunDark);  // sight
  p.box(41, 4, 1.5, 6, rgb(30, 26, 20));
}

void redeemer(Pen& p) {
  grip(p, 10, 10, 5, kGunDark);
  p.tube(1, 3, 34, 10, kGunSteel);
  for (int i = 0; i < 4; ++i)
    p.poly({{6 + i * 7.0, 3}, {9 + i * 7.0, 3}, {6 + i * 7.0, 13}, {3 + i * 7.0, 13}}, kHazardYellow);
  // The warhead sticking out of the muzzle.
  p.poly({{35, 4}, {41, 4}, {47, 8}, {41, 12}, {35, 12}}, kWarheadRed);
  p.poly({{41, 5.5}, {45, 8}, {41, 7}}, shade(kWarheadRed, 1.5));
  p.box(33, 2, 3, 12, kGunDark);
}

void flakCannon(Pen& p) {
  grip(p, 8, 11, 4.5, kGunDark);
  p.box(1, 4, 22, 8, kRustOrange);
  p.disc(13, 10, 5, shade(kGunDark, 1.2));  // shell drum
  p.disc(13, 10, 2, kGunSteel);
  p.tube(22, 4.5, 16, 6, kGunSteel);
  p.box(35, 3.5, 4, 8, kGunDark);
  p.box(2, 2, 12, 2.5, kGunDark);
}

void diskLauncher(Pen& p) {
  grip(p, 8, 9, 4.5, kGunDark);
  p.box(1, 4, 24, 6.5, kGunSteel);
  p.box(3, 5, 8, 4, kGunDark);
  // A disk sitting in the open launch rail.
  p.poly({{24, 3}, {36, 5}, {36, 10}, {24, 12}}, kGunDark);
  p.disc(30, 7.5, 4.5, kDiskBlue);
  p.disc(30, 7.5, 1.5, shade(kDiskBlue, 1.6));
}

void minigun(Pen& p) {
  grip(p, 9, 9, 4.5, kGunDark);
  p.box(1, 3, 18, 9, kGunDark);
  p.box(3, 4, 6, 3, kGunSteel);
  for (int i = 0; i < 3; ++i) p.tube(18, 3.5 + i * 2.6, 22, 2.3, kGunSteel);
  p.box(23, 2.5, 2.5, 9.5, kGunDark);
  p.box(36, 2.5, 2.5, 9.5, kGunDark);
  p.box(40, 4, 3, 6, rgb(40, 38, 36));
}

}  // namespace

WeaponSize weaponSize(int weapon) {
  return kSizes[std::clamp(weapon, 0, kWeaponCount - 1)];
}

Canvas weaponPicture(int weapon, double scale) {
  WeaponSize size = weaponSize(weapon);
  Canvas c(static_cast<int>(std::ceil(size.width * scale)), static_cast<int>(std::ceil(size.height * scale)));
  Pen p(c, scale);
  switch (weapon) {
    case 0:
      energyGun(p);
      break;
    case 1:
      rifle(p);
      break;
    case 2:
      shotgun(p);
      break;
    case 3:
      rocketLauncher(p);
      break;
    case 4:
      redeemer(p);
      break;
    case 5:
      flakCannon(p);
      break;
    case 6:
      diskLauncher(p);
      break;
    default:
      minigun(p);
      break;
  }
  c.outline(kOutline);
  return c;
}

Canvas heldWeaponPicture(int weapon) {
  Canvas gun = weaponPicture(weapon);
  const double gx = gun.width() / 5.0, gy = gun.height() / 2.0;
  // The lowest opaque row under the support point, so the hand sits under whatever the gun has there.
  const int sx = static_cast<int>(gx + gun.width() * 0.3);
  int below = static_cast<int>(gy);
  for (int y = gun.height() - 1; y >= 0; --y)
    if (gun.get(sx, y).a >= 128) {
      below = y;
      break;
    }
  Canvas hands(gun.width(), gun.height());
  auto glove = [&](double cx, double cy) {
    hands.fillCircle(cx, cy, 2.6, kOutline);
    // Leather brown: it shows on dark gunmetal and on bright steel alike.
    hands.fillCircle(cx, cy, 1.7, rgb(118, 90, 62));
    hands.set(static_cast<int>(cx) - 1, static_cast<int>(cy) - 1, rgb(176, 142, 104));
  };
  glove(sx + 0.5, std::min(below - 0.5, gun.height() - 2.0));
  glove(gx + 0.5, std::min(gy + 1.5, gun.height() - 2.0));
  gun.draw(hands, 0, 0);
  return gun;
}

}  // namespace mv::art
