// The interpreter: whose line it is, every command's replies, values and ranges.
#include "ConsoleFixture.h"
#include "game/console/Additions.h"

namespace mv {
namespace {

using Commands = ConsoleFixture;
using Lines = std::vector<std::string>;

TEST_F(Commands, UnknownWordsAreHandledByNoOneAndOnlyTheWordIsLowerCased) {
  EXPECT_EQ(typed("fly"), Lines{cp("Неизвестная команда.")});
  EXPECT_EQ(typed("  ver"), Lines{cp("Неизвестная команда.")});
  EXPECT_EQ(typed("VeR"), Lines{"Mashvolt 1.1"});
  EXPECT_EQ(typed("ECHO MiXeD"), Lines{"MiXeD"});
  // Only ASCII letters change case: a Cyrillic command word stays what it is and matches nothing.
  EXPECT_EQ(typed(cp("ВЕР")), Lines{cp("Неизвестная команда.")});
  EXPECT_EQ(typed(cp("echo Привет, МИР")), Lines{cp("Привет, МИР")});
  // Scripts, bots and keys: a handled line is not echoed, an unknown one is, with its complaint.
  console.lines.clear();
  console.runLine("ver", nullptr);
  console.runLine("fly", nullptr);
  EXPECT_EQ(console.lines, (Lines{"Mashvolt 1.1", "fly", cp("Неизвестная команда.")}));
}

TEST_F(Commands, UsageLinesForCommandsThatNeedAnArgument) {
  EXPECT_EQ(typed("exec"), Lines{cp("exec [имя файла]")});
  EXPECT_EQ(typed("echo "), Lines{cp("echo [фраза]")});  // an empty argument is none
  EXPECT_EQ(typed("screenmode"), Lines{cp("screenmode [значение] (0-640x480,1-800x600,2-1024x768)")});
  EXPECT_EQ(typed("dump"), Lines{cp("dump [имя файла]")});
  joinPlayer(1);
  EXPECT_EQ(typed("bind"), Lines{cp("bind [клавиша] \"[команда]\"")});
}

TEST_F(Commands, ArgumentsAreVerbatimAndAtMostAHundredCharacters) {
  EXPECT_EQ(typed("echo  two  spaces "), Lines{" two  spaces "});
  const std::string longText(150, 'x');
  EXPECT_EQ(typed("echo " + longText), Lines{std::string(100, 'x')});
}

TEST_F(Commands, GlobalFlagsQueryAndSet) {
  const std::pair<const char*, uint8_t Settings::*> flags[] = {{"sound", &Settings::soundOn},
                                                               {"drawfps", &Settings::drawFps},
                                                               {"meatoff", &Settings::meatOff},
                                                               {"quality", &Settings::quality}};
  for (const auto& [name, field] : flags) {
    SCOPED_TRACE(name);
    const std::string word = name;
    EXPECT_EQ(typed(word), Lines{"\"" + word + "\" = \"0\" (0,1)"});
    EXPECT_EQ(typed(word + " 1"), Lines{});
    EXPECT_EQ(globals().settings.*field, 1);
    EXPECT_EQ(typed(word + " 2"), Lines{cp("Неверное значение.")});
    EXPECT_EQ(typed(word + " on"), Lines{cp("Неверный формат.")});
    EXPECT_EQ(globals().settings.*field, 1);
    EXPECT_EQ(typed(word), Lines{"\"" + word + "\" = \"1\" (0,1)"});
  }
}

TEST_F(Commands, AdditionSettingsAnswerInTheSettingsFormAndClassicTurnsThemAllOff) {
  // A fresh game is the classic one; the defaults come with "classic 0".
  EXPECT_EQ(typed("killfeed"), Lines{"\"killfeed\" = \"0\" (0,1)"});
  EXPECT_EQ(typed("classic 0"), Lines{});
  for (const AdditionSetting& s : additionSettings()) {
    SCOPED_TRACE(s.name);
    const std::string word = s.name;
    const std::string close = s.maximum == 1 ? "\" (0,1)" : "\" (0-" + std::to_string(s.maximum) + ")";
    EXPECT_EQ(typed(word), Lines{"\"" + word + "\" = \"" + std::to_string(s.defaultValue) + close});
    EXPECT_EQ(typed(word + " " + std::to_string(s.maximum + 1)), Lines{cp("Неверное значение.")});
    EXPECT_EQ(typed(word + " -1"), Lines{cp("Неверное значение.")});
    EXPECT_EQ(typed(word + " x"), Lines{cp("Неверный формат.")});
    EXPECT_EQ(typed(word + " " + std::to_string(s.maximum)), Lines{});
    EXPECT_EQ(globals().settings.*s.field, s.maximum);
  }
  EXPECT_EQ(typed("classic 2"), Lines{cp("Неверное значение.")});
  EXPECT_EQ(globals().settings.killFeed, 1);  // a refused value changes nothing
  EXPECT_EQ(typed("CLASSIC 1"), Lines{});
  for (const AdditionSetting& s : additionSettings()) EXPECT_EQ(globals().settings.*s.field, 0) << s.name;
  EXPECT_EQ(typed("classic"), Lines{"\"classic\" = \"1\" (0,1)"});
  typed("classic 0");
  for (const AdditionSetting& s : additionSettings()) EXPECT_EQ(globals().settings.*s.field, s.defaultValue) << s.name;
}

TEST_F(Commands, NumbersAreSignAndDigitsOnlyAndNeverWrap) {
  EXPECT_EQ(typed("msgtime"), Lines{"\"msgtime\" = \"0\" (1-10000)"});
  const std::pair<const char*, const char*> refused[] = {{"0", "Неверное значение."},
                                                         {"10001", "Неверное значение."},
                                                         {"-2147483648", "Неверное значение."},
                                                         {"4294967297", "Неверный формат."},
                                                         {"99999999999999999999", "Неверный формат."},
                                                         {" 5", "Неверный формат."},
                                                         {"5 ", "Неверный формат."},
                                                         {"$10", "Неверный формат."},
                                                         {"0x10", "Неверный формат."},
                                                         {"+", "Неверный формат."},
                                                         {"1e3", "Неверный формат."},
                                                         {"--5", "Неверный формат."}};
  for (const auto& [value, reply] : refused) {
    SCOPED_TRACE(value);
    EXPECT_EQ(typed(std::string("msgtime ") + value), Lines{cp(reply)});
    EXPECT_EQ(globals().settings.msgTime, 0);
  }
  typed("msgtime +10000");
  EXPECT_EQ(globals().settings.msgTime, 10000);
  typed("msgtime 0001");
  EXPECT_EQ(globals().settings.msgTime, 1);
}

TEST_F(Commands, JoystickDeadZonesLiveWithTheShell) {
  EXPECT_EQ(typed("joydeadx"), Lines{"\"joydeadx\" = \"10\" (0-999)"});
  typed("joydeadx 0");
  typed("joydeady 999");
  EXPECT_EQ(typed("joydeady 1000"), Lines{cp("Неверное значение.")});
  EXPECT_EQ(shell.deadZones[0], 0);
  EXPECT_EQ(shell.deadZones[1], 999);
  EXPECT_EQ(typed("joydeady"), Lines{"\"joydeady\" = \"999\" (0-999)"});
}

TEST_F(Commands, AFightersOwnSettings) {
  TPlayer& p = joinPlayer(1);
  EXPECT_EQ(typed("godmode"), Lines{"\"Godmode\" = \"0\" (0,1)"});
  EXPECT_EQ(typed("GodMode 1"), Lines{});
  EXPECT_TRUE(p.godMode);
  EXPECT_EQ(typed("godmode 2"), Lines{cp("Неверное значение.")});
  EXPECT_EQ(typed("godmode x"), Lines{cp("Неверный формат.")});
  EXPECT_TRUE(p.godMode);

  EXPECT_EQ(typed("name"), Lines{cp("\"name\" = \"\" (строка)")});
  typed("name Abcdefghi and more");
  EXPECT_EQ(p.name, "Abcdefghi ");
  typed(cp("name Соперник-чемпион"));  // ten bytes of Windows-1251, ten letters
  EXPECT_EQ(p.name, cp("Соперник-ч"));
  EXPECT_EQ(typed("name"), Lines{cp("\"name\" = \"Соперник-ч\" (строка)")});

  EXPECT_EQ(typed("sensivity"), Lines{"\"sensivity\" = \"0\" (1-999)"});
  EXPECT_EQ(typed("sensivity 0"), Lines{cp("Неверное значение.")});
  EXPECT_EQ(typed("sensivity 4294967297"), Lines{cp("Неверный формат.")});
  EXPECT_EQ(p.sensivity, 0);
  typed("sensivity 999");
  EXPECT_EQ(p.sensivity, 999);

  EXPECT_EQ(typed("looktype"), Lines{cp("\"looktype\" = \"0\" (0-мышь,1-джойстик,2-клавиатура)")});
  EXPECT_EQ(typed("looktype -1"), Lines{cp("Неверное значение.")});
  EXPECT_EQ(typed("looktype 3"), Lines{cp("Неверное значение.")});
  typed("looktype 2");
  EXPECT_EQ(p.lookType, 2);
}

TEST_F(Commands, ThePrefixP2AddressesTheSecondPlayerOnly) {
  TPlayer& one = joinPlayer(1);
  EXPECT_EQ(typed("p2godmode 1"), Lines{});  // no second player: handled, silent
  EXPECT_FALSE(one.godMode);
  EXPECT_EQ(typed("p2 godmode 1"), Lines{});  // still "p2" first: nobody to act on
  TPlayer& two = joinPlayer(2);
  EXPECT_EQ(typed("p2 godmode 1"), Lines{cp("Неизвестная команда.")});
  typed("p2godmode 1");
  typed("p2name Second");
  EXPECT_TRUE(two.godMode);
  EXPECT_EQ(two.name, "Second");
  EXPECT_FALSE(one.godMode);
  EXPECT_EQ(typed("P2godmode 1"), Lines{cp("Неизвестная команда.")});  // the prefix is case-sensitive
  // A fighter's own line takes "p2" as part of the word.
  console.lines.clear();
  console.runLine("p2godmode 0", &one);
  EXPECT_EQ(console.lines, (Lines{"p2godmode 0", cp("Неизвестная команда.")}));
  EXPECT_TRUE(two.godMode);
}

TEST_F(Commands, PlayerCommandsOutsideAMatchDoNothingAndSayNothing) {
  for (const char* line : {"say hi", "godmode 1", "godmode", "name X", "name", "sensivity 5", "sensivity",
                           "looktype 1", "looktype", "bind A \"JUMP\"", "bind"}) {
    SCOPED_TRACE(line);
    EXPECT_EQ(typed(line), Lines{});
  }
  EXPECT_TRUE(console.messages.empty());
  // A bot has no person's settings either.
  TMan bot(&root);
  console.runLine("sensivity 5", &bot);
  console.runLine("bind A \"JUMP\"", &bot);
  EXPECT_EQ(console.lines.back(), "bind");
}

TEST_F(Commands, SayFeedsOnceEveryTwoSeconds) {
  TPlayer& p = joinPlayer(1);
  p.name = "Ivan";
  typed("say hi there");
  typed("say again");
  EXPECT_EQ(console.messages, Lines{"Ivan: hi there"});
  EXPECT_EQ(p.talkDelay, 2000);
  TMan bot(&root);
  bot.name = "Bot";
  console.runLine("say hi", &bot);
  EXPECT_EQ(console.messages, (Lines{"Ivan: hi there", "Bot: hi"}));
  // With nothing to say there is no line, and the next one is not held back.
  for (const char* empty : {"say", "say ", "say   "}) {
    bot.talkDelay = 0;
    console.runLine(empty, &bot);
    EXPECT_EQ(bot.talkDelay, 0) << empty;
  }
  EXPECT_EQ(console.messages.size(), 2u);
}

// In a network match the gate sees every line of this machine's person, typed or bound, and may take it;
// bots' lines, and the lines every machine runs together, pass it by.
TEST_F(Commands, TheNetworkGateSeesThePersonsLinesOnly) {
  TPlayer& p = joinPlayer(1);
  p.name = "Ivan";
  globals().settings.soundOn = 1;
  Lines gated;
  console.lineGate = [&](const std::string& line) {
    gated.push_back(line);
    return line.rfind("say", 0) == 0 || line.rfind("SAY", 0) == 0;
  };
  typed("say hi");
  console.runLine("SAY BOUND", &p);
  typed("p2say nobody");  // meant for a second player, who is not here
  TMan bot(&root);
  bot.name = "Bot";
  console.runLine("say taunt", &bot);
  console.runShared(&p, "say together");
  typed("sound 0");
  EXPECT_EQ(gated, (Lines{"say hi", "SAY BOUND", "sound 0"}));
  EXPECT_EQ(console.messages, (Lines{"Bot: taunt", "Ivan: together"}));
  EXPECT_EQ(globals().settings.soundOn, 0);
}

TEST_F(Commands, TheFeedKeepsTheNewestLinesOfItsBandAtTheTop) {
  // A hundred bots taunt far faster than one line per msgtime expires; the feed must not grow down over
  // the view.
  TMan bot(&root);
  bot.name = "Bot";
  for (size_t i = 0; i < 100; ++i) {
    bot.talkDelay = 0;
    console.runLine("say " + std::to_string(i), &bot);
  }
  ASSERT_EQ(console.messages.size(), TConsol::kMaxMessages);
  EXPECT_EQ(console.messages.front(), "Bot: 92");
  EXPECT_EQ(console.messages.back(), "Bot: 99");
  EXPECT_EQ(TConsol::kMaxMessages * 12, 96u);  // rows of the feed: a band at the top
}

TEST_F(Commands, ScreenAndProgramCommandsGoToTheShell) {
  typed("screenmode 15");
  EXPECT_EQ(shell.displaySize, std::make_pair(800, 600));
  typed("screenmode 0");
  EXPECT_EQ(shell.displaySize, std::make_pair(640, 480));
  typed("screenmode 2");
  EXPECT_EQ(shell.displaySize, std::make_pair(1024, 768));
  EXPECT_EQ(typed("screenmode 3"), Lines{});
  EXPECT_EQ(shell.displaySize, std::make_pair(1024, 768));
  typed("screenshot now");
  EXPECT_EQ(shell.screenshots, 1);
  EXPECT_FALSE(console.quitRequested());
  typed("QUIT");
  EXPECT_TRUE(console.quitRequested());
}

TEST_F(Commands, ClearEmptiesOnlyTheBuffer) {
  console.messages = {"a: b"};
  console.inputLine = "half";
  console.submit("clear");
  EXPECT_TRUE(console.lines.empty());
  typed("ver");
  EXPECT_EQ(console.lines, (Lines{"ver", "Mashvolt 1.1"}));
  console.runLine("clear", nullptr);
  console.runLine("ver", nullptr);
  EXPECT_EQ(console.lines, Lines{"Mashvolt 1.1"});
  EXPECT_EQ(console.messages, Lines{"a: b"});
  EXPECT_EQ(console.inputLine, "half");
}

TEST_F(Commands, AnyLineAtAllLeavesTheStateSound) {
  TPlayer& p = joinPlayer(1);
  joinPlayer(2);
  const char* pieces[] = {"p2",         "bind", "BIND", " ",    "  ",   "\"",        "JOY",      "MOUSE",
                          "NUM",        "A",    "FIRE", "say",  "name", "sensivity", "looktype", "-",
                          "2147483648", "9",    "\xFF", "\xC0", "~",    "echo",      ""};
  uint32_t state = 12345;
  auto next = [&] { return state = state * 1664525u + 1013904223u; };
  for (int i = 0; i < 5000; ++i) {
    std::string line;
    for (int n = static_cast<int>(next() % 6); n >= 0; --n) {
      line += (next() % 4 == 0) ? std::string(1, static_cast<char>(next() >> 24))
                                : pieces[next() % std::size(pieces)];
    }
    console.submit(line);
    console.runLine(line, &p);
  }
  EXPECT_GE(p.commandBindCount, 0);
  EXPECT_LE(p.commandBindCount, 11);
  EXPECT_LE(p.name.size(), 10u);
  EXPECT_FALSE(console.quitRequested());
}

TEST_F(Commands, AnErrorFromAFightersLineStaysInTheConsole) {
  TPlayer& p = joinPlayer(1);
  TempFolder folder("mashvolt-console-errors");
  EXPECT_NO_THROW(console.runLine("exec missing.cfg", &p));
  EXPECT_EQ(console.lines.back(), "Cannot open file SYSTEM\\missing.cfg");
  EXPECT_EQ(shell.errors, Lines{"Cannot open file SYSTEM\\missing.cfg"});
  // Typed, the error goes to the shell's own reporting as it comes.
  EXPECT_THROW(console.submit("exec missing.cfg"), Error);
}

}  // namespace
}  // namespace mv
