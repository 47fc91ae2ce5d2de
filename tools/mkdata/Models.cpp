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
constexpr Color kGlove = rgb(40, 38, 36);
constexpr Color kPack = rgb(70, 74, 80);

// Hues far apart round the wheel, and one white; the suit under the armour is always dark, so arms and
// thighs stand apart from the bright chest and pads. The amber visor turns cyan on the amber armour.
// The first is the classic green soldier, pixel for pixel.
// clang-format off
constexpr FighterColors kColors[kFighterModels] = {
    {"Doom",    kArmorGreen,        rgb(52, 64, 50), rgb(255, 186, 60)},
    {"Crimson", rgb(190, 52, 44),   rgb(72, 40, 40), rgb(255, 196, 90)},
    {"Cobalt",  rgb(58, 104, 214),  rgb(40, 48, 76), rgb(255, 186, 60)},
    {"Amber",   rgb(220, 170, 36),  rgb(76, 64, 36), rgb(90, 220, 255)},
    {"Violet",  rgb(146, 76, 196),  rgb(58, 42, 76), rgb(255, 186, 60)},
    {"Teal",    rgb(36, 172, 168),  rgb(34, 62, 66), rgb(255, 186, 60)},
    {"Rose",    rgb(232, 110, 168), rgb(80, 44, 64), rgb(255, 230, 120)},
    {"Frost",   rgb(214, 220, 228), rgb(76, 82, 94), rgb(255, 150, 40)},
};
// clang-format on

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

// The middle joint of a limb of two bones of one length from `from` to `to`, bent to one side: +1
// bends it to the left of the way from `from` to `to` as the screen shows it (a knee of a leg going
// down bends forward, to the right, with -1; an elbow from shoulder to hand bends down and back with +1).
Point joint(Point from, Point to, double bone, double side) {
  double dx = to.x - from.x, dy = to.y - from.y, d = std::max(std::hypot(dx, dy), 0.01);
  double h = std::sqrt(std::max(bone * bone - d * d / 4, 0.0));
  return {(from.x + to.x) / 2 - side * h * dy / d, (from.y + to.y) / 2 + side * h * dx / d};
}

void drawLeg(Canvas& c, const Leg& leg, double light, const FighterColors& k) {
  Color suit = shade(k.suit, light), pad = shade(k.armor, light), boot = shade(kBoot, light);
  c.line(leg.hip.x, leg.hip.y, leg.knee.x, leg.knee.y, suit, 4.6);
  // Armoured shin and knee pad.
  c.line(leg.knee.x, leg.knee.y, leg.foot.x, leg.foot.y - 2, shade(pad, 0.85), 4.2);
  c.fillCircle(leg.knee.x + 0.3, leg.knee.y, 2.4, shade(pad, 1.2));
  // The boot points forward, to the right.
  c.fillPolygon({{leg.foot.x - 2, leg.foot.y - 3.5},
                 {leg.foot.x + 2, leg.foot.y - 3.5},
                 {leg.foot.x + 3.5, leg.foot.y - 1},
                 {leg.foot.x + 3.5, leg.foot.y + 0.5},
                 {leg.foot.x - 2, leg.foot.y + 0.5}},
                boot);
  c.line(leg.foot.x - 2, leg.foot.y, leg.foot.x + 3.5, leg.foot.y, shade(boot, 0.6));
}

void drawHead(Canvas& c, double cx, double cy, const FighterColors& k) {
  c.shadeEllipse(cx, cy, 5, 5, [=](double x, double y) {
    return shade(k.armor, 1.35 - 0.09 * std::hypot(x - cx + 2, y - cy + 2));
  });
  c.fillRect(static_cast<int>(cx) - 5, static_cast<int>(cy) + 2, 10, 2, shade(k.armor, 0.6));
  c.fillPolygon({{cx + 0.5, cy - 2}, {cx + 5.2, cy - 2}, {cx + 5.2, cy + 1.5}, {cx + 1.5, cy + 1.5}},
                k.visor);
  c.line(cx + 2, cy - 1.5, cx + 4.5, cy - 1.5, rgb(255, 245, 200));
}

// The chest plate over the suit, a pack on the back (the side he does not face) and the belt; dy moves
// it all down, lean tips the shoulders forward.
void drawTorso(Canvas& c, double dy, double lean, const FighterColors& k) {
  c.bevelBox(8, static_cast<int>(12 + dy), 4, 10, kPack);
  c.fillRect(9, static_cast<int>(14 + dy), 2, 1, kHazardYellow);
  std::vector<Point> body{{11 + lean, 11 + dy}, {21 + lean, 11 + dy}, {21, 17 + dy},
                          {20, 25 + dy},        {12, 25 + dy},        {11, 17 + dy}};
  c.shadePolygon(body, [=](double x, double y) {
    return shade(k.armor, 1.3 - 0.05 * std::abs(x - 18) - 0.02 * (y - dy - 11));
  });
  // Chest plate ridge and the belt.
  c.line(15 + lean * 0.5, 13 + dy, 19, 20 + dy, shade(k.armor, 0.7));
  c.fillRect(11, static_cast<int>(23 + dy), 10, 3, kBelt);
  c.fillRect(18, static_cast<int>(23 + dy), 2, 3, kHazardYellow);
}

