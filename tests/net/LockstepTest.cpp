// The lockstep's parts: this machine's input going out D ticks ahead while D changes, the host's bundles
// in tick order with leaving at an agreed tick, the input delay following the round trip, and the
// comparison of world hashes.
#include <gtest/gtest.h>

#include <limits>

#include "net/BundleAssembler.h"
#include "net/DelayControl.h"
#include "net/DesyncWatch.h"
#include "net/InputSchedule.h"

namespace mv {
namespace {

PersonInput aimed(int32_t amount, uint16_t held = 0) {
  PersonInput in;
  in.playing = true;
  in.held = held;
  in.aim = {{amount, 40}};
  return in;
}

// Whatever D does, every tick gets one frame, in order, and nothing the person did is lost or doubled.
TEST(InputSchedule, EveryTickOneFrameWhateverTheDelayDoes) {
  InputSchedule schedule;
  std::vector<TimedInput> sent = schedule.begin(3);
  const int delays[] = {3, 3, 5, 5, 2, 2, 2, 2, 1, 4, 4};
  int32_t aimed_total = 0;
  for (int64_t t = 0; t < 11; ++t) {
    for (auto& frame : schedule.add(t, aimed(static_cast<int32_t>(t + 1), HeldFire), delays[t])) sent.push_back(frame);
    aimed_total += static_cast<int32_t>(t + 1);
    // Before tick t + 1 runs, its frame has gone out: nothing waits for this machine.
    EXPECT_GE(schedule.nextTick(), t + 2) << t;
  }
  int32_t arrived = 0;
  for (size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i].first, static_cast<int64_t>(i));
    for (const AimChange& c : sent[i].second.aim) arrived += c.amount;
  }
  // The last sample may still wait for the tick it goes with; all before it arrived.
  EXPECT_GE(arrived, aimed_total - 11);
  EXPECT_FALSE(sent[0].second.playing);  // the ticks before the first frame: nothing done yet
  // Ticks put in while D grew hold the controls as held, with no aiming of their own.
  EXPECT_EQ(sent[5].second.held, HeldFire);
  EXPECT_TRUE(sent[5].second.aim.empty());
  // A frame carries no more than a frame may: the rest waits for the next.
  InputSchedule full;
  full.begin(1);
  PersonInput many = aimed(1);
  many.aim.assign(kMaxAimChanges + 3, {1, 40});
  many.lines.assign(kMaxLinesPerTick + 1, "say x");
  EXPECT_EQ(full.add(0, many, 2).size(), 2u);  // D grew to 2: tick 1 and tick 2
  const std::vector<TimedInput> next = full.add(1, PersonInput{}, 1);  // D back to 1: nothing new goes
  EXPECT_TRUE(next.empty());
  const std::vector<TimedInput> then = full.add(2, PersonInput{}, 1);
  ASSERT_EQ(then.size(), 1u);
  EXPECT_EQ(then[0].second.aim.size(), 3u);
  EXPECT_EQ(then[0].second.lines.size(), 1u);
}

// Bundles go out in tick order once every person still in has sent; one who goes leaves at the first
// tick not yet bundled, and later input of theirs no longer counts.
TEST(BundleAssembler, BundlesInOrderAndLeavingAtAnAgreedTick) {
  BundleAssembler host(3);
  for (int64_t t = 0; t < 4; ++t) host.add(0, t, aimed(static_cast<int32_t>(t)));
  host.add(2, 0, aimed(100));
  EXPECT_FALSE(host.next());  // person 1 has sent nothing
  host.add(1, 0, aimed(200));
  host.add(1, 1, aimed(201));
  const std::optional<Bundle> first = host.next();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->tick, 0);
  ASSERT_EQ(first->inputs.size(), 3u);
  for (uint8_t p = 0; p < 3; ++p) EXPECT_EQ(first->inputs[p].first, p);
  EXPECT_EQ(first->inputs[1].second.aim[0].amount, 200);
  EXPECT_FALSE(host.next());  // person 2 is behind

  // Person 1 quits with tick 1 in already; person 2 is silent: neither waits anyone any more.
  host.drop(1);
  EXPECT_FALSE(host.next());
  host.drop(2);
  const std::optional<Bundle> leaving = host.next();
  ASSERT_TRUE(leaving);
  EXPECT_EQ(leaving->tick, 1);
  EXPECT_EQ(leaving->leaving, (std::vector<uint8_t>{1, 2}));
  ASSERT_EQ(leaving->inputs.size(), 1u);
  EXPECT_EQ(leaving->inputs[0].second.aim[0].amount, 1);
  host.add(1, 2, aimed(300));  // after the goodbye: ignored
  const std::optional<Bundle> alone = host.next();
  ASSERT_TRUE(alone);
  EXPECT_TRUE(alone->leaving.empty());
  EXPECT_EQ(alone->inputs.size(), 1u);
  EXPECT_FALSE(host.present(1));

  // Out of order, or too far ahead, is no input of this build.
  BundleAssembler strict(2);
  EXPECT_THROW(strict.add(1, 1, {}), MalformedPacket);
  EXPECT_THROW(strict.add(2, 0, {}), MalformedPacket);
  for (int64_t t = 0; t < static_cast<int64_t>(BundleAssembler::kMaxLead); ++t) strict.add(1, t, {});
  EXPECT_THROW(strict.add(1, BundleAssembler::kMaxLead, {}), MalformedPacket);
}

// The delay covers a steady round trip with a tick to spare, grows at once when the trip grows, and
// comes down a tick at a time after a run of calm measurements.
TEST(DelayControl, FollowsTheRoundTrip) {
  struct Case {
    double roundTrip;
    int delay;  // once the measurements have settled
  };
  const Case cases[] = {{0, 1}, {10, 2}, {20, 3}, {100, 8}, {300, 20}, {20000, DelayControl::kMaxDelay}};
  for (const Case& c : cases) {
    DelayControl d;
    EXPECT_EQ(d.delay(), DelayControl::kStartDelay);
    for (int i = 0; i < 300; ++i) d.measured(c.roundTrip);
    EXPECT_EQ(d.delay(), c.delay) << c.roundTrip;
  }

  DelayControl d;
  for (int i = 0; i < 300; ++i) d.measured(16);
  const int calm = d.delay();
  d.measured(400);  // one spike: up at once
  const int raised = d.delay();
  EXPECT_GT(raised, calm + 3);
  // Down a tick only after a run of calm measurements, never all at once.
  for (int i = 0; i < DelayControl::kCalmSamples - 1; ++i) d.measured(16);
  EXPECT_EQ(d.delay(), raised);
  int previous = raised, steps = 0;
  for (int i = 0; i < 1000; ++i) {
    d.measured(16);
    EXPECT_GE(d.delay(), previous - 1);
    steps += d.delay() < previous;
    previous = d.delay();
  }
  EXPECT_EQ(d.delay(), calm);
  EXPECT_EQ(steps, raised - calm);
  // Nonsense is not measured.
  d.measured(-5);
  d.measured(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(d.delay(), calm);
}

TEST(DesyncWatch, ComparesWhicheverSideReportsFirst) {
  DesyncWatch w;
  EXPECT_FALSE(w.other(60, 1));  // reported before the host got there
  EXPECT_FALSE(w.own(60, 1));
  EXPECT_EQ(w.own(120, 2), std::nullopt);
  EXPECT_EQ(w.other(120, 3), 120);  // reported after, and different
  EXPECT_FALSE(w.other(180, 4));
  EXPECT_EQ(w.own(180, 5), 180);
}

}  // namespace
}  // namespace mv
