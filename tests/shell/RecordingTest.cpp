// The recording file: what the recorder writes, what the reader makes of it, and who may replay it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/Version.h"
#include "platform/HeadlessPlatform.h"
#include "shell/record/Recorder.h"
#include "shell/record/Recording.h"
#include "shell/record/ReplayPlatform.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

class RecordingFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("mashvolt-recording-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void write(const std::string& name, const std::string& bytes) {
    fs::create_directories((dir_ / name).parent_path());
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  static std::string header() { return recordingHeader(7, {}); }

  fs::path dir_;
};

// What one poll of the devices gave the game.
struct Seen {
  DeviceState state;
  bool focus;
  int x, y;
};

TEST_F(RecordingFile, EveryPollReadsBackAsTheGameSawIt) {
  auto real = createHeadlessPlatform(16);
  std::vector<Seen> seen;
  {
    Recorder recorder(path("run.txt"), 7, {});
    RecordingPlatform recording(*real, recorder);
    for (int tick = 0; tick < 40; ++tick) {
      recorder.setTick(tick);
      DeviceState s = real->deviceState();
      s.keys[65] = tick >= 3 && tick < 9 ? 0x80 : 0;
      s.keys[17] = tick == 5 ? 0x81 : 0;  // a byte other than 128 is kept as it is
      s.mouseButtons[1] = tick >= 10 && tick < 12 ? 0x80 : 0;
      s.joystickPresent = tick >= 20;
      s.joyAxis = {tick * 1000, 65535 - tick, 0};
      s.joyMax = {65535, 65535, 0};
      s.joyButtons = tick >= 25 ? 0x80000001u : 0;
      s.joyButtonCount = tick >= 20 ? 32 : 0;
      s.pads[1] = tick >= 15 && tick < 35
                      ? PadState{true,
                                 {int16_t(-tick * 1000), 5, 0, -32768, 0, int16_t(tick * 900)},
                                 1u << (tick % 15)}
                      : PadState{};
      real->setDeviceState(s);
      if (tick % 3 == 0) real->moveMouse(tick, -2 * tick, tick == 6 ? 240 : 0);
      real->setPointer(tick / 4, 600 - tick / 4);
      real->setFocus(tick < 30 || tick > 33);  // without the focus a poll reads idle
      recorder.frame(tick % 5 == 0 ? 0 : 16 + tick);
      Seen now{recording.pollDevices(), recording.hasFocus(), 0, 0};
      recording.pointerPosition(now.x, now.y);
      seen.push_back(now);
    }
    recorder.end(40);
  }

  Recording recording = loadRecording(path("run.txt"));
  EXPECT_EQ(recording.seed, 7u);
  EXPECT_EQ(recording.end, 40);
  ReplayPlatform replay(*createHeadlessPlatform(16));
  size_t next = 0;
  for (int tick = 0; tick < 40; ++tick) {
    SCOPED_TRACE(tick);
    int64_t lag = -1;
    for (; next < recording.events.size() && recording.events[next].tick == tick; ++next) {
      if (recording.events[next].kind == ScriptedKind::Lag) lag = recording.events[next].values[0];
      replay.apply(recording.events[next]);
    }
    EXPECT_EQ(lag, tick % 5 == 0 ? 0 : 16 + tick);
    const DeviceState s = replay.pollDevices();
    const Seen& then = seen[static_cast<size_t>(tick)];
    EXPECT_EQ(s.keys, then.state.keys);
    EXPECT_EQ(std::tie(s.mouseX, s.mouseY, s.mouseZ),
              std::tie(then.state.mouseX, then.state.mouseY, then.state.mouseZ));
    EXPECT_EQ(s.mouseButtons, then.state.mouseButtons);
    EXPECT_EQ(s.joystickPresent, then.state.joystickPresent);
    if (s.joystickPresent) {  // without one the game reads nothing else of it
      EXPECT_EQ(s.joyAxis, then.state.joyAxis);
      EXPECT_EQ(s.joyMin, then.state.joyMin);
      EXPECT_EQ(s.joyMax, then.state.joyMax);
      EXPECT_EQ(s.joyButtons, then.state.joyButtons);
      EXPECT_EQ(s.joyButtonCount, then.state.joyButtonCount);
    }
    EXPECT_EQ(s.pads, then.state.pads);
    EXPECT_EQ(replay.hasFocus(), then.focus);
    int x = -1, y = -1;
    replay.pointerPosition(x, y);
    EXPECT_EQ(std::tie(x, y), std::tie(then.x, then.y));
  }
  EXPECT_EQ(next, recording.events.size());
}