// An arm from the shoulder to the hand: the upper arm hangs down the side, the forearm reaches forward
// and up to the hand. Outlined, so it reads over the chest it crosses; the near arm has a bright
// shoulder pad.
void drawArm(Canvas& c, Point shoulder, Point hand, bool nearArm, const FighterColors& k) {
  // Reaching for the grip, the elbow drops below both ends; hanging at the side, it lies between them.
  Point elbow = hand.y > shoulder.y + 6
                    ? Point{(shoulder.x + hand.x) / 2 - 1, (shoulder.y + hand.y) / 2}
                    : Point{std::min(shoulder.x, hand.x) - 1, std::max(shoulder.y + 5.5, hand.y + 2)};
  double light = nearArm ? 1.0 : 0.7;
  Color sleeve = shade(k.suit, light * 1.25), glove = shade(kGlove, light);
  c.line(shoulder.x, shoulder.y, elbow.x, elbow.y, kOutline, 5.0);
  c.line(elbow.x, elbow.y, hand.x, hand.y, kOutline, 4.6);
  c.fillCircle(hand.x, hand.y, 2.6, kOutline);
  c.line(shoulder.x, shoulder.y, elbow.x, elbow.y, sleeve, 3.0);
  c.line(elbow.x, elbow.y, hand.x, hand.y, shade(sleeve, 1.15), 2.6);
  c.fillCircle(hand.x, hand.y, 1.6, glove);
  if (nearArm) {
    c.shadeEllipse(shoulder.x, shoulder.y, 3.2, 2.6,
                   [=](double x, double y) { return shade(k.armor, 1.55 - 0.12 * (y - shoulder.y + 2.6)); });
    c.line(shoulder.x - 2.5, shoulder.y + 2.2, shoulder.x + 2.5, shoulder.y + 2.2, kOutline);
  }
}

void bloodyNeck(Canvas& c, double cx, double cy) {
  c.fillEllipse(cx, cy, 3.2, 1.8, kBlood);
  c.fillCircle(cx - 0.5, cy - 0.5, 1, rgb(230, 60, 50));
}

// Standing or walking: the feet stride along the floor, the body sinks a pixel or two as they part and
// leans into the step; the hands stay at the grip, where the game draws the gun.
void standingFrame(Canvas& c, const FighterPose& pose, const FighterColors& k) {
  double s = pose.walking ? std::sin(pose.phase * 2 * kPi) : 0;
  double c2 = pose.walking ? std::cos(pose.phase * 2 * kPi) : 0;
  int bob = static_cast<int>(std::lround(1.5 * std::abs(s)));
  int nod = (bob + 1) / 2;
  double lean = pose.walking ? 0.8 : 0.4;
  constexpr double kFloor = kFighterHeight - 1.0, kStride = 6.5, kBone = 9.8;
  Point hip{15, 25.5 + bob};
  // Each foot slides from back to front while lifted (the half of the cycle it swings), then pushes back
  // along the floor.
  auto foot = [&](double side) {
    double lift = pose.walking ? 3.2 * std::max(0.0, side * c2) : 0;
    // At ease the feet stand a little apart.
    double apart = pose.armsDown ? 2.5 : 0;
    return Point{hip.x + 0.5 + side * (kStride * s + apart), kFloor - lift};
  };
  auto leg = [&](Point f) { return Leg{hip, joint(hip, f, kBone, -1), f}; };
  Leg a = leg(foot(1)), b = leg(foot(-1));
  drawLeg(c, b, 0.7, k);
  drawArm(c, {17.5, 12.5 + bob}, pose.armsDown ? Point{19, 23.5 + bob} : Point{20, 17}, false, k);
  drawTorso(c, bob, lean, k);
  drawLeg(c, a, 1.0, k);
  if (pose.head)
    drawHead(c, 16.5 + lean * 0.5, 5.5 + nod, k);
  else
    bloodyNeck(c, 16, 10.5 + nod);
  drawArm(c, {14.5, 13.0 + bob}, pose.armsDown ? Point{17, 24.0 + bob} : Point{16.5, kGripY + 0.5}, true, k);
}

