#pragma once
// The host's side of the lockstep: every person's input, tick by tick, gathered into the bundle of each
// tick, which goes out once everyone still in the match has sent theirs. A person who goes (quits, falls
// silent, sends nonsense) leaves at the first tick not yet bundled, the same tick on every machine;
// what they sent for later ticks is forgotten, and nobody waits for them again.

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "net/Messages.h"

namespace mv {

class BundleAssembler {
 public:
  // How far ahead of the next bundle a person's input may run: more than any input delay.
  static constexpr size_t kMaxLead = 128;

  explicit BundleAssembler(size_t people);

  // Throws MalformedPacket when the tick is not the person's next one, or runs too far ahead.
  void add(uint8_t person, int64_t tick, PersonInput input);
  // The person leaves at the next bundle made.
  void drop(uint8_t person);
  // The next bundle, once it can be made.
  std::optional<Bundle> next();

  int64_t nextTick() const { return next_; }
  size_t people() const { return people_.size(); }
  // Still in the match, leaving announced or not.
  bool present(uint8_t person) const;

 private:
  struct Person {
    std::deque<PersonInput> inputs;  // from the next bundle's tick on
    bool leaving = false;
    bool gone = false;
  };
  std::vector<Person> people_;
  int64_t next_ = 0;
};

}  // namespace mv