TEST_F(RecordingFile, OnlyChangesAreWrittenBesideEveryFramesTime) {
  auto real = createHeadlessPlatform(16);
  {
    Recorder recorder(path("run.txt"), 1, {});
    RecordingPlatform recording(*real, recorder);
    for (int tick = 0; tick < 100; ++tick) {
      recorder.setTick(tick);
      recorder.frame(16);
      recording.pollDevices();
      recording.hasFocus();
      recorder.flush();  // the frame is over
    }
  }
  std::ifstream in(path("run.txt"));
  std::string text{std::istreambuf_iterator<char>(in), {}};
  // Nothing held, nothing moved: the header, then one time per frame and nothing else.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 + 100);
  EXPECT_NE(text.find("\n99 lag 16\n"), std::string::npos);
}

TEST_F(RecordingFile, EventsConsoleLinesAndTheMatchReadBackAsWritten) {
  std::vector<Event> events;
  auto add = [&](EventKind kind, int key = 0, unsigned shift = 0, uint8_t ch = 0, int x = 0, int y = 0) {
    events.push_back(Event{kind, key, shift, ch, x, y});
  };
  add(EventKind::KeyDown, 65, ssShift | ssCtrl);
  add(EventKind::KeyUp, 255);
  add(EventKind::Char, 0, 0, 0xE9);
  add(EventKind::Char, 0, 0, 0);
  add(EventKind::MouseDown, 0, ssRight | ssShift, 0, -3, 599);
  add(EventKind::MouseMove, 0, 0, 0, 799, 0);
  add(EventKind::MouseUp, 0, ssMiddle, 0, 10, 20);
  add(EventKind::MouseUp, 0, ssLeft, 0, 10, 20);
  add(EventKind::WheelUp);
  add(EventKind::WheelDown);
  add(EventKind::FocusLost);
  add(EventKind::FocusGained);
  add(EventKind::Quit);
  const std::string cyrillic = "say \xCF\xF0\xE8\xE2\xE5\xF2!";  // Windows-1251
  {
    Recorder recorder(path("run.txt"), 1, {});
    recorder.match({.level = "my level", .bots = 3, .skill = 100, .hotseat = true});
    recorder.match({.level = "limits", .bots = 0, .skill = 5, .fragLimit = 25, .timeLimit = 0});
    recorder.consoleLine(cyrillic);
    recorder.consoleLine("  two leading spaces and a trailing one ");
    recorder.consoleLine("");
    recorder.setTick(5);
    for (const Event& e : events) recorder.event(e);
    ASSERT_TRUE(recorder.end(6));
  }
  Recording r = loadRecording(path("run.txt"));
  ASSERT_EQ(r.events.size(), 5 + events.size());
  EXPECT_EQ(r.events[0].kind, ScriptedKind::Match);
  EXPECT_EQ(r.events[0].consoleLine, "my level");
  EXPECT_EQ(r.events[0].values, (std::vector<int64_t>{3, 100, 1, -1, -1}));  // no limits: the settings'
  EXPECT_EQ(r.events[1].consoleLine, "limits");
  EXPECT_EQ(r.events[1].values, (std::vector<int64_t>{0, 5, 0, 25, 0}));
  r.events.erase(r.events.begin() + 1);
  EXPECT_EQ(r.events[1].consoleLine, cyrillic);
  EXPECT_EQ(r.events[2].consoleLine, "  two leading spaces and a trailing one ");
  EXPECT_EQ(r.events[3].kind, ScriptedKind::ConsoleLine);
  EXPECT_EQ(r.events[3].consoleLine, "");
  for (size_t i = 0; i < events.size(); ++i) {
    SCOPED_TRACE(formatEvent(events[i]));
    const Event& back = r.events[4 + i].event;
    EXPECT_EQ(r.events[4 + i].tick, 5);
    EXPECT_EQ(back.kind, events[i].kind);
    EXPECT_EQ(back.key, events[i].key);
    EXPECT_EQ(back.ch, events[i].ch);
    EXPECT_EQ(std::tie(back.x, back.y), std::tie(events[i].x, events[i].y));
  }
  // Keys keep their modifiers; a mouse event its button (the window's handlers read nothing else).
  EXPECT_EQ(r.events[4].event.shift, unsigned(ssShift | ssCtrl));
  EXPECT_EQ(r.events[8].event.shift, unsigned(ssRight));
  EXPECT_EQ(r.events[10].event.shift, unsigned(ssMiddle));
}