// Crouched: one knee up in front, the other low behind; a shuffle moves them and the body a little.
void crouchedFrame(Canvas& c, const FighterPose& pose, const FighterColors& k) {
  double s = pose.walking ? std::sin(pose.phase * 2 * kPi) : 0;
  int bob = pose.walking ? static_cast<int>(std::lround(std::abs(s))) : 0;
  Point hip{15, 22.0 + bob * 0.5};
  Leg front = makeLeg(hip, 75 + 8 * s, 110, 8.5, 9);
  Leg back = makeLeg(hip, -20 - 8 * s, -80, 8, 8.5);
  double dy = (kCrouchHeight - 1.0) - std::max(front.foot.y, back.foot.y);
  for (Leg* l : {&front, &back}) {
    l->hip.y += dy;
    l->knee.y += dy;
    l->foot.y += dy;
  }
  drawLeg(c, back, 0.7, k);
  drawArm(c, {17.5, 12.5 + bob}, {20, 17}, false, k);
  drawTorso(c, -2 + bob, 1.5, k);
  drawLeg(c, front, 1.0, k);
  if (pose.head)
    drawHead(c, 17, 5.5 + bob, k);
  else
    bloodyNeck(c, 16.5, 10.5 + bob);
  drawArm(c, {14.5, 12.5 + bob}, {16.5, kGripY + 0.5}, true, k);
}

}  // namespace

const FighterColors& fighterColors(int index) {
  return kColors[std::clamp(index, 0, kFighterModels - 1)];
}

Canvas fighterFrame(const FighterPose& pose, const FighterColors& colors) {
  Canvas c(kFighterWidth, pose.crouched ? kCrouchHeight : kFighterHeight);
  if (pose.crouched)
    crouchedFrame(c, pose, colors);
  else
    standingFrame(c, pose, colors);
  c.outline(kOutline);
  return c;
}

Canvas corpseFrame(int k, bool headless, const FighterColors& colors) {
  double t = static_cast<double>(k) / (kCorpseFrames - 1);
  double e = 1 - (1 - t) * (1 - t);  // falls fast, then settles
  FighterPose pose;
  pose.head = !headless;
  Canvas body = fighterFrame(pose, colors);
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

Canvas gibPiece(int piece, const FighterColors& k) {
  Canvas c(kGibSize, kGibSize);
  switch (piece) {
    case 0:  // the head, helmet still on
      drawHead(c, 6, 5.5, k);
      c.fillEllipse(6, 10, 3, 1.4, kBlood);
      break;
    case 1:  // an arm
      c.line(2, 3, 7, 6, k.armor, 3.6);
      c.line(7, 6, 9, 10, shade(k.armor, 0.85), 3.2);
      c.fillCircle(9, 10, 1.9, kGlove);
      c.fillEllipse(2, 3, 2, 2, kBlood);
      break;
    case 2:  // a leg with its boot
      c.line(4, 1.5, 5, 7, shade(k.armor, 0.85), 4.5);
      c.fillPolygon({{3, 7}, {7, 7}, {10.5, 10}, {10.5, 11}, {3, 11}}, kBoot);
      c.fillEllipse(4, 1.5, 2.5, 1.3, kBlood);
      break;
    case 3:  // a piece of the chest armour
      c.fillPolygon({{1.5, 3}, {9, 1.5}, {10.5, 8}, {3, 10.5}}, k.armor);
      c.line(3, 4, 8, 8, shade(k.armor, 0.65));
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
  std::vector<ArtItem> items;
  for (int m = 0; m < kFighterModels; ++m) {
    const FighterColors& k = fighterColors(m);
    std::vector<Canvas> walk, crouch, dead, headshot, gibs;
    for (int f = 0; f < kWalkFrames; ++f)
      walk.push_back(fighterFrame({static_cast<double>(f) / kWalkFrames, true, false, true}, k));
    // The standing frame is the first of the strip: the stride's crossing point with the feet together.
    walk[0] = fighterFrame({0, false, false, true}, k);
    for (int f = 0; f < kCrouchFrames; ++f)
      crouch.push_back(fighterFrame({static_cast<double>(f) / kCrouchFrames, true, true, true}, k));
    for (int c = 0; c < kCorpseFrames; ++c) {
      dead.push_back(corpseFrame(c, false, k));
      headshot.push_back(corpseFrame(c, true, k));
    }
    for (int g = 0; g < kGibCount; ++g) gibs.push_back(gibPiece(g, k));

    const std::string model = k.model;
    auto pose = [&](const std::string& suffix, const std::vector<Canvas>& frames, int w, int h) {
      // Both sides are stored; start-up mirrors the right-facing sheet over the left-facing one anyway,
      // so the two always agree.
      Canvas right = strip(frames);
      items.push_back({model + suffix + "_R", right, w, h});
      items.push_back({model + suffix + "_L", right.mirrored(), w, h});
    };
    pose("", walk, kFighterWidth, kFighterHeight);
    pose("_Crouch", crouch, kFighterWidth, kCrouchHeight);
    pose("_Dead", dead, kCorpseWidth, kFighterHeight);
    pose("_Headshot", headshot, kCorpseWidth, kFighterHeight);
    items.push_back({model + "_Gibs", strip(gibs), kGibSize, kGibSize});
  }
  return items;
}

}  // namespace mv::art
