#include "shell/RunStats.h"

#include <algorithm>

#include "engine/sprite/Sprite.h"
#include "game/combatants/Man.h"
#include "game/combatants/Shot.h"
#include "game/world/Blood.h"
#include "game/world/Gib.h"
#include "game/world/Item.h"
#include "platform/Error.h"
#include "platform/ProcessStats.h"

namespace mv {
namespace {

void count(const TSprite& sprite, SpriteCensus& c) {
  for (const TSprite* s : sprite.children()) {
    ++c.all;
    if (dynamic_cast<const TMan*>(s)) {
      ++c.fighters;
    } else if (auto* item = dynamic_cast<const TItem*>(s)) {
      ++(item->dropped ? c.dropped : c.items);
    } else if (auto* blood = dynamic_cast<const TBlood*>(s)) {
      ++(blood->stuck ? c.stains : c.blood);
    } else if (dynamic_cast<const TGib*>(s)) {
      ++c.gibs;
    } else if (dynamic_cast<const TShot*>(s)) {
      ++c.shots;
    } else {
      ++c.effects;
    }
    count(*s, c);
  }
}

}  // namespace

SpriteCensus takeCensus(const TSprite& root) {
  SpriteCensus c;
  count(root, c);
  return c;
}

void PhaseClock::start() {
  mark_ = wallMicroseconds();
  running_ = {};
}

void PhaseClock::moved() {
  const int64_t now = wallMicroseconds();
  running_.move = now - mark_;
  mark_ = now;
}

void PhaseClock::drawn() {
  const int64_t now = wallMicroseconds();
  running_.draw = now - mark_;
  mark_ = now;
}

void PhaseClock::presented() {
  running_.present = wallMicroseconds() - mark_;
  last_ = running_;
}

void FrameTimes::add(int64_t micros, const FramePhases& phases) {
  ++frames;
  totalMicros += micros;
  maxMicros = std::max(maxMicros, micros);
  move.push_back(phases.move);
  draw.push_back(phases.draw);
  present.push_back(phases.present);
}

int64_t percentile(std::vector<int64_t> samples, int p) {
  if (samples.empty()) return 0;
  // Nearest rank: the smallest sample with at least p percent of them at or below it.
  const size_t rank = std::max<size_t>(1, (samples.size() * static_cast<size_t>(std::clamp(p, 0, 100)) + 99) / 100);
  std::nth_element(samples.begin(), samples.begin() + static_cast<ptrdiff_t>(rank - 1), samples.end());
  return samples[rank - 1];
}

namespace {

std::string phaseFields(const char* name, const std::vector<int64_t>& samples) {
  const int64_t slowest = samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end());
  return format(" %s_ms_p50=%.2f %s_ms_p99=%.2f %s_ms_max=%.2f", name,
                static_cast<double>(percentile(samples, 50)) / 1000, name,
                static_cast<double>(percentile(samples, 99)) / 1000, name, static_cast<double>(slowest) / 1000);
}

}  // namespace

std::string statsLine(int64_t tick, int64_t gameMs, int64_t rssKb, const SpriteCensus& c,
                      const FrameTimes& t, const std::string& renderer) {
  const double average =
      t.frames ? static_cast<double>(t.totalMicros) / static_cast<double>(t.frames) / 1000 : 0;
  return format(
             "stats tick=%lld game_s=%lld rss_kb=%lld sprites=%d fighters=%d items=%d dropped=%d blood=%d "
             "stains=%d gibs=%d shots=%d effects=%d frame_ms=%.2f frame_ms_max=%.2f",
             static_cast<long long>(tick), static_cast<long long>(gameMs / 1000), static_cast<long long>(rssKb),
             c.all, c.fighters, c.items, c.dropped, c.blood, c.stains, c.gibs, c.shots, c.effects, average,
             static_cast<double>(t.maxMicros) / 1000) +
         phaseFields("move", t.move) + phaseFields("draw", t.draw) + phaseFields("present", t.present) +
         " renderer=" + renderer;
}

std::string netStatsWords(const NetFigures& f) {
  const FrameTimes& w = f.waits;
  const double average = w.frames ? static_cast<double>(w.totalMicros) / static_cast<double>(w.frames) / 1000 : 0;
  return format(" match_tick=%lld world_hash=%016llx delay=%d rtt_ms=%d sent_bytes=%llu received_bytes=%llu "
                "wait_ms=%.2f wait_ms_max=%.2f",
                static_cast<long long>(f.matchTick), static_cast<unsigned long long>(f.worldHash), f.delay,
                f.roundTripMs, static_cast<unsigned long long>(f.sentBytes),
                static_cast<unsigned long long>(f.receivedBytes), average, static_cast<double>(w.maxMicros) / 1000);
}

}  // namespace mv