TEST_F(RecordingFile, AnotherBuildIsRefusedBeforeTheRestIsRead) {
  const std::string later = "version 1.1 build 000000000000\nseed 1\n5 teleport 3 4\n";
  try {
    parseRecording(later, "old.rec");
    FAIL() << "accepted";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              std::string("old.rec was recorded by Mashvolt 1.1 (build 000000000000); this is "
                          "Mashvolt ") +
                  kVersion + " (build " + buildId() +
                  "), which may play it differently, so it is not replayed.");
  }
  std::string otherVersion = header();
  otherVersion.replace(otherVersion.find(std::string("version ") + kVersion),
                       8 + std::string(kVersion).size(), "version 0.9");
  EXPECT_THROW(parseRecording(otherVersion, "x"), Error);
}

TEST_F(RecordingFile, WhatIsNoRecordingSaysSo) {
  for (const char* text :
       {"", "# only a comment\n", "10 keydown 65\n", "seed 1\nversion 1.1 build x\n", "hello\n"}) {
    SCOPED_TRACE(text);
    try {
      parseRecording(text, "keys.txt");
      ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "keys.txt is not a Mashvolt recording");
    }
  }
  EXPECT_THROW(loadRecording(path("none.txt")), Error);
  EXPECT_THROW(loadRecording(dir_.string()), Error);
}

TEST_F(RecordingFile, BrokenLinesAreNamed) {
  const std::string start = recordingHeader(1, {}) + "0 lag 16\n";
  const int firstBody = 5;  // comment, version, seed, lag
  for (const char* bad :
       {"1 hold 256", "1 hold 65 128 3", "1 release 65 0", "1 buttons 1 2 3", "1 joystick",
        "1 joystick axes 1 2 3 min 0 0 0 max 9 9 9 buttons 1 of 33", "1 devicefocus maybe", "1 pointer 1",
        "1 match bots 1 skill 2", "1 match bots 1 skill 101 level x", "1 match bots 1 skill 2 hotseat level",
        "1 match bots 1 skill 2 fraglimit 1000 level x",
        "1 match bots 1 skill 2 timelimit 1 fraglimit 1 level x", "1 end now", "1 lag -1", "seed 2",
        "data 0123456789abcdef late/file", "1 fly"}) {
    SCOPED_TRACE(bad);
    try {
      parseRecording(start + bad + "\n", "rec.txt");
      ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("rec.txt line " + std::to_string(firstBody)), std::string::npos)
          << e.what();
    }
  }
  EXPECT_THROW(
      parseRecording(std::string("version ") + kVersion + " build " + buildId() + "\n0 lag 16\n", "r"), Error)
      << "no seed";
}

