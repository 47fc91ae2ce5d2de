// Fighters in colours of their own: the people keep theirs, the bots share out the rest, and with the
// setting off (or classic 1) everyone is the one "Doom" soldier.

#include <vector>

#include "BotWorld.h"
#include "game/combatants/FighterModels.h"
#include "game/combatants/Player.h"
#include "game/console/Additions.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

class FighterColours : public BotWorld {
 protected:
  // Every model's walking pictures into `list`, but `missing`.
  static void addModels(TDXImageList& list, const std::string& missing = "") {
    for (std::string_view model : fighterModels())
      if (model != missing)
        for (const char* side : {"_L", "_R"}) {
          addTestImage(list, std::string(model) + side, 32, 46, 4);
          addTestImage(list, std::string(model) + "_Crouch" + side, 32, 33, 4);
        }
  }
  TPlayer* join(TMatch& m, TPlayer*& slot, const std::string& choice = "") {
    auto* p = new TPlayer(&root);
    p->setModel("Doom");
    p->modelChoice = choice;
    m.addFighter(p);
    return slot = p;
  }
  // The models the match's fighters wear, in the order they joined.
  static std::string worn(const TMatch& m) {
    std::string out;
    for (int32_t i = 0; i < m.fighterCount(); ++i) out += (i ? " " : "") + m.fighter(i)->modelName;
    return out;
  }
};

TEST_F(FighterColours, PeopleKeepTheirColoursAndBotsTakeTheOthersInTurn) {
  struct Case {
    bool colours, hotseat;
    const char *choice1, *choice2, *missing;
    int bots;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {false, true, "", "", "", 2, "Doom Doom Doom Doom"},
      {true, false, "", "", "", 8, "Doom Crimson Cobalt Amber Violet Teal Rose Frost Crimson"},
      {true, true, "", "", "", 3, "Doom Crimson Cobalt Amber Violet"},
      // Player 2 asking for player 1's colour gets the next one; the bots go round what is left.
      {true, true, "cobalt", "COBALT", "", 7, "Cobalt Amber Doom Crimson Violet Teal Rose Frost Doom"},
      // A colour the archive lacks is never worn.
      {true, true, "", "", "Violet", 5, "Doom Crimson Cobalt Amber Teal Rose Frost"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.choice1 << "/" << c.choice2 << " bots " << c.bots);
    TDXImageList caseModels(&display);
    addModels(caseModels, c.missing);
    g().modelList = &caseModels;
    g().settings.fighterColors = c.colours;
    {
      TMatch m;
      g().match = &m;
      join(m, g().player1, c.choice1);
      if (c.hotseat) join(m, g().player2, c.choice2);
      for (int i = 0; i < c.bots; ++i) m.addFighter(new TBot(&root));
      dressFighters(m);
      EXPECT_EQ(worn(m), c.expected);
      root.clear();
    }
    g().modelList = &models;
  }
  g().match = &match;
}

TEST_F(FighterColours, ThePersonChoosesByConsoleAndALivingFighterChangesAtOnce) {
  addModels(models);
  setClassic(g().settings, false);
  TPlayer* one = join(match, g().player1);
  TPlayer* two = join(match, g().player2);
  TBot* b = bot(100, 100);
  one->respawnAt(200, 100);
  dressFighters(match);
  ASSERT_EQ(b->modelName, "Cobalt");

  console.submit("model");
  EXPECT_EQ(console.lines.back(), "\"model\" = \"Doom\" (Doom,Crimson,Cobalt,Amber,Violet,Teal,Rose,Frost)");
  console.submit("model cobalt");
  EXPECT_EQ(one->modelChoice, "Cobalt");
  // On its feet the fighter shows the new colour now, facing the way it did; the bot gives it up.
  EXPECT_EQ(one->image, &models.Items.find("Cobalt_L"));
  EXPECT_EQ(b->modelName, "Doom");
  EXPECT_EQ(b->image, &models.Items.find("Doom_R"));
  console.submit("p2model Rose");
  EXPECT_EQ(two->modelName, "Rose");
  console.submit("model Nobody");
  EXPECT_EQ(console.lines.back(), utf8ToCp1251("Неверное значение."));
  EXPECT_EQ(one->modelChoice, "Cobalt");

  // Classic rules: the one soldier for everybody, whatever was chosen.
  console.submit("classic 1");
  dressFighters(match);
  EXPECT_EQ(worn(match), "Doom Doom Doom");
}

}  // namespace
}  // namespace mv
