#pragma once
#include "common/ArtCanvas.h"

namespace mv::art {

// The fighter's geometry: its picture is 32 wide and 46 tall standing, 33 tall crouched (the body
// drops by 13 pixels and the feet stay put), its hit box 22 wide in the middle, its gun held on the
// middle line 16 pixels below the top of the picture, and the top 10 pixels are the head.
constexpr int kFighterWidth = 32;
constexpr int kFighterHeight = 46;
constexpr int kCrouchHeight = 33;
constexpr int kGripY = 16;
constexpr int kHeadHeight = 10;

constexpr int kWalkFrames = 8;
constexpr int kCrouchFrames = 6;
constexpr int kCorpseFrames = 8;
constexpr int kCorpseWidth = 64;
constexpr int kGibSize = 12;
constexpr int kGibCount = 6;

// The colours of one fighter model: the armour plates and helmet, the suit under them, the visor.
struct FighterColors {
  const char* model;  // the model's name in the archive
  Color armor, suit, visor;
};
// The eight models, "Doom" (green, the classic one) first; the game knows them by these names.
constexpr int kFighterModels = 8;
const FighterColors& fighterColors(int index);

struct FighterPose {
  double phase = 0;  // through the walking cycle, 0..1
  bool walking = false;
  bool crouched = false;
  bool head = true;
  bool armsDown = false;  // hands at the sides instead of at the grip (the menu's fighter at ease)
};

// One frame of the fighter facing right, outlined, 32 x 46 (32 x 33 crouched).
Canvas fighterFrame(const FighterPose& pose, const FighterColors& colors = fighterColors(0));
// Frame k of the fall to the floor, 64 x 46, the fighter's middle on the picture's middle.
Canvas corpseFrame(int k, bool headless, const FighterColors& colors);
Canvas gibPiece(int piece, const FighterColors& colors);

}  // namespace mv::art
