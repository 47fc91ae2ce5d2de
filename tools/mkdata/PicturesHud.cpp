#include <algorithm>
#include <cmath>
#include <string>

#include "Palette.h"
#include "Pictures.h"
#include "PixelFont.h"
#include "WeaponArt.h"

namespace mv::art {

namespace {

constexpr int kSlot = 38;  // the weapon bar's slot pitch
constexpr int kIcon = 20;  // HUD symbols sit on 20-pixel rows

void bullet(Canvas& c, double x, double y, double len, Color tip, Color casing) {
  c.fillRect(static_cast<int>(x), static_cast<int>(y + 4), 3, static_cast<int>(len - 4), casing);
  c.line(x + 0.5, y + 4, x + 0.5, y + len - 1, shade(casing, 1.4));
  c.fillPolygon({{x, y + 4}, {x + 1.5, y}, {x + 3, y + 4}}, tip);
}

Canvas ammoIcon(int w) {
  Canvas c(kIcon, kIcon);
  switch (w) {
    case 0:  // an energy cell
      c.bevelBox(5, 4, 10, 14, kGunDark);
      c.fillRect(8, 2, 4, 2, kGunSteel);
      for (int i = 0; i < 4; ++i)
        c.fillRect(7, 6 + i * 3, 6, 2, mix(kEnergyCyan, rgb(255, 255, 255), i * 0.15));
      break;
    case 1:  // rifle rounds
      for (int i = 0; i < 3; ++i) bullet(c, 4 + i * 4.5, 3, 15, rgb(150, 150, 160), rgb(200, 160, 60));
      break;
    case 2:  // shotgun shells
      for (int i = 0; i < 3; ++i) {
        c.bevelBox(3 + i * 5, 4, 4, 10, rgb(190, 30, 30));
        c.bevelBox(3 + i * 5, 14, 4, 4, rgb(200, 170, 70));
      }
      break;
    case 3:  // rockets
      for (int i = 0; i < 2; ++i) {
        double x = 4 + i * 7;
        c.fillRect(static_cast<int>(x), 7, 5, 11, kOliveDrab);
        c.fillRect(static_cast<int>(x) + 1, 7, 1, 11, shade(kOliveDrab, 1.4));
        c.fillPolygon({{x, 7}, {x + 2.5, 2}, {x + 5, 7}}, kWarheadRed);
      }
      break;
    case 4:  // a Redeemer warhead
      c.fillRect(7, 8, 6, 10, kGunSteel);
      c.fillRect(7, 11, 6, 2, kHazardYellow);
      c.fillPolygon({{6, 9}, {10, 2}, {14, 9}}, kWarheadRed);
      c.fillPolygon({{5, 18}, {7, 14}, {7, 18}}, kGunDark);
      c.fillPolygon({{15, 18}, {13, 14}, {13, 18}}, kGunDark);
      break;
    case 5:  // a box of flak shells
      c.bevelBox(2, 8, 16, 10, kRustOrange);
      for (int i = 0; i < 3; ++i) c.fillEllipse(6 + i * 4, 7, 1.8, 3, rgb(220, 200, 90));
      c.fillRect(5, 12, 10, 2, kGunDark);
      break;
    case 6:  // a stack of disks
      for (int i = 0; i < 3; ++i) {
        c.fillEllipse(10, 14.5 - i * 4, 7.5, 3, shade(kDiskBlue, 0.7 + i * 0.2));
        c.fillEllipse(10, 13.5 - i * 4, 5.5, 2, shade(kDiskBlue, 1.1 + i * 0.15));
      }
      break;
    default:  // a minigun belt
      for (int i = 0; i < 4; ++i)
        bullet(c, 2.5 + i * 3.8, 3 + (i % 2), 14, rgb(170, 110, 50), rgb(210, 170, 60));
      c.fillRect(2, 12, 16, 2, kGunDark);
      break;
  }
  c.outline(kOutline);
  return c;
}

Canvas medkit() {
  Canvas c(kIcon, kIcon);
  c.bevelBox(2, 5, 16, 13, rgb(225, 228, 232));
  c.fillRect(7, 3, 6, 2, kGunDark);
  c.fillRect(8, 7, 4, 9, rgb(210, 24, 24));
  c.fillRect(5, 9, 10, 4, rgb(210, 24, 24));
  c.outline(kOutline);
  return c;
}

// A steel breastplate: polished, riveted, with a brass collar, so it reads as armour and as nobody's
// colours.
Canvas armorVest() {
  Canvas c(kIcon, kIcon);
  std::vector<Point> plate{{3, 2}, {7, 2}, {10, 5}, {13, 2}, {17, 2}, {18, 8}, {16, 18}, {4, 18}, {2, 8}};
  for (Point& p : plate) p = {2 + (p.x - 2) * 15.5 / 16, 2.5 + (p.y - 2) * 15 / 16};
  c.shadePolygon(plate, [](double x, double y) {
    double light = 1.45 - 0.045 * y - 0.03 * std::abs(x - 7);
    return shade(kArmorSteel, light);
  });
  c.line(7, 3.5, 10, 6, rgb(200, 150, 60), 1.5);
  c.line(13, 3.5, 10, 6, rgb(200, 150, 60), 1.5);
  c.line(10, 7, 10, 16.5, shade(kArmorSteel, 0.55));
  c.line(4, 11, 16, 11, shade(kArmorSteel, 0.6));
  for (double x : {5.5, 14.5}) c.set(static_cast<int>(x), 14, shade(kArmorSteel, 1.8));
  c.outline(kOutline);
  return c;
}

Canvas skull() {
  Canvas c(kIcon, kIcon);
  Color bone = kBone;
  c.fillEllipse(10, 8, 7.5, 7, bone);
  c.fillRect(6, 12, 8, 6, bone);
  c.fillEllipse(7, 9, 2.2, 2.5, kOutline);
  c.fillEllipse(13, 9, 2.2, 2.5, kOutline);
  c.fillPolygon({{10, 11}, {11.5, 14}, {8.5, 14}}, kOutline);
  for (int i = 0; i < 3; ++i) c.fillRect(7 + i * 2 + i / 2, 15, 1, 3, shade(bone, 0.5));
  c.fillRect(5, 3, 4, 1, shade(bone, 1.1));
  c.outline(kOutline);
  return c;
}

// The megahealth orb: a bright sphere with a white cross.
Canvas megaHealth() {
  Canvas c(24, 24);
  c.shadeEllipse(12, 12, 9.5, 9.5, [](double x, double y) {
    double d = std::hypot(x - 9.5, y - 9.5) / 13;
    return mix(rgb(230, 245, 255), rgb(30, 90, 230), d);
  });
  c.fillRect(10, 6, 4, 12, rgb(255, 255, 255));
  c.fillRect(6, 10, 12, 4, rgb(255, 255, 255));
  c.outline(kOutline);
  return c;
}

Canvas weaponBar() {
  Canvas c(kSlot * kWeaponCount, kIcon);
  for (int w = 0; w < kWeaponCount; ++w) {
    int x = w * kSlot;
    c.bevelBox(x, 0, kSlot, kIcon, kHudPanel);
    c.fillRect(x + 2, 2, kSlot - 4, kIcon - 4, shade(kHudPanel, 0.7));
    drawText(c, x + 3, 3, std::to_string(w + 1), withAlpha(kHudEdge, 200));
  }
  return c;
}

Canvas weaponIcons() {
  Canvas c(kSlot * kWeaponCount, kIcon);
  for (int w = 0; w < kWeaponCount; ++w) {
    WeaponSize size = weaponSize(w);
    double scale = std::min((kSlot - 4.0) / size.width, (kIcon - 4.0) / size.height);
    Canvas gun = weaponPicture(w, scale);
    c.draw(gun, w * kSlot + (kSlot - gun.width()) / 2, (kIcon - gun.height()) / 2);
  }
  return c;
}

Canvas selectionFrame() {
  Canvas c(kSlot, kIcon);
  c.frameRect(0, 0, kSlot, kIcon, rgb(255, 220, 60));
  c.frameRect(1, 1, kSlot - 2, kIcon - 2, rgb(200, 120, 20));
  return c;
}

Canvas laserPoint() {
  Canvas c(5, 5);
  c.fillCircle(2.5, 2.5, 2.5, rgb(200, 0, 0));
  c.fillCircle(2.5, 2.5, 1.2, rgb(255, 200, 180));
  return c;
}

}  // namespace

void addHudPictures(std::vector<ArtItem>& items) {
  items.push_back({"WeapNoneList", weaponBar(), 0, 0});
  items.push_back({"WeapGotList", weaponIcons(), kSlot, kIcon});
  items.push_back({"WeapSelected", selectionFrame(), 0, 0});
  // Pick-ups, whose first frame is also the HUD's symbol: each has a rim in the colour of its kind.
  for (int w = 0; w < kWeaponCount; ++w)
    items.push_back({"Ammo" + std::to_string(w), strip(pickupFrames(ammoIcon(w), kAmmoRim)), kIcon, kIcon});
  items.push_back({"Health25", strip(pickupFrames(medkit(), kHealthRim)), kIcon, kIcon});
  items.push_back({"Health200", strip(pickupFrames(megaHealth(), kMegaRim)), 24, 24});
  items.push_back({"Armor", strip(pickupFrames(armorVest(), kArmorRim)), kIcon, kIcon});
  items.push_back({"Scull", skull(), 0, 0});
  items.push_back({"LaserPoint", laserPoint(), 0, 0});

  // The announcer's words, above the killer's head.
  Lettering gold;
  items.push_back({"DoubleKill", letter("DOUBLE KILL", gold), 0, 0});
  Lettering fire{2, 1, rgb(255, 220, 90), rgb(220, 20, 10), rgb(30, 0, 0), true};
  items.push_back({"TripleKill", letter("TRIPLE KILL", fire), 0, 0});
  Lettering ice{2, 1, rgb(220, 250, 255), rgb(40, 120, 255), rgb(0, 10, 40), true};
  items.push_back({"Impressive", letter("IMPRESSIVE", ice), 0, 0});
}

Canvas strip(const std::vector<Canvas>& frames) {
  if (frames.empty()) return {};
  Canvas out(frames[0].width() * static_cast<int>(frames.size()), frames[0].height());
  for (size_t i = 0; i < frames.size(); ++i) out.draw(frames[i], static_cast<int>(i) * frames[0].width(), 0);
  return out;
}

void glint(Canvas& canvas, double t) {
  double span = canvas.width() + canvas.height();
  double centre = -4 + t * (span + 8);
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) {
      Color c = canvas.get(x, y);
      if (c.a < 128 || c == kOutline) continue;
      double d = std::abs(x + y - centre);
      if (d < 3) canvas.set(x, y, mix(c, rgb(255, 255, 255), 0.75 * (1 - d / 3)));
    }
}

