// The bot's life: who joins, what it says, how often it makes up its mind, its death chat and its
// first entry into the level.

#include <algorithm>
#include <map>
#include <set>

#include "BotWorld.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

using BotLife = BotWorld;

TEST_F(BotLife, JoinsDeadWithANameAGreetingAndADelayOfHalfASecondToThree) {
  const std::set<std::string> names = {"CPU", "Computer", "Bot", "AI", "RoBOT"};
  std::set<std::string> greetings;
  for (const char* text :
       {"Hi all !", ":)))", "Hi, fragZ !!!", "Ну че, посоревнуемся ? =)", "Вы все МЯСО !!!"})
    greetings.insert(utf8ToCp1251(text));
  std::map<std::string, int> namesSeen, greetingsSeen;
  int earliest = 1 << 30, latest = 0;
  constexpr int kBots = 1000;
  for (int i = 0; i < kBots; ++i) {
    console.messages.clear();  // the feed keeps only its newest lines
    auto* b = new TBot(&root);
    ASSERT_EQ(names.count(b->name), 1u) << b->name;
    ++namesSeen[b->name];
    // The join line is the bot's name run straight into the notice.
    EXPECT_EQ(console.lines.back(), b->name + utf8ToCp1251("(Bot) вошел в игру."));
    ASSERT_EQ(console.messages.size(), 1u);
    const std::string& said = console.messages.back();
    ASSERT_EQ(said.rfind(b->name + ": ", 0), 0u) << said;
    const std::string greeting = said.substr(b->name.size() + 2);
    EXPECT_EQ(greetings.count(greeting), 1u) << greeting;
    ++greetingsSeen[greeting];
    EXPECT_FALSE(b->alive());
    EXPECT_FALSE(b->visible);
    EXPECT_TRUE(b->deathHandled);
    EXPECT_EQ(b->laziness, 0);
    earliest = std::min(earliest, b->cooldown);
    latest = std::max(latest, b->cooldown);
  }
  // One in five each: 200 expected of every name and greeting.
  for (const auto& [name, n] : namesSeen) EXPECT_GT(n, 140) << name;
  for (const auto& [text, n] : greetingsSeen) EXPECT_GT(n, 140) << text;
  EXPECT_EQ(namesSeen.size(), 5u);
  EXPECT_EQ(greetingsSeen.size(), 5u);
  EXPECT_GE(earliest, 500);
  EXPECT_LE(latest, 2999);
  EXPECT_LT(earliest, 520);
  EXPECT_GT(latest, 2980);
}

TEST_F(BotLife, EntersTheLevelWhenItsDelayRunsOutWithoutDeathChat) {
  cells(10, 0, 30, CellSolid);
  match.addRespawnPoint({100, 114});
  auto* b = new TBot(&root);
  match.addFighter(b);
  const size_t said = console.messages.size();
  const int32_t delay = b->cooldown;
  b->moveSelf(delay - 1);
  EXPECT_FALSE(b->alive());
  EXPECT_FALSE(b->visible);
  b->moveSelf(1);
  EXPECT_TRUE(b->alive());
  EXPECT_TRUE(b->visible);
  EXPECT_EQ(b->health, 100);
  EXPECT_EQ(console.messages.size(), said);  // entering is not a death to complain about
  EXPECT_FALSE(b->deathHandled);
}

TEST_F(BotLife, ATakenNameGetsTheLowestFreeNumberWithinTenCharacters) {
  std::set<std::string> names, lazy;
  for (int i = 0; i < 100; ++i) {
    auto* b = new TBot(&root);
    match.addFighter(b);
    EXPECT_LE(b->name.size(), 10u) << b->name;
    EXPECT_TRUE(names.insert(b->name).second) << b->name;
  }
  for (const char* name : {"CPU", "CPU 2", "Computer", "Computer 2", "Bot", "Bot 2", "AI", "AI 2", "RoBOT"})
    EXPECT_EQ(names.count(name), 1u) << name;
  for (int i = 0; i < 12; ++i) {  // the laziest take their one name in turn
    TBot* b = bot(0, 0, 100);
    for (int step = 0; step < 2; ++step) b->moveSelf(1);
    lazy.insert(b->name);
  }
  EXPECT_EQ(lazy.size(), 12u);
  for (const char* name : {"RUX_torch", "RUX_torch2", "RUX_torc12"}) EXPECT_EQ(lazy.count(name), 1u) << name;
}

