#include "Models.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Palette.h"
#include "Pictures.h"

namespace mv::art {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr Color kBoot = rgb(58, 50, 44);
constexpr Color kGlove = rgb(46, 44, 42);
constexpr Color kBelt = rgb(96, 72, 40);
constexpr Color kVisor = rgb(255, 186, 60);

struct Leg {
  Point hip, knee, foot;
};

// A leg from the hip: the thigh turned by `swing` degrees from straight down (positive forward), the
// shin bent back by `bend` degrees at the knee.
Leg makeLeg(Point hip, double swing, double bend, double thigh, double shin) {
  double a = swing * kPi / 180, b = (swing - bend) * kPi / 180;
  Point knee{hip.x + std::sin(a) * thigh, hip.y + std::cos(a) * thigh};
  Point foot{knee.x + std::sin(b) * shin, knee.y + std::cos(b) * shin};
  return {hip, knee, foot};
}

void drawLeg(Canvas& c, const Leg& leg, double dy, double light) {
  Color armor = shade(kArmorGreen, light), boot = shade(kBoot, light);
  c.line(leg.hip.x, leg.hip.y + dy, leg.knee.x, leg.knee.y + dy, shade(armor, 0.85), 5);
  c.fillCircle(leg.knee.x, leg.knee.y + dy, 2.6, shade(armor, 1.15));
  c.line(leg.knee.x, leg.knee.y + dy, leg.foot.x, leg.foot.y + dy - 2, boot, 4.2);
  // The boot points forward, to the right.
  c.fillPolygon({{leg.foot.x - 2, leg.foot.y + dy - 3.5},
                 {leg.foot.x + 2, leg.foot.y + dy - 3.5},
                 {leg.foot.x + 3.5, leg.foot.y + dy - 1},
                 {leg.foot.x + 3.5, leg.foot.y + dy + 0.5},
                 {leg.foot.x - 2, leg.foot.y + dy + 0.5}},
                boot);
}

void drawHead(Canvas& c, double cx, double cy) {
  c.shadeEllipse(cx, cy, 5, 5, [=](double x, double y) {
    return shade(kArmorGreen, 1.35 - 0.09 * std::hypot(x - cx + 2, y - cy + 2));
  });
  c.fillRect(static_cast<int>(cx) - 5, static_cast<int>(cy) + 2, 10, 2, shade(kArmorGreen, 0.6));
  c.fillPolygon({{cx + 0.5, cy - 2}, {cx + 5.2, cy - 2}, {cx + 5.2, cy + 1.5}, {cx + 1.5, cy + 1.5}}, kVisor);
  c.line(cx + 2, cy - 1.5, cx + 4.5, cy - 1.5, rgb(255, 245, 200));
}

void drawTorso(Canvas& c, double dx, double dy, double lean) {
  std::vector<Point> body{{11 + dx + lean, 11 + dy}, {21 + dx + lean, 11 + dy}, {21 + dx, 17 + dy},
                          {20 + dx, 25 + dy},        {12 + dx, 25 + dy},        {11 + dx, 17 + dy}};
  c.shadePolygon(body, [=](double x, double y) {
    return shade(kArmorGreen, 1.3 - 0.05 * std::abs(x - 18 - dx) - 0.02 * (y - dy - 11));
  });
  // Chest plate ridge and the belt.
  c.line(15 + dx + lean * 0.5, 13 + dy, 19 + dx, 20 + dy, shade(kArmorGreen, 0.7));
  c.fillRect(static_cast<int>(11 + dx), static_cast<int>(23 + dy), 10, 3, kBelt);
  c.fillRect(static_cast<int>(18 + dx), static_cast<int>(23 + dy), 2, 3, kHazardYellow);
}

// The arms reach forward to the grip at (16, kGripY); the gun itself is drawn by the game on top.
void drawArms(Canvas& c, double dy, bool nearArm) {
  Point shoulder{nearArm ? 14.0 : 17.0, 13 + dy};
  Point elbow{nearArm ? 12.5 : 15.5, 19 + dy};
  Point hand{nearArm ? 17.0 : 19.5, kGripY + 0.5};
  Color sleeve = nearArm ? kArmorGreen : shade(kArmorGreen, 0.65);
  c.line(shoulder.x, shoulder.y, elbow.x, elbow.y, sleeve, 3.6);
  c.line(elbow.x, elbow.y, hand.x, hand.y, shade(sleeve, 0.9), 3.2);
  c.fillCircle(hand.x, hand.y, 1.9, nearArm ? kGlove : shade(kGlove, 0.7));
  if (nearArm)
    c.shadeEllipse(shoulder.x, shoulder.y, 3.6, 3,
                   [](double x, double y) { return shade(kArmorGreen, 1.4 - 0.08 * (y - 10)); });
}

void bloodyNeck(Canvas& c, double cx, double cy) {
  c.fillEllipse(cx, cy, 3.2, 1.8, kBlood);
  c.fillCircle(cx - 0.5, cy - 0.5, 1, rgb(230, 60, 50));
}

}  // namespace