TEST_F(RecordingFile, TheEndIsWhereTheRecordingSaysOrAfterItsLastTick) {
  const std::string body = "0 lag 16\n1 lag 16\n2 keydown 65\n3 lag 16\n";
  EXPECT_EQ(parseRecording(header() + body, "r").end, 4);  // cut short: the last tick held is played
  Recording ended = parseRecording(header() + body + "2 end\n", "r");
  EXPECT_EQ(ended.end, 2);
  // The last turn's lines before its frame stay; what lies beyond the end never happened.
  ASSERT_EQ(ended.events.size(), 3u);
  EXPECT_EQ(ended.events.back().event.kind, EventKind::KeyDown);
  EXPECT_EQ(parseRecording(header(), "r").end, 0);
}

TEST_F(RecordingFile, GameDataIsEveryFileOfSystemAndMaps) {
  write("game/SYSTEM/autoexec.cfg", "name Player\n");
  write("game/SYSTEM/sub/more.cfg", "sound 0\n");
  write("game/Maps/my level.lvx", "level");
  write("game/Textures/metal.bmp", "not part of play");
  write("game/scr001.bmp", "neither");
  const std::string game = path("game") + "/";
  std::vector<DataFile> data = fingerprintGameData(game);
  ASSERT_EQ(data.size(), 3u);
  EXPECT_EQ(data[0].name, "Maps/my level.lvx");
  EXPECT_EQ(data[1].name, "SYSTEM/autoexec.cfg");
  EXPECT_EQ(data[2].name, "SYSTEM/sub/more.cfg");
  EXPECT_EQ(data[1].digest.size(), 16u);
  EXPECT_NE(data[1].digest, data[2].digest);
  EXPECT_EQ(fingerprintGameData(game), data);

  // The header carries it, names with spaces included, and the reader gets it back.
  Recording r = parseRecording(recordingHeader(3, data), "r");
  EXPECT_EQ(r.data, data);
  EXPECT_EQ(dataRefusal(r, "r.txt", data), "");

  write("game/SYSTEM/autoexec.cfg", "name Playes\n");
  EXPECT_EQ(
      dataRefusal(r, "r.txt", fingerprintGameData(game)),
      "r.txt was recorded with a different SYSTEM/autoexec.cfg; the match would go differently, so it is not "
      "replayed.");
  write("game/SYSTEM/autoexec.cfg", "name Player\n");
  write("game/Maps/new.lvx", "level");
  EXPECT_EQ(
      dataRefusal(r, "r.txt", fingerprintGameData(game)),
      "r.txt was recorded without Maps/new.lvx; the match would go differently, so it is not replayed.");
  fs::remove(dir_ / "game/Maps/new.lvx");
  fs::remove(dir_ / "game/SYSTEM/sub/more.cfg");
  EXPECT_EQ(dataRefusal(r, "r.txt", fingerprintGameData(game)),
            "r.txt was recorded with SYSTEM/sub/more.cfg, which is missing here; the match would go "
            "differently, so "
            "it is not replayed.");
  EXPECT_TRUE(fingerprintGameData(path("nowhere") + "/").empty());

  // An installed game plays with the player's copies in the config folder: they count in SYSTEM's place,
  // so a recording made in the build's game folder with the same files replays there.
  write("home/autoexec.cfg", "name Player\n");
  write("home/sub/more.cfg", "sound 0\n");
  write("game/SYSTEM/autoexec.cfg", "name Shipped\n");
  EXPECT_EQ(dataRefusal(r, "r.txt", fingerprintGameData(game, path("home") + "/")), "");
}

TEST_F(RecordingFile, ARecordingThatCannotBeCreatedSaysSo) {
  try {
    Recorder recorder(path("no/such/folder/run.txt"), 1, {});
    FAIL() << "created";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + path("no/such/folder/run.txt"));
  }
}

}  // namespace
}  // namespace mv
