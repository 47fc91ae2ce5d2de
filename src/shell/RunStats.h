#pragma once
// The statistics lines of a long headless run (--stats-every): resident memory, the sprites by kind and
// how long frames took, so a soak can see whether anything piles up.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace mv {

class TSprite;

struct SpriteCensus {
  int32_t all = 0;       // every sprite under the root
  int32_t fighters = 0;  // people and bots, dead or alive
  int32_t items = 0;     // pick-ups placed by the level
  int32_t dropped = 0;   // weapons dropped by the dead, lying until taken
  int32_t blood = 0;     // drops in flight
  int32_t stains = 0;    // drops stuck to a wall, gone half a second later
  int32_t gibs = 0;
  int32_t shots = 0;
  int32_t effects = 0;  // animations and anything else
};

SpriteCensus takeCensus(const TSprite& root);

// Where one frame's time went, in microseconds: the move pass (with the console's update and the
// freeing of the dead; the title's pulse in the menus), the drawing of the back surface, and showing it.
struct FramePhases {
  int64_t move = 0, draw = 0, present = 0;
};

// Marks the phases of a frame as it runs.
class PhaseClock {
 public:
  void start();
  void moved();
  void drawn();
  void presented();
  const FramePhases& last() const { return last_; }

 private:
  int64_t mark_ = 0;
  FramePhases running_, last_;
};

struct FrameTimes {
  int64_t frames = 0;
  int64_t totalMicros = 0;
  int64_t maxMicros = 0;
  std::vector<int64_t> move, draw, present;  // every frame's, for the percentiles
  void add(int64_t micros, const FramePhases& phases = {});
};

// The p-th percentile (0..100) by nearest rank; 0 without samples.
int64_t percentile(std::vector<int64_t> samples, int p);

// "stats tick=... game_s=... rss_kb=... sprites=... fighters=... items=... dropped=... blood=...
// stains=... gibs=... shots=... effects=... frame_ms=... frame_ms_max=... move_ms_p50=... move_ms_p99=...
// move_ms_max=... draw_ms_p50=... draw_ms_p99=... draw_ms_max=... present_ms_p50=... present_ms_p99=...
// present_ms_max=... renderer=...": one line, for scripts. renderer is what showed the frames
// (Platform::presentationName).
std::string statsLine(int64_t tick, int64_t gameMs, int64_t rssKb, const SpriteCensus& census,
                      const FrameTimes& times, const std::string& renderer);

// What a network match adds to the line, so machines' lines can be laid side by side.
struct NetFigures {
  int64_t matchTick = 0;
  uint64_t worldHash = 0;
  int delay = 0;
  int roundTripMs = 0;
  uint64_t sentBytes = 0, receivedBytes = 0;  // since the network play began
  FrameTimes waits;                           // how long frames waited for their bundles
};
// " match_tick=... world_hash=... delay=... rtt_ms=... sent_bytes=... received_bytes=... wait_ms=...
// wait_ms_max=...".
std::string netStatsWords(const NetFigures& figures);

}  // namespace mv
