#include <algorithm>
#include <cmath>

#include "Models.h"
#include "Palette.h"
#include "Pictures.h"
#include "WeaponArt.h"
#include "common/ArtRng.h"

namespace mv::art {

namespace {

constexpr int kScreenW = 800, kScreenH = 600;

void lightningBolt(Canvas& c, double x, double y, double s) {
  std::vector<Point> bolt{{x + 30 * s, y},          {x + 4 * s, y + 70 * s},  {x + 24 * s, y + 70 * s},
                          {x + 8 * s, y + 130 * s}, {x + 52 * s, y + 50 * s}, {x + 30 * s, y + 50 * s},
                          {x + 50 * s, y}};
  double cx = x + 28 * s, cy = y + 65 * s;
  c.shadeEllipse(cx, cy, 80 * s, 90 * s, [=](double px, double py) {
    double d = std::hypot((px - cx) / (80 * s), (py - cy) / (90 * s));
    return rgb(60, 170, 255, static_cast<int>(90 * std::clamp(1 - d, 0.0, 1.0)));
  });
  c.shadePolygon(bolt, [=](double px, double py) {
    return mix(rgb(235, 250, 255), rgb(70, 170, 255), std::clamp((py - y) / (130 * s), 0.0, 1.0));
  });
}

// Every menu screen draws on this one picture: the buttons, edits, labels and the credits down the
// middle column (x 200..600, from y 100 to the Ok button at 570), the level list and the Hotseat box
// on the left (x 10..230, y 100..350). So nothing bright or busy may cross those places: the pipes run
// up the right-hand wall behind the fighter, the hazard-striped floor edge lies below the last credits
// line, and no frame is painted that only one screen would fill.
constexpr int kFloorY = 546;

Canvas menuBackdrop() {
  Canvas c(kScreenW, kScreenH);
  // A riveted steel bulkhead in the dark, lit from the middle and darker to the left where the level
  // list's white rows stand on it.
  c.shadeRect(0, 0, kScreenW, kScreenH, [](double x, double y) {
    double n = fractalNoise(x / 40, y / 40, 7, 4);
    double grime = fractalNoise(x / 9, y / 9, 8, 2);
    double light = 0.42 + 0.45 * n + 0.15 * grime - y / 1100.0 - std::max(0.0, 260 - x) / 900.0;
    Color base = shade(rgb(40, 46, 58), light);
    double spot = std::clamp(1.0 - std::hypot((x - 400) / 360, (y - 300) / 320), 0.0, 1.0);
    return mix(base, rgb(110, 140, 180), spot * 0.18);
  });
  for (int py = 0; py < kFloorY; py += 80)
    for (int px = (py / 80) % 2 * 50 - 50; px < kScreenW; px += 100) {
      c.fillRect(px, py, 100, 2, rgb(10, 12, 16, 170));
      c.fillRect(px, py + 2, 100, 1, rgb(110, 120, 136, 60));
      c.fillRect(px, py, 2, std::min(80, kFloorY - py), rgb(10, 12, 16, 170));
      for (int rx : {px + 8, px + 92})
        for (int ry : {py + 8, py + 72}) {
          if (ry >= kFloorY) continue;
          c.fillCircle(rx, ry, 2, rgb(24, 26, 30));
          c.set(rx - 1, ry - 1, rgb(130, 136, 150));
        }
    }
  // Two pipes climb the right-hand wall from the floor into the dark of the title band.
  for (int k = 0; k < 2; ++k) {
    int x = 752 + k * 24, w = 14 - k * 4;
    c.shadeRect(x, 0, w, kFloorY, [=](double px, double) {
      double t = (px - x) / w;
      return shade(k ? kRustOrange : rgb(90, 100, 110), 1.3 - 1.5 * std::abs(t - 0.3));
    });
    for (int y = 130 + k * 70; y < kFloorY; y += 160) c.bevelBox(x - 2, y, w + 4, 10, rgb(70, 74, 80));
  }
  // The floor: a hazard-striped edge above a grating, low enough that the credits end above it.
  c.shadeRect(0, kFloorY, kScreenW, 10, [](double x, double y) {
    return static_cast<int>(x + y) / 12 % 2 ? rgb(30, 28, 20) : kHazardYellow;
  });
  c.fillRect(0, kFloorY + 10, kScreenW, kScreenH - kFloorY - 10, rgb(16, 18, 22));
  for (int x = 0; x < kScreenW; x += 8) c.fillRect(x, kFloorY + 10, 2, kScreenH, rgb(30, 33, 40));
  for (int y = kFloorY + 16; y < kScreenH; y += 10) c.fillRect(0, y, kScreenW, 2, rgb(26, 28, 34));
  lightningBolt(c, 690, 112, 0.75);
  // The fighter, four times life size, standing guard on the right, clear of the middle column: at
  // ease, his rocket launcher slung across his back, so nothing hides him.
  FighterPose atEase;
  atEase.armsDown = true;
  Canvas body = fighterFrame(atEase);
  constexpr int kPad = 16, kTop = 18;  // room round him for the launcher
  Canvas hero(body.width() + 2 * kPad, body.height() + kTop);
  Canvas launcher = weaponPicture(3);
  hero.draw(launcher.rotated(-76, launcher.width() / 2.0, launcher.height() / 2.0, hero.width(),
                             hero.height(), kPad + 8.5, kTop + 14),
            0, 0);
  hero.draw(body, kPad, kTop);
  // The sling, from the shoulder down across the chest to the hip.
  hero.line(kPad + 13, kTop + 11.5, kPad + 20.5, kTop + 22, kBelt, 1.5);
  constexpr int kZoom = 4;
  Canvas big = hero.scaled(hero.width() * kZoom, hero.height() * kZoom);
  // Lit from behind by the bolt: a cold rim on the outline's inner edge.
  for (int y = 0; y < big.height(); ++y)
    for (int x = 1; x < big.width(); ++x)
      if (big.get(x, y).a > 0 && big.get(x - 1, y) == kOutline && big.get(x, y) != kOutline)
        big.set(x, y, mix(big.get(x, y), rgb(170, 220, 255), 0.6));
  c.fillEllipse(690, kFloorY + 4, 56, 6, rgb(0, 0, 0, 150));
  c.draw(big, 690 - big.width() / 2, kFloorY + 6 - big.height());
  lightningBolt(c, 40, 400, 0.5);
  // The title band: the title pulses from black to red, so the band stays dark and cold for it.
  c.gradientRect(0, 0, kScreenW, 84, rgb(4, 5, 8, 235), rgb(4, 5, 8, 160));
  c.fillRect(0, 84, kScreenW, 2, rgb(90, 100, 116));
  c.fillRect(0, 86, kScreenW, 2, rgb(10, 12, 16));
  // A vignette darkens the corners.
  c.shadeRect(0, 0, kScreenW, kScreenH, [](double x, double y) {
    double d = std::hypot((x - 400) / 480, (y - 300) / 380);
    return rgb(0, 0, 0, static_cast<int>(200 * std::clamp(d - 0.55, 0.0, 1.0)));
  });
  return c;
}

std::vector<Canvas> cursorFrames() {
  std::vector<Canvas> out;
  std::vector<Point> arrow{{1, 1}, {1, 17}, {5, 13}, {8, 20}, {11, 19}, {8, 12}, {13, 12}};
  for (int f = 0; f < 5; ++f) {
    double pulse = 0.5 + 0.5 * std::cos(f * 2 * 3.14159265 / 5);
    Canvas c(24, 24);
    c.shadePolygon(arrow, [=](double x, double y) {
      return mix(rgb(255, 255, 255), mix(rgb(60, 170, 255), rgb(255, 80, 40), pulse), (x + y) / 26);
    });
    c.outline(kOutline);
    out.push_back(c);
  }
  return out;
}

Canvas field(int w, int h, bool active) {
  Canvas c(w, h);
  c.fillRect(0, 0, w, h, active ? rgb(30, 34, 46) : rgb(14, 16, 22));
  Color rim = active ? rgb(255, 210, 70) : kHudEdge;
  c.frameRect(0, 0, w, h, rim);
  c.frameRect(1, 1, w - 2, h - 2, shade(rim, 0.45));
  return c;
}

Canvas checkBox(bool checked) {
  Canvas c(17, 17);
  c.bevelBox(0, 0, 17, 17, kHudEdge);
  c.fillRect(2, 2, 13, 13, rgb(14, 16, 22));
  if (checked) {
    c.line(4, 8.5, 7, 12, rgb(120, 255, 90), 2.2);
    c.line(7, 12, 13, 4, rgb(120, 255, 90), 2.2);
  }
  return c;
}

// The list's frame is drawn over its rows, so only the rim is painted: a dark edge, a bevelled steel
// band and a thin light line on the inside.
Canvas listFrame(int w, int h) {
  Canvas c(w, h);
  c.bevelBox(0, 0, w, h, kHudEdge, 3);
  c.frameRect(0, 0, w, h, kOutline);
  c.frameRect(3, 3, w - 6, h - 6, rgb(200, 210, 225));
  for (int y = 4; y < h - 4; ++y)
    for (int x = 4; x < w - 4; ++x) c.set(x, y, kClear);
  return c;
}

Canvas scrollBar() {
  Canvas c(16 * 5, 16);
  auto arrow = [&](int index, bool up, bool pressed) {
    int x = index * 16;
    c.bevelBox(x, 0, 16, 16, pressed ? shade(kHudEdge, 0.6) : kHudEdge);
    double off = pressed ? 1 : 0;
    if (up)
      c.fillPolygon({{x + 3 + off, 11 + off}, {x + 8 + off, 4 + off}, {x + 13 + off, 11 + off}},
                    rgb(240, 240, 250));
    else
      c.fillPolygon({{x + 3 + off, 5 + off}, {x + 13 + off, 5 + off}, {x + 8 + off, 12 + off}},
                    rgb(240, 240, 250));
  };
  arrow(0, true, false);
  arrow(1, true, true);
  arrow(2, false, false);
  arrow(3, false, true);
  // The thumb: 12 pixels tall at the top of its pattern, so it never covers the down arrow.
  c.bevelBox(64 + 2, 0, 12, 12, rgb(200, 60, 40));
  return c;
}

}  // namespace

void addMenuPictures(std::vector<ArtItem>& items) {
  items.push_back({"BackMenu", menuBackdrop(), 0, 0, false, true});
  items.push_back({"Cursor", strip(cursorFrames()), 24, 24});
  items.push_back({"Edit", strip({field(100, 22, false), field(100, 22, true)}), 100, 22});
  items.push_back({"CheckBox", strip({checkBox(false), checkBox(true)}), 17, 17});
  items.push_back({"ListBox", listFrame(200, 206), 0, 0});
  {
    Canvas c(200, 20);
    c.gradientRect(2, 0, 196, 20, rgb(110, 20, 14), rgb(50, 6, 6));
    c.fillRect(2, 0, 196, 1, rgb(255, 120, 80));
    items.push_back({"ListBoxSelected", c, 0, 0});
  }
  items.push_back({"ScrollBar", scrollBar(), 16, 16});
}

}  // namespace mv::art
