// A network match in a recording: the start and every tick's bundle written as lines, read back and built
// into the same bundles by a replay; and the lines no recording of this build holds refused.
#include <gtest/gtest.h>

#include "platform/Cp1251.h"
#include "platform/Error.h"
#include "shell/record/NetRecording.h"

namespace mv {
namespace {

std::vector<TimedEvent> readBack(const std::vector<std::string>& words) {
  std::vector<TimedEvent> out;
  for (const std::string& w : words) parseTimedLine("0 " + w, 1, true, "test", out);
  return out;
}

TEST(NetRecording, BundlesReadBackAsTheyWereRun) {
  const StartInfo start{99, "steelcage", 2, 80, 1, 10, 3, {"Host", utf8ToCp1251("Гость Ё"), "C"}, 1};
  NetReplay replay;
  bool begun = false;
  for (const TimedEvent& line : readBack(netMatchWords(start))) begun = replay.startLine(line);
  ASSERT_TRUE(begun);
  EXPECT_EQ(replay.start(), start);

  const std::vector<Bundle> bundles = {
      {0, {{0, {true, HeldFire, {}, 0, {}, {}}}, {1, {}}, {2, {}}}, {}},
      {1, {{0, {true, HeldFire, {{-40, 40}, {13, 5}}, 0, {1, -1}, {"say " + utf8ToCp1251("всем привет")}}},
           {1, {true, HeldJump | HeldMoveLeft, {}, -0.1 * 37, {}, {"name Rover"}}},
           {2, {}}},
       {}},
      {2, {{0, {true, 0, {}, 0, {}, {}}}, {1, {true, HeldJump | HeldMoveLeft, {}, -0.1 * 37, {}, {}}}}, {2}},
      {3, {{0, {false, 0, {}, 0, {-1}, {}}}, {1, {true, HeldZoom, {{999000, 1000}}, 1.0 / 3, {}, {}}}}, {}},
  };
  RecordedPeople last;
  size_t lines = 0;
  for (const Bundle& b : bundles) {
    const std::vector<std::string> words = bundleWords(b, last);
    lines += words.size();
    for (const TimedEvent& line : readBack(words)) replay.personLine(line);
    EXPECT_EQ(replay.take(b.tick), b) << b.tick;
  }
  EXPECT_EQ(lines, 18u);  // held controls, playing and the pad's pull only when they changed
}

TEST(NetRecording, RefusesWhatNoRecordingHolds) {
  for (const char* line : {"0 person 8 held 1", "0 person 0 held 1024", "0 person 0 aim 5 7",
                           "0 person 0 aim 200000000 5", "0 person 0 wheel left", "0 person 0 line godmode 1",
                           "0 person 0 playing maybe", "0 person 0 flies", "0 netname 0 Averylongname",
                           "0 person 0 pad 9218868437227405312",  // an infinite pull
                           "0 netmatch you 0 seed 1 bots 2 skill 3 meatoff 2 fraglimit 0 timelimit 0 level x",
                           "0 netmatch you 9 seed 1 bots 2 skill 3 meatoff 0 fraglimit 0 timelimit 0 level x"}) {
    std::vector<TimedEvent> out;
    EXPECT_THROW(parseTimedLine(line, 1, true, "test", out), Error) << line;
  }
}

}  // namespace
}  // namespace mv
