// The console's slide, feed, typing and drawing.
#include <chrono>

#include "ConsoleFixture.h"
#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"

namespace mv {
namespace {

using ConsoleSlide = ConsoleFixture;

TEST_F(ConsoleSlide, StartsShutWithTheVersionLineAndResetsMsgTime) {
  GlobalsScope fresh;
  globals().settings.msgTime = 500;
  TConsol c;
  EXPECT_EQ(c.lines, std::vector<std::string>{"Mashvolt 1.1"});
  EXPECT_EQ(c.state, Closed);
  EXPECT_EQ(c.height, 0);
  EXPECT_EQ(globals().settings.msgTime, 0);
}

TEST_F(ConsoleSlide, OpensInThirteenFramesOfSixteenAndShutsTheSameWay) {
  console.keyPress('~');
  EXPECT_EQ(console.state, Opening);
  for (int frame = 1; frame <= 12; ++frame) console.update(16);
  EXPECT_EQ(console.height, 192);
  EXPECT_EQ(console.state, Opening);
  console.update(16);
  EXPECT_EQ(console.height, 200);
  EXPECT_EQ(console.state, Open);

  console.keyPress('`');
  EXPECT_EQ(console.state, Closing);
  console.update(150);
  console.keyPress('~');  // half-way: the slide finishes first
  EXPECT_EQ(console.state, Closing);
  console.update(50);
  EXPECT_EQ(console.height, 0);
  EXPECT_EQ(console.state, Closing);  // only overshooting the end stops it
  console.update(1);
  EXPECT_EQ(console.state, Closed);
  EXPECT_EQ(console.height, 0);
}

TEST_F(ConsoleSlide, FeedLinesExpireOneAtATimeEachAfterItsOwnInterval) {
  console.messages = {"a: 1", "b: 2", "c: 3"};
  console.update(1);  // msgtime 0: the first line goes as soon as any time has passed
  EXPECT_EQ(console.messages.size(), 2u);
  globals().settings.msgTime = 100;
  console.update(60);
  console.update(40);  // exactly 100 is not past it
  EXPECT_EQ(console.messages.size(), 2u);
  console.update(5000);  // a long frame still removes only one
  EXPECT_EQ(console.messages, std::vector<std::string>{"c: 3"});
  console.update(100);
  console.update(1);
  EXPECT_TRUE(console.messages.empty());
  console.update(500);  // an empty feed does not run its timer
  EXPECT_EQ(console.messageTimer, 0);
}

struct OpenConsole : ConsoleFixture {
  OpenConsole() {
    console.toggle();
    console.update(201);
  }
  void type(const std::string& text) {
    for (char c : text) console.keyPress(static_cast<uint8_t>(c));
  }
};

TEST_F(OpenConsole, TypingKeepsControlCharactersButNotBackspaceOrEnter) {
  type("abc\t\x1b\b\r");
  EXPECT_EQ(console.inputLine, "abc\t\x1b");
  console.keyDown(8);
  console.keyDown(8);
  EXPECT_EQ(console.inputLine, "abc");
  console.inputLine.clear();
  console.keyDown(8);  // harmless on an empty line
  EXPECT_EQ(console.inputLine, "");
}

TEST_F(OpenConsole, TheToggleKeysAreNeverTyped) {
  type("a~");
  EXPECT_EQ(console.state, Closing);
  console.update(201);
  type("`");
  console.update(201);
  EXPECT_EQ(console.state, Open);
  type("b");
  EXPECT_EQ(console.inputLine, "ab");
}

TEST_F(OpenConsole, NothingIsTypedWhileTheConsoleIsNotFullyOpen) {
  console.toggle();
  console.update(10);
  type("ver");
  console.keyDown(13);
  EXPECT_EQ(console.inputLine, "");
  EXPECT_EQ(console.lines.size(), 1u);
}

TEST_F(OpenConsole, EnterRunsTheLineAndAnEmptyLineToo) {
  type("ver");
  console.keyDown(13);
  EXPECT_EQ(console.inputLine, "");
  EXPECT_EQ(console.lines, (std::vector<std::string>{"Mashvolt 1.1", "ver", "Mashvolt 1.1"}));
  console.keyDown(13);
  EXPECT_EQ(console.lines.back(), cp("Неизвестная команда."));
  EXPECT_EQ(console.lines[console.lines.size() - 2], "");
}

// The buffer holds replies as often as commands: Up and Down walk only what was typed, newest first,
// whatever the replies and even after "clear".
TEST_F(OpenConsole, UpAndDownWalkTheTypedLinesNewestFirst) {
  for (const char* line : {"echo one", "ver", "", "ver", "clear", "echo two"}) {
    type(line);
    console.keyDown(13);
  }
  type("half");
  const struct {
    uint16_t key;
    const char* line;
  } walk[] = {{38, "echo two"}, {38, "clear"}, {38, "ver"},      {38, "echo one"}, {38, "echo one"},
              {40, "ver"},      {40, "clear"}, {40, "echo two"}, {40, ""},         {40, ""}};
  for (const auto& step : walk) {
    console.keyDown(step.key);
    EXPECT_EQ(console.inputLine, step.line) << "after key " << step.key;
  }
  EXPECT_EQ(console.history, (std::vector<std::string>{"echo one", "ver", "clear", "echo two"}));
}

TEST_F(OpenConsole, KeysOtherThanTheConsolesOwnDoNothing) {
  type("x");
  for (uint16_t key : {27, 37, 39, 65, 0xFFFF}) console.keyDown(key);
  EXPECT_EQ(console.inputLine, "x");
}

// --- drawing ---

constexpr uint16_t kGrey = 0x8410;
constexpr uint16_t kGreen = 0x07E0;

// The main window draws all text with a clear brush.
void clearBrush(TSurface& s) {
  s.canvas().setBrushClear(true);
}

int countColour(const TSurface& s, int top, int bottom, int left, int right, uint16_t colour) {
  int n = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, s.height()); ++y)
    for (int x = left; x < right; ++x) n += s.row(y)[x] == colour;
  return n;
}

