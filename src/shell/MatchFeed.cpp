#include "shell/MatchFeed.h"

#include "engine/draw/Surface.h"
#include "game/world/MatchEvents.h"
#include "shell/MatchTexts.h"

namespace mv {

uint32_t fighterColor(const TMan* fighter, const std::array<const TMan*, 2>& people) {
  if (fighter && fighter == people[0]) return colorRef(0, 255, 0);
  if (fighter && fighter == people[1]) return colorRef(255, 0, 0);
  return colorRef(255, 255, 255);
}

void MatchFeed::take(const std::vector<MatchEvent>& events, const std::array<const TMan*, 2>& people) {
  for (const MatchEvent& e : events) {
    for (size_t p = 0; p < people.size(); ++p) {
      if (!people[p] || e.fighter != people[p]) continue;
      if (e.kind == MatchEvent::Kind::Death) deaths_[p] = deathNotice(e);
      const std::string notice = e.kind == MatchEvent::Kind::Pickup ? pickupNotice(e.pickup) : std::string();
      if (!notice.empty()) notices_[p] = {notice, colorRef(255, 255, 0), 0};
    }
    if (e.kind != MatchEvent::Kind::Death) continue;
    // A lethal cell has no killer: the line takes the victim's colour.
    kills_.push_back({killLine(e), fighterColor(e.killer ? e.killer : e.fighter, people), 0});
    if (kills_.size() > kKillLines) kills_.pop_front();
  }
}

void MatchFeed::update(int32_t ms, int32_t lineMs) {
  for (FeedLine& line : kills_) line.age += ms;
  while (!kills_.empty() && kills_.front().age > lineMs) kills_.pop_front();
  for (FeedLine& notice : notices_)
    if (notice.age <= kNoticeMs) notice.age += ms;
}

void MatchFeed::clear() {
  kills_.clear();
  notices_ = {};
  deaths_ = {};
}

const FeedLine* MatchFeed::notice(size_t person) const {
  const FeedLine& n = notices_[person];
  return n.text.empty() || n.age > kNoticeMs ? nullptr : &n;
}

}  // namespace mv
