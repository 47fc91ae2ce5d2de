#pragma once
// This machine's input goes out for tick T + D, D ticks ahead of the tick it is taken in, so that it can
// reach every machine before that tick runs. Every tick gets exactly one frame: when D grows, the ticks
// in between get the controls as they are held now; when it shrinks, the tick's sample waits and goes
// out with the next one, so nothing the person did is lost.

#include <cstdint>
#include <utility>
#include <vector>

#include "game/combatants/PersonInput.h"

namespace mv {

using TimedInput = std::pair<int64_t, PersonInput>;

class InputSchedule {
 public:
  // Ticks 0 .. delay - 1, sent before the first frame: the person has done nothing yet.
  std::vector<TimedInput> begin(int delay);
  // The sample taken in the frame of `tick`: the frames that go out now, in tick order.
  std::vector<TimedInput> add(int64_t tick, const PersonInput& sample, int delay);
  // The first tick no frame went out for.
  int64_t nextTick() const { return next_; }

 private:
  // What is held now (controls, the pad's pull), with nothing that happens once.
  PersonInput held() const;
  // The waiting sample as one frame, within what a frame carries; the rest waits for the next.
  PersonInput takeFrame();

  int64_t next_ = 0;
  PersonInput pending_;
};

}  // namespace mv