TEST_F(OpenConsole, TheBandIsBlackTo200WithTheNewestLinesAndThePromptInGreen) {
  TSurface back(1024, 768);
  clearBrush(back);
  back.fill(kGrey);
  for (int i = 0; i < 40; ++i) console.addLine("buffer line number " + std::to_string(i));
  console.inputLine = "typed";
  console.draw(back);
  EXPECT_EQ(back.row(0)[799], 0);
  EXPECT_EQ(back.row(199)[0], 0);
  EXPECT_EQ(back.row(200)[0], kGrey);
  EXPECT_EQ(back.row(0)[800], kGrey);                           // 800 wide whatever the display
  EXPECT_GT(countColour(back, 185, 200, 10, 200, kGreen), 20);  // the prompt
  EXPECT_GT(countColour(back, 170, 185, 10, 200, kGreen), 20);  // the newest line
  EXPECT_GT(countColour(back, 5, 20, 10, 200, kGreen), 20);     // the twelfth newest
  EXPECT_FALSE(back.canvas().inUse());
}

TEST_F(ConsoleSlide, TheFeedShowsOnlyWhileShutAndOnlyInItsBandAtTheTop) {
  TSurface back(800, 600);
  clearBrush(back);
  back.fill(kGrey);
  console.messages.assign(1, "Bot: hello");
  console.draw(back);  // the glyphs are made once, before the clock runs
  console.messages.assign(1000000, "Bot: hello");
  const auto start = std::chrono::steady_clock::now();
  console.draw(back);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_GT(countColour(back, 0, 12, 60, 200, 0xFFFF), 10);
  EXPECT_GT(countColour(back, 84, 96, 60, 200, 0xFFFF), 0);   // the eighth row
  EXPECT_EQ(countColour(back, 100, 600, 0, 800, 0xFFFF), 0);  // the view below stays clear
  EXPECT_EQ(countColour(back, 0, 600, 0, 60, 0xFFFF), 0);

  back.fill(kGrey);
  console.toggle();
  console.update(50);
  console.draw(back);
  EXPECT_EQ(countColour(back, 50, 600, 0, 800, 0xFFFF), 0);
  EXPECT_EQ(back.row(49)[700], 0);
  EXPECT_EQ(back.row(50)[700], kGrey);
}

}  // namespace
}  // namespace mv
