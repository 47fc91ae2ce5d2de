#pragma once
// The fighter: a physics body that runs, jumps, crouches, aims, switches weapons, fires, takes hits and
// respawns. A person drives it through TPlayer, the computer through TBot; both use only these
// operations.
//
// The operations are spread over a few sources by concern: Man.cpp (body, commands, respawn, step),
// ManDraw.cpp (drawing and the laser sight), ManWeapons.cpp (firing and ammunition), ManCombat.cpp
// (hits, death, frags).

#include <array>
#include <cstdint>
#include <string>

#include "game/world/Match.h"
#include "game/world/PhyzObj.h"

namespace mv {

// Fighter commands.
enum ManCommand : int32_t {
  CmdMoveLeft = 0,
  CmdMoveRight = 1,
  CmdJump = 2,
  CmdCrouch = 3,
  CmdStandUp = 4,
  CmdNextWeapon = 5,
  CmdPrevWeapon = 6,
};

// Kinds of hit a projectile carries.
enum HitKind : uint8_t {
  HitOrdinary = 0,
  HitHeadCut = 1,
  HitHeadSmack = 2,
  HitTearApart = 3,
  HitCutting = 4,
};

constexpr int32_t kAmmoSlots = 11;  // weapon numbers 0 .. 10; 0 .. 7 are real weapons
constexpr int32_t kWeapons = 8;

class TMan : public TPhyzObj {
 public:
  explicit TMan(TSprite* parent);

  // --- body (Man.cpp; drawSelf and laserEnd in ManDraw.cpp) ---
  void setModel(const std::string& name);
  void command(int32_t c);
  void turn(int32_t side);
  // Free space beside the hit box: 0 left, 1 right, 2 up, 3 down.
  bool canWalk(int32_t direction) const;
  void updateImage();
  void respawn();
  void respawnAt(double px, double py);
  // The person left a network match: the fighter vanishes for good, its frags stay in the table.
  void leaveMatch();
  void moveSelf(int moveCount) override;
  void drawSelf() override;
  TPoint laserEnd() const;
  // A fighter also stands on platforms: their top rows block its way down, never up or sideways.
  bool canMove(int32_t direction) const override;

  int32_t getAmmo(int32_t w) const;
  void setAmmo(int32_t w, int32_t v);
  uint8_t getHasWeapon(int32_t w) const;
  void setHasWeapon(int32_t w, uint8_t v);

  // True for a fighter a person drives.
  virtual bool isHuman() const { return false; }

  // --- weapons (ManWeapons.cpp) ---
  void fire();
  bool addAmmo(int32_t w, double amount);
  bool takeAmmoPack(int32_t w);
  bool takeWeapon(int32_t w);
  // The direction a projectile leaves in (degrees, 0 up, 90 right) for the current aim and facing.
  int32_t fireAngle() const;

  // --- combat (ManCombat.cpp) ---
  // attacker may be none (no frags, no announcement), or this fighter itself.
  void takeHit(TMan* attacker, int32_t damage, uint8_t hitKind, int32_t hitY, int32_t knock,
               int32_t gibThreshold);
  void smackDown();
  void spawnGib(int32_t dy, int32_t dAngle, int32_t part, int32_t strength);

  bool alive() const { return health > 0; }
  // A death has happened: counted, and written down for the match (killer none, or this fighter for a
  // suicide; weapon kLethalCellDeath for a lethal cell).
  void countDeath(const TMan* killer, int32_t weapon);

  uint8_t facing = 0;  // 0 left, 1 right
  bool crouched = false;
  int32_t frags = 0;
  int32_t deaths = 0;    // never reset, like the frags
  int32_t aimAngle = 0;  // degrees from the facing side, positive aims down when facing right
  int32_t health = 0;
  int32_t armor = 0;
  int32_t announceTime = 0;
  int32_t multiKillTime = 0;
  double zoom = 0;
  std::array<int32_t, kAmmoSlots> ammo{};  // ammo[0] is the level 1 .. 5 of weapon 0
  std::array<uint8_t, kAmmoSlots> hasWeapon{};
  int8_t currentWeapon = 0;
  std::string announcement;  // an ImageList picture shown above the fighter; empty for none
  std::string modelName;
  std::string name;  // at most 10 bytes
  int32_t spinUp = 0;
  bool godMode = false;
  bool gone = false;     // left the match (leaveMatch)
  int32_t cooldown = 0;  // alive: until it may fire or switch again; dead: until it respawns
  int32_t talkDelay = 0;
  double cameraX = 0, cameraY = 0;

 private:
  // The model-list picture of a body pose: model + "_Crouch" when crouched + "_L" or "_R".
  static std::string bodyImageName(const std::string& model, bool crouched, uint8_t facing);
  // True when a platform under the sampled cells has its top lip at the pixel row `line`.
  bool platformAt(int64_t line) const;
  void switchWeapon(int32_t step);
  // Tells the match that this fighter's position or box may be about to change.
  void boxMayChange();
  void updateCamera();
  // The aim on the screen, in radians clockwise from the +x axis (y grows downward).
  double aimRadians() const;
};

}  // namespace mv
