#include "WeaponArt.h"

#include <algorithm>
#include <cmath>

#include "Palette.h"

namespace mv::art {

namespace {

constexpr WeaponSize kSizes[kWeaponCount] = {{30, 12}, {46, 11}, {34, 12}, {44, 14},
                                             {48, 16}, {40, 16}, {38, 14}, {44, 15}};

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

// Each gun has a shape and a colour of its own, so eight held side by side read apart at a glance: a
// white blaster with a glowing bulb, a long black sniper rifle on a tan stock, a stubby double-barrelled
// shotgun in red wood, an olive tube with the rocket's red nose in its mouth, the striped Redeemer, a
// brass flak cannon with a bell mouth, a navy launcher with its blue disk standing proud of it, and a
// six-barrelled minigun over a yellow ammunition box.

constexpr Color kWhiteShell = rgb(226, 232, 238);
constexpr Color kBlack = rgb(40, 40, 44);
constexpr Color kTan = rgb(176, 146, 98);
constexpr Color kRedWood = rgb(140, 58, 36);
constexpr Color kBrass = rgb(214, 160, 56);
constexpr Color kNavy = rgb(44, 54, 96);

void energyGun(Pen& p) {
  grip(p, 6, 6, 5, kGunDark);
  // A rounded white housing, the charging coils glowing through it, a bulb at the muzzle.
  p.poly({{1, 5}, {3, 3}, {19, 3}, {21, 4.5}, {21, 8.5}, {19, 9.5}, {3, 9.5}, {1, 8}}, kWhiteShell);
  p.box(2, 7.5, 19, 2, shade(kWhiteShell, 0.7));
  for (int i = 0; i < 3; ++i) p.box(7 + i * 3.5, 4, 2, 4.5, kEnergyCyan);
  p.box(21, 5, 3, 3, kGunDark);
  p.disc(26, 6, 3.6, kGunDark);
  p.disc(26, 6, 2.5, kEnergyCyan);
  p.disc(25.5, 5.5, 1, rgb(230, 255, 255));
}

void rifle(Pen& p) {
  p.poly({{0.5, 4}, {10, 4.5}, {10, 8}, {2, 10}, {0.5, 9.5}}, kTan);  // stock
  grip(p, 9, 6.5, 4, kTan);
  p.box(9, 4, 15, 4, kBlack);
  p.tube(24, 5.2, 22, 1.8, kBlack);  // the long thin barrel
  p.box(43, 4.6, 2, 3, kBlack);      // muzzle brake
  p.tube(10, 0.5, 13, 2.8, kBlack);  // scope
  p.box(9, 0.3, 2, 3.2, kBlack);
  p.box(22, 0.3, 2, 3.2, kBlack);
  p.box(13, 3, 2, 1.5, kBlack);
  p.box(19, 3, 2, 1.5, kBlack);
  p.box(24, 7, 5, 2, kBlack);  // the laser under the barrel
  p.box(28.5, 7.2, 1, 1.6, kLaserRed);
}

void shotgun(Pen& p) {
  p.poly({{0.5, 3}, {10, 3.5}, {10, 8}, {1.5, 11}, {0.5, 10}}, kRedWood);
  grip(p, 9, 6.5, 4.5, kRedWood);
  p.box(9, 3, 8, 5.5, kGunSteel);
  p.tube(16, 2.5, 16, 3, kGunSteel);  // two short, fat barrels
  p.tube(16, 5.5, 16, 3, kGunSteel);
  p.box(31, 2.5, 2, 6, kGunDark);
  p.box(19, 8, 9, 3, kRedWood);  // the pump
  for (int i = 0; i < 3; ++i) p.box(20 + i * 2.8, 8.6, 1.2, 1.8, shade(kRedWood, 0.6));
  p.box(11, 5, 4, 1.5, kWarheadRed);  // a shell showing in the loading port
}

void rocketLauncher(Pen& p) {
  grip(p, 9, 9, 4.5, kGunDark);
  p.box(14, 10, 2.5, 3.5, kGunDark);
  p.poly({{0, 1.5}, {4, 3}, {4, 11}, {0, 12.5}}, shade(kOliveDrab, 0.7));  // flared back end
  p.tube(3, 3, 34, 8, kOliveDrab);
  p.box(16, 1, 8, 2.5, kGunDark);  // sight
  p.box(36, 2.5, 2, 9, shade(kOliveDrab, 0.55));
  // The rocket's red nose in the mouth of the tube.
  p.poly({{37.5, 4}, {40, 4}, {43.5, 7}, {40, 10}, {37.5, 10}}, kWarheadRed);
  p.poly({{39, 5}, {41.5, 7}, {39, 6.5}}, shade(kWarheadRed, 1.5));
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
  p.box(1, 4, 20, 8, kBrass);
  p.box(2, 2, 11, 2.5, kGunDark);
  p.disc(12, 10.5, 4.6, kGunDark);  // shell drum
  p.disc(12, 10.5, 2.5, kBrass);
  p.disc(12, 10.5, 1, kGunDark);
  p.tube(20, 5, 12, 6, shade(kBrass, 0.85));
  // The bell mouth that spreads the chunks.
  p.poly({{31, 5}, {39.5, 1}, {39.5, 15}, {31, 11}}, kBrass);
  p.box(38, 1, 1.5, 14, shade(kBrass, 0.5));
}

void diskLauncher(Pen& p) {
  grip(p, 8, 9, 4.5, kGunDark);
  p.box(1, 5, 22, 6, kNavy);
  p.box(3, 6, 7, 3, shade(kNavy, 0.55));
  p.poly({{22, 5}, {29, 6.5}, {29, 11}, {22, 11}}, shade(kNavy, 0.8));  // the launch rail
  // The disk standing out over the rail: the round top of the gun.
  p.disc(31, 7, 6.5, kOutline);
  p.disc(31, 7, 5.8, kDiskBlue);
  p.disc(31, 7, 3, shade(kDiskBlue, 1.5));
  p.disc(31, 7, 1.2, rgb(235, 245, 255));
}

void minigun(Pen& p) {
  grip(p, 9, 9, 4.5, kGunDark);
  p.box(1, 2, 17, 9, kGunDark);
  p.box(3, 3, 6, 3, kGunSteel);
  // The ammunition box under the body, striped yellow and black.
  p.box(8, 10, 9, 4, kHazardYellow);
  for (int i = 0; i < 3; ++i)
    p.poly({{9 + i * 3.0, 10}, {10.5 + i * 3.0, 10}, {9.5 + i * 3.0, 14}, {8 + i * 3.0, 14}}, kBlack);
  // Six barrels in a cluster, with rings holding them.
  for (int i = 0; i < 4; ++i) p.tube(17, 1.5 + i * 2.2, 25, 2, kGunSteel);
  p.box(20, 0.5, 2.5, 10, kGunDark);
  p.box(31, 0.5, 2.5, 10, kGunDark);
  p.box(40, 0.5, 3, 10, kGunDark);
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
