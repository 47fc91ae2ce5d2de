#pragma once
// A sprite's children in drawing order: ascending z, and among equal z the latest placed first.
//
// One list per z in placing order, walked from the back, in a small map by z (a level uses a handful of
// z values). Placing appends; taking out clears the sprite's slot, and the list is closed up once half
// of it is holes. So placing and freeing stay cheap however many sprites share a z (a level of
// thousands of pick-ups), and drawing reads consecutive pointers instead of chasing tree nodes.

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace mv {

class TSprite;

class TDrawOrder {
 public:
  // Drawn before (under) every sprite already there with its z.
  void place(TSprite* sprite);
  // Found by the z it was placed with; the others keep their order.
  void remove(TSprite* sprite);

  // Visits the sprites in drawing order. Nothing may be placed or removed meanwhile.
  template <class Visit>
  void forEach(Visit&& visit) const {
    for (const auto& entry : groups_) {
      const std::vector<TSprite*>& slots = entry.second.slots;
      for (size_t i = slots.size(); i-- > 0;)
        if (TSprite* sprite = slots[i]) visit(sprite);
    }
  }
  std::vector<TSprite*> list() const;

 private:
  struct Group {
    std::vector<TSprite*> slots;  // placing order; null where a sprite was taken out
    size_t holes = 0;
  };
  static void closeUp(Group& group);

  std::map<int32_t, Group> groups_;
};

}  // namespace mv