TEST_F(BotLife, TheLaziestBotCallsItselfRuxTorchInEveryStepDeadOrAlive) {
  auto* lazy = new TBot(&root);
  lazy->laziness = 100;
  auto* keen = new TBot(&root);
  keen->laziness = 99;
  const std::string keenName = keen->name;
  lazy->moveSelf(1);  // still waiting to enter
  keen->moveSelf(1);
  EXPECT_EQ(lazy->name, "RUX_torch");
  EXPECT_EQ(keen->name, keenName);
  lazy->name = "renamed";
  lazy->moveSelf(1);
  EXPECT_EQ(lazy->name, "RUX_torch");
}

// A bot with a loaded rifle and the health to hold its ground crouches in place; whenever it makes up
// its mind it fires at the fighter in front of it, one round per decision.
class BotDecisions : public BotWorld {
 protected:
  BotDecisions() { cells(10, 0, 40, CellSolid); }
  int roundsFired(int laziness, int steps) {
    TBot* b = bot(100, 114, laziness);
    target(300, 114)->godMode = true;
    b->hasWeapon[1] = 1;
    b->ammo[1] = 1000000;
    for (int i = 0; i < steps; ++i) {
      b->cooldown = 0;
      b->moveSelf(1);
      clearShots();
    }
    EXPECT_TRUE(b->crouched);
    EXPECT_EQ(b->x, 100);
    return 1000000 - b->ammo[1];
  }
};

TEST_F(BotDecisions, AtFullSkillItDecidesEveryStepItMayFire) {
  EXPECT_EQ(roundsFired(0, 300), 300);
}

TEST_F(BotDecisions, LazinessNDecidesOnceInNStepsOnAverage) {
  EXPECT_NEAR(roundsFired(100, 20000), 200, 45);  // binomial: sd 14
}

TEST_F(BotDecisions, LazinessFiftyDecidesTwiceAsOften) {
  EXPECT_NEAR(roundsFired(50, 10000), 200, 45);
}

TEST_F(BotDecisions, ARecoveringGunWaitsUnlessItIsTheMinigun) {
  TBot* b = bot(100, 114);
  target(300, 114);
  b->cooldown = 500;
  b->moveSelf(1);
  EXPECT_FALSE(b->engaged);  // no look while the gun recovers
  b->hasWeapon[7] = 1;
  b->ammo[7] = 10;  // too little to spray blindly
  b->currentWeapon = 7;
  b->moveSelf(1);
  EXPECT_TRUE(b->engaged);
  EXPECT_EQ(b->ammo[7], 10);  // it looked and aimed; the gun itself still had to wait
}

TEST_F(BotDecisions, NobodyInSightMeansNotEngaged) {
  TBot* b = bot(100, 114);
  b->engaged = true;
  b->moveSelf(1);
  EXPECT_FALSE(b->engaged);
}

TEST_F(BotLife, DeathChatComesOnceADeathEightTimesInFifteen) {
  TBot* b = bot(100, 114);
  std::vector<std::string> lines;
  for (const char* text : {":(", "Я тебя уничтожу !", "Lucky shot !", "Это нечестно !", "Ты урод !",
                           "You suck !", "Ну все, ты меня достал !!!", "Damn, you're ugly !"})
    lines.push_back(b->name + ": " + utf8ToCp1251(text));
  std::map<std::string, int> seen;
  std::set<int> directions;
  constexpr int kDeaths = 3000;
  int chats = 0;
  for (int i = 0; i < kDeaths; ++i) {
    b->health = 0;
    b->cooldown = 3000;  // not back before the next round
    b->deathHandled = false;
    b->talkDelay = 0;
    b->moveMode = 0;
    console.messages.clear();  // the feed keeps only its newest lines
    const size_t before = console.messages.size();
    b->moveSelf(1);
    b->moveSelf(1);  // still dead: nothing more is said
    ASSERT_LE(console.messages.size(), before + 1);
    EXPECT_TRUE(b->deathHandled);
    EXPECT_EQ(b->moveMode, 2);
    directions.insert(b->moveDir);
    if (console.messages.size() == before + 1) {
      ++chats;
      ++seen[console.messages.back()];
    }
  }
  EXPECT_NEAR(chats, kDeaths * 8 / 15, 100);  // sd 27
  EXPECT_EQ(seen.size(), 8u);
  for (const std::string& line : lines) EXPECT_GT(seen[line], 120) << line;  // 200 expected
  EXPECT_EQ(directions, (std::set<int>{0, 1}));
}

}  // namespace
}  // namespace mv