Canvas fighterFrame(const FighterPose& pose) {
  int height = pose.crouched ? kCrouchHeight : kFighterHeight;
  Canvas c(kFighterWidth, height);
  double swing = pose.walking ? std::sin(pose.phase * 2 * kPi) : 0;
  double lift = pose.walking ? std::cos(pose.phase * 2 * kPi) : 0;
  if (!pose.crouched) {
    Point hip{16, 26};
    // Each leg bends most while it swings forward; the body rides up and down with the stride.
    Leg a = makeLeg(hip, 16 * swing, 8 + 22 * std::max(lift, 0.0), 10, 11);
    Leg b = makeLeg(hip, -16 * swing, 8 + 22 * std::max(-lift, 0.0), 10, 11);
    double dy = (height - 0.5) - std::max(a.foot.y, b.foot.y);
    drawLeg(c, b, dy, 0.7);
    drawArms(c, dy, false);
    drawTorso(c, 0, dy, 0.5);
    drawLeg(c, a, dy, 1.0);
    if (pose.head)
      drawHead(c, 16.5, 5.5 + dy);
    else
      bloodyNeck(c, 16, 10.5 + dy);
    drawArms(c, dy, true);
  } else {
    // Crouched: one knee up in front, the other low behind; a shuffle moves them a little.
    double s = pose.walking ? swing : 0;
    Point hip{15, 22};
    Leg front = makeLeg(hip, 75 + 8 * s, 110, 8.5, 9);
    Leg back = makeLeg(hip, -20 - 8 * s, -80, 8, 8.5);
    double dy = (height - 0.5) - std::max(front.foot.y, back.foot.y);
    drawLeg(c, back, dy, 0.7);
    drawArms(c, 0, false);
    drawTorso(c, 0, -2, 1.5);
    drawLeg(c, front, dy, 1.0);
    if (pose.head)
      drawHead(c, 17, 5.5);
    else
      bloodyNeck(c, 16.5, 10.5);
    drawArms(c, 0, true);
  }
  c.outline(kOutline);
  return c;
}

Canvas corpseFrame(int k, bool headless) {
  double t = static_cast<double>(k) / (kCorpseFrames - 1);
  double e = 1 - (1 - t) * (1 - t);  // falls fast, then settles
  FighterPose pose;
  pose.head = !headless;
  Canvas body = fighterFrame(pose);
  if (headless && k < kCorpseFrames - 2) {
    // Blood spurting from the neck as the body goes down.
    for (int d = 0; d < 4; ++d)
      body.fillCircle(16 + d * 1.5 - 2, 8 - d * 2.2 + k * 0.5, 1.3 - d * 0.2, kBlood);
  }
  // Tips over backwards about the feet; the pivot slides so the body ends up lying across the middle
  // of the picture, and rises a little so the back rests on the floor line, not below it.
  Canvas out = body.rotated(-90 * e, 16, kFighterHeight - 0.5, kCorpseWidth, kFighterHeight,
                            kCorpseWidth / 2.0 + 22 * e, kFighterHeight - 0.5 - 6 * e);
  if (k >= kCorpseFrames - 3) {
    double grow = (k - (kCorpseFrames - 4)) / 3.0;
    Canvas pool(kCorpseWidth, kFighterHeight);
    pool.fillEllipse(kCorpseWidth / 2.0 - 8, kFighterHeight - 1.5, 4 + 12 * grow, 1.6 + grow, kBloodDark);
    pool.fillEllipse(kCorpseWidth / 2.0 - 10, kFighterHeight - 2, 2 + 6 * grow, 1 + grow * 0.5, kBlood);
    pool.draw(out, 0, 0);
    out = pool;
  }
  return out;
}

