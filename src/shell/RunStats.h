#pragma once
// The statistics lines of a long headless run (--stats-every): resident memory, the sprites by kind and
// how long frames took, so a soak can see whether anything piles up.

#include <cstdint>
#include <cstdio>
#include <string>

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

struct FrameTimes {
  int64_t frames = 0;
  int64_t totalMicros = 0;
  int64_t maxMicros = 0;
  void add(int64_t micros);
};

// "stats tick=... game_s=... rss_kb=... sprites=... fighters=... items=... dropped=... blood=...
// stains=... gibs=... shots=... effects=... frame_ms=... frame_ms_max=...": one line, for scripts.
std::string statsLine(int64_t tick, int64_t gameMs, int64_t rssKb, const SpriteCensus& census,
                      const FrameTimes& times);

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
