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
    parent->insertIntoDrawList(this);
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

void TSprite::insertIntoDrawList(TSprite* child) {
  // The first sibling whose z is not below the new one: equal z goes in front, so the newest is drawn
  // first. Comparing instead of subtracting keeps extreme z values in order.
  auto at = std::lower_bound(drawList_.begin(), drawList_.end(), child->z_,
                             [](const TSprite* s, int32_t z) { return s->z_ < z; });
  drawList_.insert(at, child);
}

void TSprite::removeChild(TSprite* child) {
  eraseFromBack(children_, child);
  auto it = std::lower_bound(drawList_.begin(), drawList_.end(), child->z_,
                             [](const TSprite* s, int32_t z) { return s->z_ < z; });
  it = std::find(it, drawList_.end(), child);
  if (it != drawList_.end()) drawList_.erase(it);
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
    auto& list = parent->drawList_;
    auto it = std::lower_bound(list.begin(), list.end(), z_,
                               [](const TSprite* s, int32_t key) { return s->z_ < key; });
    it = std::find(it, list.end(), this);
    if (it != list.end()) list.erase(it);
    z_ = z;
    parent->insertIntoDrawList(this);
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
  const size_t n = drawList_.size();
  for (size_t i = 0; i < n && i < drawList_.size(); ++i) drawList_[i]->draw();
}

void TSprite::kill() {
  if (!engine || killed_) return;
  killed_ = true;
  engine->deadList_.push_back(this);
}

}  // namespace mv
