#pragma once
// The sprite tree: every moving or animated thing of a match hangs under one TSpriteEngine root.
//
// Ownership: a sprite is created attached to its parent and the parent owns it from then on, so game
// code writes `new TAnim(engine)` (or `new TShot(engine, ...)`) and keeps the result only as a
// non-owning pointer. Nobody deletes a sprite during a pass: call kill() and the engine frees it after
// the move pass (TSpriteEngine::freeKilled). Deleting a sprite outside the passes is allowed and takes
// its whole subtree with it. A sprite with a parent lives on the stack or as a member only when it is
// sure to go before its parent (a test's locals declared after their root).

#include <cstdint>
#include <vector>

#include "engine/draw/Geometry.h"
#include "engine/sprite/DrawOrder.h"
#include "platform/Error.h"

namespace mv {

class TSpriteEngine;

class ESpriteError : public Error {
 public:
  using Error::Error;
};

class TSprite {
 public:
  // Attaches to parent (none makes a root). The new sprite goes in front of every sibling whose z is
  // greater than or equal to its own, so among equal z the newest is drawn first, under the others.
  explicit TSprite(TSprite* parent);
  virtual ~TSprite();
  TSprite(const TSprite&) = delete;
  TSprite& operator=(const TSprite&) = delete;

  // No engine pass calls this; game classes may use it for their own pairwise checks.
  virtual void onCollision(TSprite& other, bool& done) {}
  virtual void drawSelf() {}
  virtual void moveSelf(int moveCount) {}
  virtual TRect getBoundsRect() const;
  virtual bool testCollision(TSprite& other) { return true; }
  // What another sprite's box test meets: these bounds, or an image sprite's own box. A virtual call
  // rather than a type test, as a crowded level runs thousands of box tests in every pass.
  virtual TRect collisionRect() const { return getBoundsRect(); }

  // The recursive passes. A sprite that is not movable stops the move pass for its subtree; one that
  // is not visible stops the draw pass for its subtree.
  void move(int moveCount);
  void draw();

  // Queues the sprite for destruction by the next freeKilled; until then it still moves and draws.
  void kill();
  // Destroys every child, the last one first.
  void clear();

  int32_t count() const { return static_cast<int32_t>(children_.size()); }
  // The i-th child in insertion order; throws ESpriteError when out of range.
  TSprite* item(int32_t i) const;
  const std::vector<TSprite*>& children() const { return children_; }
  // The children in drawing order (ascending z).
  std::vector<TSprite*> drawList() const { return drawOrder_.list(); }

  double worldX() const;
  double worldY() const;

  int32_t z() const { return z_; }
  void setZ(int32_t z);
  bool killed() const { return killed_; }

  // The root of the tree this sprite lives in; none for a root itself.
  TSpriteEngine* const engine;
  TSprite* const parent;

  bool collidable = true;  // no engine pass reads it; kept for the game's own use
  bool movable = true;
  bool visible = true;
  double x = 0, y = 0;  // relative to the parent, pixels, y downward
  int32_t width = 0, height = 0;

 private:
  friend class TDrawOrder;

  void removeChild(TSprite* child);

  std::vector<TSprite*> children_;  // owned, insertion order
  TDrawOrder drawOrder_;            // the same children in drawing order
  size_t drawSlot_ = 0;             // where this sprite stands in its parent's draw order
  int32_t z_ = 0;
  bool killed_ = false;
};

}  // namespace mv