Canvas gibPiece(int piece) {
  Canvas c(kGibSize, kGibSize);
  switch (piece) {
    case 0:  // the head, helmet still on
      drawHead(c, 6, 5.5);
      c.fillEllipse(6, 10, 3, 1.4, kBlood);
      break;
    case 1:  // an arm
      c.line(2, 3, 7, 6, kArmorGreen, 3.6);
      c.line(7, 6, 9, 10, shade(kArmorGreen, 0.85), 3.2);
      c.fillCircle(9, 10, 1.9, kGlove);
      c.fillEllipse(2, 3, 2, 2, kBlood);
      break;
    case 2:  // a leg with its boot
      c.line(4, 1.5, 5, 7, shade(kArmorGreen, 0.85), 4.5);
      c.fillPolygon({{3, 7}, {7, 7}, {10.5, 10}, {10.5, 11}, {3, 11}}, kBoot);
      c.fillEllipse(4, 1.5, 2.5, 1.3, kBlood);
      break;
    case 3:  // a piece of the chest armour
      c.fillPolygon({{1.5, 3}, {9, 1.5}, {10.5, 8}, {3, 10.5}}, kArmorGreen);
      c.line(3, 4, 8, 8, shade(kArmorGreen, 0.65));
      c.fillEllipse(3, 9, 2.5, 2, kBlood);
      break;
    case 4:  // meat with a bone end
      c.fillEllipse(5, 6.5, 4.5, 3.5, kFlesh);
      c.fillEllipse(4, 7, 3, 2.2, kBlood);
      c.line(7, 4, 10.5, 1.5, kBone, 2);
      break;
    default:  // a rib bone
      c.line(2, 9, 6, 3, kBone, 2);
      c.line(6, 3, 10, 5, kBone, 2);
      c.fillCircle(2, 9, 1.6, kBlood);
      break;
  }
  c.outline(kOutline);
  return c;
}

std::vector<ArtItem> modelItems() {
  std::vector<Canvas> walk, crouch, dead, headshot, gibs;
  for (int f = 0; f < kWalkFrames; ++f)
    walk.push_back(fighterFrame({static_cast<double>(f) / kWalkFrames, f != 0 || true, false, true}));
  // The standing frame is the first of the strip: the stride's crossing point with the feet together.
  walk[0] = fighterFrame({0, false, false, true});
  for (int f = 0; f < kCrouchFrames; ++f)
    crouch.push_back(fighterFrame({static_cast<double>(f) / kCrouchFrames, true, true, true}));
  for (int k = 0; k < kCorpseFrames; ++k) {
    dead.push_back(corpseFrame(k, false));
    headshot.push_back(corpseFrame(k, true));
  }
  for (int g = 0; g < kGibCount; ++g) gibs.push_back(gibPiece(g));

  std::vector<ArtItem> items;
  auto pose = [&](const std::string& suffix, const std::vector<Canvas>& frames, int w, int h) {
    // Both sides are stored; start-up mirrors the right-facing sheet over the left-facing one anyway,
    // so the two always agree.
    Canvas right = strip(frames);
    items.push_back({"Doom" + suffix + "_R", right, w, h});
    items.push_back({"Doom" + suffix + "_L", right.mirrored(), w, h});
  };
  pose("", walk, kFighterWidth, kFighterHeight);
  pose("_Crouch", crouch, kFighterWidth, kCrouchHeight);
  pose("_Dead", dead, kCorpseWidth, kFighterHeight);
  pose("_Headshot", headshot, kCorpseWidth, kFighterHeight);
  items.push_back({"Doom_Gibs", strip(gibs), kGibSize, kGibSize});
  return items;
}

}  // namespace mv::art