std::vector<Canvas> pickupFrames(const Canvas& base, Color rim) {
  // The dark outline reads on light walls, the rim outside it on dark ones. A picture outlined already
  // keeps its outline; gaps (where it was cut at its own edge) are closed.
  Canvas outlined = base;
  for (int y = 0; y < base.height(); ++y)
    for (int x = 0; x < base.width(); ++x) {
      if (base.get(x, y).a >= 128) continue;
      for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        Color n = base.get(x + dx, y + dy);
        if (n.a >= 128 && n != kOutline) outlined.set(x, y, kOutline);
      }
    }
  std::vector<Canvas> frames;
  for (int f = 0; f < 8; ++f) {
    Canvas frame = outlined;
    // The rim breathes; the first frame, also the HUD's symbol, is at rest at full strength.
    frame.outline(shade(rim, 0.92 + 0.08 * std::cos(f * 3.14159265 / 4)));
    // A glint runs over the item, then a star flashes at its top corner.
    if (f >= 1 && f <= 4) glint(frame, (f - 1) / 3.0);
    if (f == 5 || f == 6) {
      int top = 0, right = frame.width() - 1;
      for (bool found = false; top < frame.height() && !found; top += found ? 0 : 1)
        for (int x = frame.width() - 1; x >= 0 && !found; --x)
          if (frame.get(x, top).a >= 128) {
            right = x;
            found = true;
          }
      double cx = std::clamp(right - 2.0, 2.5, frame.width() - 2.5),
             cy = std::clamp(top + 2.0, 2.5, frame.height() - 2.5);
      double arm = f == 5 ? 2.5 : 1.5;
      frame.line(cx - arm, cy, cx + arm, cy, rgb(255, 255, 230));
      frame.line(cx, cy - arm, cx, cy + arm, rgb(255, 255, 230));
      frame.set(static_cast<int>(cx), static_cast<int>(cy), rgb(255, 255, 255));
    }
    frames.push_back(frame);
  }
  return frames;
}

}  // namespace mv::art
