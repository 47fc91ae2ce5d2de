// Which console lines of a network match travel, stay, or are refused; and that only chat and names
// run when they come from another machine.
#include <gtest/gtest.h>

#include "net/LinePolicy.h"

namespace mv {
namespace {

TEST(LinePolicy, OnlyChatAndNamesTravelAndTheWorldsSettingsAreTheHosts) {
  struct Case {
    const char* line;
    LineRoute route;
  };
  const Case cases[] = {
      {"say hello", LineRoute::Travel},     {"SAY hello", LineRoute::Travel},
      {"say", LineRoute::Travel},           {"name Bob", LineRoute::Travel},
      {"name", LineRoute::Here},            {"name ", LineRoute::Here},  // a question, answered here
      {"godmode 1", LineRoute::Refused},    {"godmode", LineRoute::Refused},
      {"meatoff 1", LineRoute::Refused},    {"fraglimit 10", LineRoute::Refused},
      {"timelimit 3", LineRoute::Refused},  {"classic 1", LineRoute::Refused},
      {"bind A \"FIRE\"", LineRoute::Here}, {"sensivity 20", LineRoute::Here},
      {"exec my.cfg", LineRoute::Here},     {"screenshot", LineRoute::Here},
      {"sound 0", LineRoute::Here},         {"dump x.txt", LineRoute::Here},
      {"quit", LineRoute::Here},            {"sayhello", LineRoute::Here},
  };
  for (const Case& c : cases) EXPECT_EQ(routeLine(c.line), c.route) << c.line;

  for (const char* line : {"say hi", "Name Bob", "say", "say " "\xcf\xf0\xe8\xe2\xe5\xf2"})
    EXPECT_TRUE(sharedLine(line)) << line;
  for (const char* line : {"", "godmode 1", "exec x", "bind A \"SAY HI\"", "say a\rexit", "quit", "sayhi"})
    EXPECT_FALSE(sharedLine(line)) << line;
  EXPECT_FALSE(sharedLine("say " + std::string(kMaxLineLength, 'a')));
  // What this machine sends is cut and cleaned so that the other side takes it.
  EXPECT_TRUE(sharedLine(travellingLine("say a\tb\nc" + std::string(300, 'x'))));
}

}  // namespace
}  // namespace mv
