#pragma once
// The match's fighters ordered by x, for the projectiles and pick-ups that look, in every move pass, for
// the fighters touching them. Each of them used to ask every fighter; a crowd of a hundred made that the
// largest part of their step. The look narrows the list to the fighters whose x lies near enough for the
// cheap box look (TImageSpriteEx::mayCollide) to pass, and hands them over in list order, so whatever
// the caller does with them happens in the same order as before.
//
// The order is taken again at the first look after a fighter may have moved. During a move pass only a
// fighter's own step moves it (TMan marks the index stale there); outside a pass nothing is known, so a
// look outside one goes through the whole list.

#include <cstdint>
#include <vector>

namespace mv {

class TMan;
class TImageSpriteEx;
class TSprite;

class TFighterIndex {
 public:
  void invalidate() { fresh_ = false; }

  // The indices into fighters, ascending, of every fighter that may meet `s` by mayCollide; null when
  // the index cannot tell (outside a move pass, far-off or broken coordinates, fighters of different
  // parents) and every fighter is to be looked at.
  const std::vector<int32_t>* near(const std::vector<TMan*>& fighters, const TImageSpriteEx& s);

 private:
  struct Entry {
    double x;
    int32_t index;
  };
  void rebuild(const std::vector<TMan*>& fighters);

  bool fresh_ = false;
  bool usable_ = false;
  const TSprite* parent_ = nullptr;
  int32_t widest_ = 0;
  std::vector<Entry> byX_;         // fighters with ordinary coordinates, by x
  std::vector<int32_t> anywhere_;  // fighters whose coordinates the box look never turns away
  std::vector<int32_t> found_;
};

}  // namespace mv
