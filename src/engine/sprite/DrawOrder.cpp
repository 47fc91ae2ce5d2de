#include "engine/sprite/DrawOrder.h"

#include "engine/sprite/Sprite.h"

namespace mv {
namespace {

// Emptied lists are kept for reuse (a sprite is made at z 0 and moved to its own z at once), unless the
// children have used this many z values.
constexpr size_t kKeptGroups = 16;

}  // namespace

void TDrawOrder::place(TSprite* sprite) {
  Group& group = groups_[sprite->z_];
  sprite->drawSlot_ = group.slots.size();
  group.slots.push_back(sprite);
}

void TDrawOrder::remove(TSprite* sprite) {
  const auto found = groups_.find(sprite->z_);
  if (found == groups_.end()) return;
  Group& group = found->second;
  const size_t slot = sprite->drawSlot_;
  if (slot >= group.slots.size() || group.slots[slot] != sprite) return;
  group.slots[slot] = nullptr;
  ++group.holes;
  while (!group.slots.empty() && !group.slots.back()) {
    group.slots.pop_back();
    --group.holes;
  }
  if (group.slots.empty()) {
    if (groups_.size() > kKeptGroups) groups_.erase(found);
  } else if (group.holes * 2 > group.slots.size()) {
    closeUp(group);
  }
}

void TDrawOrder::closeUp(Group& group) {
  size_t kept = 0;
  for (TSprite* sprite : group.slots) {
    if (!sprite) continue;
    sprite->drawSlot_ = kept;
    group.slots[kept++] = sprite;
  }
  group.slots.resize(kept);
  group.holes = 0;
}

std::vector<TSprite*> TDrawOrder::list() const {
  std::vector<TSprite*> out;
  forEach([&](TSprite* sprite) { out.push_back(sprite); });
  return out;
}

}  // namespace mv
