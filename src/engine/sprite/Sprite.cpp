#include "engine/sprite/Sprite.h"

#include <algorithm>
#include <cmath>

#include "engine/sprite/SpriteEngine.h"
#include "engine/sprite/SpriteMath.h"

namespace mv {

namespace {

TSpriteEngine* engineFor(TSprite* parent) {
  if (!parent) return nullptr;
  if (auto* root = dynamic_cast<TSpriteEngine*>(parent)) return root;
  return parent->engine;
}

// Removes one pointer, looking from the back: freeKilled and clear both destroy the last entries first.
void eraseFromBack(std::vector<TSprite*>& list, TSprite* sprite) {
  auto it = std::find(list.rbegin(), list.rend(), sprite);
  if (it != list.rend()) list.erase(std::next(it).base());
}

}  // namespace

TSprite::TSprite(TSprite* parent) : engine(engineFor(parent)), parent(parent) {
  if (parent) {
    parent->children_.push_back(this);
    parent->drawOrder_.place(this);
  }
  if (engine) ++engine->allCount_;
}

TSprite::~TSprite() {
  clear();
  if (parent) {
    if (engine) {
      --engine->allCount_;
      if (killed_) eraseFromBack(engine->deadList_, this);
    }
    parent->removeChild(this);
  }
}

void TSprite::removeChild(TSprite* child) {
  eraseFromBack(children_, child);
  drawOrder_.remove(child);
}

void TSprite::clear() {
  // Each child's destructor takes it out of both lists.
  while (!children_.empty()) delete children_.back();
}

TSprite* TSprite::item(int32_t i) const {
  if (children_.empty()) throw ESpriteError(format("Index of the list exceeds the range. (%d)", i));
  if (i < 0 || i >= count()) throw Error(format("List index out of bounds (%d)", i));
  return children_[static_cast<size_t>(i)];
}

double TSprite::worldX() const {
  return parent ? x + parent->worldX() : x;
}
double TSprite::worldY() const {
  return parent ? y + parent->worldY() : y;
}

TRect TSprite::getBoundsRect() const {
  return boundsRect(truncPixel(worldX()), truncPixel(worldY()), width, height);
}

void TSprite::setZ(int32_t z) {
  if (z == z_) return;
  if (parent) {
    parent->drawOrder_.remove(this);  // found by the z it was placed with
    z_ = z;
    parent->drawOrder_.place(this);
  } else {
    z_ = z;
  }
}

void TSprite::move(int moveCount) {
  if (!movable) return;
  moveSelf(moveCount);
  // Children added during the pass wait for the next one. The second bound only matters if game code
  // broke the rule and destroyed siblings mid-pass.
  const size_t n = children_.size();
  for (size_t i = 0; i < n && i < children_.size(); ++i) children_[i]->move(moveCount);
}

void TSprite::draw() {
  if (!visible) return;
  if (engine && meets(getBoundsRect(), engine->surfaceRect_)) {
    drawSelf();
    ++engine->drawCount_;
  }
  // Nothing joins or leaves the tree while it is drawn.
  drawOrder_.forEach([](TSprite* child) { child->draw(); });
}

void TSprite::kill() {
  if (!engine || killed_) return;
  killed_ = true;
  engine->deadList_.push_back(this);
}

}  // namespace mv
