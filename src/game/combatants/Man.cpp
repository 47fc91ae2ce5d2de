#include "game/combatants/Man.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/archive/PictureCollection.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/SoundPlay.h"
#include "game/world/Anim.h"
#include "game/world/Grid.h"
#include "game/world/Images.h"

namespace mv {
namespace {

constexpr int32_t kBoxWidth = 22;
constexpr int32_t kStandingBottom = 46;
constexpr int32_t kCrouchingBottom = 33;
constexpr int32_t kCrouchDrop = kStandingBottom - kCrouchingBottom;  // the feet stay where they are
constexpr double kWalkSpeed = 0.2;                                   // pixels per millisecond
constexpr double kCrouchWalkSpeed = 0.14;
constexpr double kJumpSpeed = 0.33;
constexpr int32_t kSwitchDelay = 200;
// One walking cycle every 800 ms, whatever the number of frames in the strip.
constexpr double kWalkCycleRate = 1.0 / 800;
// How many pixel rows at the top of a platform carry a fighter's feet. One row would do for a body
// walking down pixel by pixel, but nearest-even rounding of y sometimes skips a pixel, and crouching
// shifts the rounded feet by one; three rows catch every such case, and a fighter rising through the
// platform passes them within a step or two.
constexpr int64_t kPlatformLip = 3;

int64_t cellOf(int64_t pixel) {
  return pixel / 16;
}

// How far a pixel row lies below the top row of its cell (0 on the top row, for rows from 0 on).
int64_t rowOffset(int64_t pixel) {
  return pixel - 16 * cellOf(pixel);
}

// True when a cell of the line (a column for rows from .. to, or a row for columns from .. to) holds a
// value `blocks` accepts. The range is pinned just outside the grid, where everything is empty.
template <typename Blocks>
bool lineBlocked(bool column, int64_t line, int64_t from, int64_t to, Blocks blocks) {
  const Grid& grid = globals().grid;
  from = std::max<int64_t>(cellOf(from), Grid::First - 1);
  to = std::min<int64_t>(cellOf(to), Grid::Last + 1);
  for (int64_t c = from; c <= to; ++c)
    if (blocks(column ? grid.at(line, c) : grid.at(c, line))) return true;
  return false;
}

}  // namespace

TMan::TMan(TSprite* parent) : TPhyzObj(parent) {
  alpha = 255;
  collidable = false;
  frags = 0;
  x = y = 0;
  visible = false;
  pixelCollision = true;
}

std::string TMan::bodyImageName(const std::string& model, bool crouched, uint8_t facing) {
  return model + (crouched ? "_Crouch" : "") + (facing == 0 ? "_L" : "_R");
}

void TMan::setModel(const std::string& model) {
  modelImage(bodyImageName(model, crouched, 0));  // a missing model changes nothing
  modelName = model;
  facing = 0;
  updateImage();
}

void TMan::turn(int32_t side) {
  if (side != facing) aimAngle = -aimAngle;
  facing = static_cast<uint8_t>(side);
}

void TMan::boxMayChange() {
  if (TMatch* match = globals().match) match->fighterMoved();
}

bool TMan::canWalk(int32_t direction) const {
  const int64_t X = nearPixel(x), Y = nearPixel(y);
  const int64_t l = hitBox.Left, t = hitBox.Top, r = hitBox.Right, b = hitBox.Bottom;
  auto solid = [](uint8_t v) { return v == CellSolid; };
  switch (direction) {
    case Left:
      return !lineBlocked(true, cellOf(X + l - 1), Y + t + 1, Y + b - 1, solid);
    case Right:
      return !lineBlocked(true, cellOf(X + r + 1), Y + t + 1, Y + b - 1, solid);
    case Up:
      return !lineBlocked(false, cellOf(Y + t - 1), X + l + 1, X + r - 1, solid);
    case Down: {
      // This probe lies one pixel below the one the physics tests, so a platform counts here one
      // row further down as well: the fighter is on it exactly when the physics would hold it.
      const int64_t probe = Y + b + 1;
      const bool onLip = probe >= 0 && rowOffset(probe) <= kPlatformLip;
      return !lineBlocked(false, cellOf(probe), X + l + 1, X + r - 1,
                          [onLip](uint8_t v) { return v == CellSolid || (onLip && v == CellPlatform); });
    }
    default:
      return true;
  }
}

bool TMan::platformAt(int64_t line) const {
  if (line < 0 || rowOffset(line) >= kPlatformLip) return false;
  return edgeHoldsAt(globals().grid, nearPixel(x), nearPixel(y), hitBox, Down, CellPlatform);
}

bool TMan::canMove(int32_t direction) const {
  if (!TPhyzObj::canMove(direction)) return false;
  return direction != Down || !platformAt(nearPixel(y) + hitBox.Bottom);
}

void TMan::command(int32_t c) {
  if (c == CmdMoveLeft || c == CmdMoveRight || c == CmdJump || c == CmdNextWeapon || c == CmdPrevWeapon) {
    if (health <= 0) return;
    zoom = 0;
  }
  const double step = crouched ? kCrouchWalkSpeed : kWalkSpeed;
  switch (c) {
    case CmdMoveLeft:
      turn(0);
      if (canWalk(Left)) extraDX -= step;
      break;
    case CmdMoveRight:
      turn(1);
      if (canWalk(Right)) extraDX += step;
      break;
    case CmdJump:
      if (!crouched && !canWalk(Down)) velY = kJumpSpeed;
      break;
    case CmdCrouch:
      if (health > 0 && !crouched) {
        boxMayChange();
        y += kCrouchDrop;
        crouched = true;
        hitBox.Bottom = kCrouchingBottom;
      }
      break;
    case CmdStandUp:
      if (crouched) {
        boxMayChange();
        y -= kCrouchDrop;
        crouched = false;
        hitBox.Bottom = kStandingBottom;
        if (!canWalk(Up)) command(CmdCrouch);
      }
      break;
    case CmdNextWeapon:
      switchWeapon(1);
      break;
    case CmdPrevWeapon:
      switchWeapon(-1);
      break;
    default:
      break;
  }
}

void TMan::switchWeapon(int32_t step) {
  if (cooldown > 0) return;
  cooldown = kSwitchDelay;
  auto usable = [this](int32_t w) {
    return hasWeapon[static_cast<size_t>(w)] != 0 && ammo[static_cast<size_t>(w)] != 0;
  };
  const int32_t start = currentWeapon >= 0 && currentWeapon < kWeapons ? currentWeapon : 0;
  int32_t w = start;
  do {
    w = (w + step + kWeapons) % kWeapons;
  } while (w != start && !usable(w));
  currentWeapon = static_cast<int8_t>(usable(w) ? w : 0);
}

void TMan::updateImage() {
  TPictureCollectionItem& item = modelImage(bodyImageName(modelName, crouched, facing));
  image = &item;
  width = item.width();
  height = item.height();
  const int32_t n = item.patternCount();
  if (extraDX != 0) {
    frameCount = n;
    frameLooped = true;
    frameSpeed = (facing == 1 ? n : -n) * kWalkCycleRate;
  } else {
    // The standing frame is the first of the right strip, which the left strip holds last.
    frameCount = 0;
    frameLooped = false;
    framePos = facing == 1 ? 0 : n - 1;
  }
}

void TMan::respawn() {
  // Without a match or a point to go to the fighter stays dead and tries again next step.
  const TMatch* match = globals().match;
  if (!match || match->respawnCount() <= 0) return;
  const TPoint p = match->respawnPoint(globals().random.random(match->respawnCount()));
  respawnAt(p.x, p.y);
}

void TMan::respawnAt(double px, double py) {
  // Every picture first, so a missing one leaves the fighter exactly as it was.
  modelImage(bodyImageName(modelName, false, 0));
  TPictureCollectionItem& flash = gameImage("RespawnAnim");

  facing = 0;
  framePos = 0;
  alpha = 255;
  boxMayChange();
  x = px;
  y = py;
  setZ(15);
  // A corpse thrown by an explosion must not come back flying, nor one that died crouching come back
  // with a crouching picture on a standing box.
  velX = velY = extraDX = extraDY = 0;
  crouched = false;

  health = 100;
  armor = 0;
  cooldown = 0;
  currentWeapon = 0;
  for (int32_t w = 1; w < kAmmoSlots; ++w) {
    hasWeapon[static_cast<size_t>(w)] = 0;
    ammo[static_cast<size_t>(w)] = 0;
  }
  hasWeapon[0] = 1;
  ammo[0] = 1;
  visible = true;

  updateImage();
  hitBox = {(width - kBoxWidth) / 2, 0, (width + kBoxWidth) / 2, kStandingBottom};

  if (engine) (new TAnim(engine))->start(flash.Name, 0, x + 16, y + 23, 0.04, 25);
  playSoundAt("Respawn", x + 24, y + 16);
}

void TMan::leaveMatch() {
  gone = true;
  health = 0;
  visible = false;
  collidable = false;
  velX = velY = 0;
  announcement.clear();
}

void TMan::moveSelf(int moveCount) {
  if (gone) return;  // no respawn, no fall: nothing of it is in the match any more
  // Whatever this step (and a controller's step after it) does to the body, the match's index of
  // fighters by position takes it into account at its next look.
  boxMayChange();
  TPhyzObj::moveSelf(moveCount);

  for (int32_t* timer : {&cooldown, &multiKillTime, &talkDelay})
    if (*timer > 0) *timer -= moveCount;

  if (health <= 0) {
    if (globals().settings.quality != 0) alpha = cooldown / 10;
    if (cooldown <= 0) respawn();
    return;
  }

  if (touchesCell(CellLethal)) {
    smackDown();
    if (!alive()) countDeath(nullptr, kLethalCellDeath);
  }
  // Crouching lasts only while the controller asks for it every step.
  command(CmdStandUp);

  if (announceTime <= 0)
    announcement.clear();
  else
    announceTime -= moveCount;

  updateCamera();
}

void TMan::countDeath(const TMan* killer, int32_t weapon) {
  deaths += 1;
  if (TMatch* match = globals().match)
    match->events.add({.kind = MatchEvent::Kind::Death, .fighter = this, .killer = killer, .weapon = weapon});
}

void TMan::updateCamera() {
  const TRect screen = engine ? engine->surfaceRect() : TRect{};
  const double a = aimRadians();
  cameraX = screen.width() / 2 - x - width / 2 - std::cos(a) * zoom * 5;
  cameraY = screen.height() / 2 - y - height / 2 - std::sin(a) * zoom * 5;
}

double TMan::aimRadians() const {
  return (facing == 1 ? aimAngle : aimAngle - 180) * std::numbers::pi / 180;
}

int32_t TMan::getAmmo(int32_t w) const {
  return w < 0 || w >= kAmmoSlots ? -2 : ammo[static_cast<size_t>(w)];
}

void TMan::setAmmo(int32_t w, int32_t v) {
  if (w >= 0 && w < kAmmoSlots) ammo[static_cast<size_t>(w)] = v;
}

uint8_t TMan::getHasWeapon(int32_t w) const {
  return w < 0 || w >= kAmmoSlots ? 0 : hasWeapon[static_cast<size_t>(w)];
}

void TMan::setHasWeapon(int32_t w, uint8_t v) {
  if (w >= 0 && w < kAmmoSlots) hasWeapon[static_cast<size_t>(w)] = v;
}

}  // namespace mv
