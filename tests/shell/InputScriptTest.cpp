#include "shell/record/InputScript.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace mv {
namespace {

TEST(InputScript, ReadsEachKindOfEventInTickOrder) {
  auto events = parseInputScript(
      "# a comment\n"
      "\n"
      "30 mousedown 400 300\r\n"
      "10 keydown 65 1\n"
      "12 keyup 65\n"
      "20 char 200\n"
      "40 wheelup\n"
      "41 wheeldown\n"
      "50 focus off\n"
      "51 focus on\n"
      "99 quit\n");
  ASSERT_EQ(events.size(), 9u);
  EXPECT_EQ(events[0].tick, 10);
  EXPECT_EQ(events[0].event.kind, EventKind::KeyDown);
  EXPECT_EQ(events[0].event.key, 65);
  EXPECT_EQ(events[0].event.shift, unsigned(ssShift));
  EXPECT_EQ(events[1].event.kind, EventKind::KeyUp);
  EXPECT_EQ(events[2].event.kind, EventKind::Char);
  EXPECT_EQ(events[2].event.ch, 200);
  EXPECT_EQ(events[3].tick, 30);
  EXPECT_EQ(events[3].event.kind, EventKind::MouseDown);
  EXPECT_EQ(events[3].event.x, 400);
  EXPECT_EQ(events[3].event.y, 300);
  EXPECT_EQ(events[4].event.kind, EventKind::WheelUp);
  EXPECT_EQ(events[5].event.kind, EventKind::WheelDown);
  EXPECT_EQ(events[6].event.kind, EventKind::FocusLost);
  EXPECT_EQ(events[7].event.kind, EventKind::FocusGained);
  EXPECT_EQ(events[8].event.kind, EventKind::Quit);
}

TEST(InputScript, TextIsTypedCharacterByCharacterWithItsSpaces) {
  auto events = parseInputScript("5 text say hi\n");
  std::string typed;
  for (const auto& e : events) {
    EXPECT_EQ(e.tick, 5);
    EXPECT_EQ(e.event.kind, EventKind::Char);
    typed += static_cast<char>(e.event.ch);
  }
  EXPECT_EQ(typed, "say hi");
}

TEST(InputScript, ConsoleLinesMouseMovementAndButtons) {
  auto events = parseInputScript(
      "1 console bind A  \"say Привет\"\n"
      "2 mouserel -5 7\n"
      "3 mousedown 10 20 right\n"
      "4 mouseup 10 20 middle\n"
      "5 mousedown 1 2\n");
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].kind, ScriptedKind::ConsoleLine);
  EXPECT_EQ(events[0].consoleLine, "bind A  \"say \xCF\xF0\xE8\xE2\xE5\xF2\"");  // Windows-1251
  EXPECT_EQ(events[1].kind, ScriptedKind::MouseRelative);
  EXPECT_EQ(events[1].values, (std::vector<int64_t>{-5, 7, 0}));
  EXPECT_EQ(events[2].kind, ScriptedKind::PlatformEvent);
  EXPECT_EQ(events[2].event.kind, EventKind::MouseDown);
  EXPECT_EQ(events[2].event.shift, unsigned(ssRight));
  EXPECT_EQ(events[3].event.kind, EventKind::MouseUp);
  EXPECT_EQ(events[3].event.shift, unsigned(ssMiddle));
  EXPECT_EQ(events[4].event.shift, unsigned(ssLeft));
}

TEST(InputScript, NamesTheLineItCannotRead) {
  for (const char* bad : {"x keydown 65", "10 keydown", "10 keydown 256", "10 jump", "10 mousemove 1",
                          "10 focus maybe", "10 char 0", "-1 quit", "10 quit now", "10 mousedown 1 2 thumb",
                          "10 mousemove 1 2 left", "10 mouserel 1", "10 mouserel 1 2 3 4"}) {
    SCOPED_TRACE(bad);
    try {
      parseInputScript(std::string("# first\n") + bad + "\n");
      ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
    }
  }
}

TEST(InputScript, LagsAndWheelTravel) {
  auto events = parseInputScript("7 lag 25\n8 lag 60000\n9 mouserel 1 -2 -120\n");
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, ScriptedKind::Lag);
  EXPECT_EQ(events[0].values, std::vector<int64_t>{25});
  EXPECT_EQ(events[1].values, std::vector<int64_t>{60000});
  EXPECT_EQ(events[2].values, (std::vector<int64_t>{1, -2, -120}));
  // A script asks for what --lag takes; only a recording has frames that took no time.
  for (const char* bad : {"1 lag 0", "1 lag 60001", "1 lag", "1 lag 5 6"})
    EXPECT_THROW(parseInputScript(bad), Error) << bad;
}

TEST(InputScript, WhatOnlyARecordingSaysIsNoScript) {
  // A script drives the devices through events; what a poll saw is a recording's to say.
  for (const char* line : {"1 hold 65", "1 release 65", "1 buttons 0 0 0 0", "1 joystick none", "1 devicefocus on",
                           "1 pointer 1 2", "0 match bots 1 skill 1 level x", "5 end", "1 char 0"}) {
    SCOPED_TRACE(line);
    EXPECT_THROW(parseInputScript(line), Error);
    std::vector<TimedEvent> out;
    EXPECT_NO_THROW(parseTimedLine(line, 1, true, "rec", out));
    EXPECT_EQ(out.size(), 1u);
  }
}

TEST(InputScript, MissingFileGivesTheOpenMessage) {
  EXPECT_THROW(
      {
        try {
          loadInputScript("/nonexistent/keys.txt");
        } catch (const Error& e) {
          EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/keys.txt");
          throw;
        }
      },
      Error);
}

TEST(InputScript, AFolderIsNoScript) {
  EXPECT_THROW(loadInputScript(std::filesystem::temp_directory_path().string()), Error);
}

TEST(InputScript, EmptyCutAndPipeFilesAreToldByName) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("mv-input-files-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  auto errorOf = [](const std::string& path) {
    try {
      loadInputScript(path);
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  const std::string empty = (dir / "empty.txt").string(), cut = (dir / "cut.txt").string();
  std::ofstream(empty).flush();
  EXPECT_TRUE(loadInputScript(empty).empty());
  // Cut in the middle of the second line's event word.
  std::ofstream(cut) << "1 keydown 65\n5 keyd";
  EXPECT_EQ(errorOf(cut), "Input script line 2: cannot understand \"5 keyd\" in " + cut);
  // A pipe with no writer would wait for ever; a device would never end.
  const std::string pipe = (dir / "pipe.txt").string();
  ::mkfifo(pipe.c_str(), 0600);
  EXPECT_EQ(errorOf(pipe), "Cannot open file " + pipe);
  EXPECT_EQ(errorOf("/dev/zero"), "Cannot open file /dev/zero");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace mv
