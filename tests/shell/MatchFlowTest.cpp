// A real match to its end: the end screen and its buttons, the pause that stops, and what the views add:
// kill lines, the dead person's and the pick-up notices, the crosshair and banners kept in their view.
#include <algorithm>

#include "RealMatch.h"
#include "engine/sprite/SpriteMath.h"
#include "game/combatants/Shot.h"
#include "game/world/Item.h"
#include "platform/Mixer.h"

namespace mv {
namespace {

struct MatchFlow : RealMatch {
  using Frame = std::vector<uint16_t>;
  Frame frame() { return Frame(form.DXDraw.surface().row(0), form.DXDraw.surface().row(0) + 800 * 600); }
  // One view drawn as it stands, with a setting given for the drawing only.
  Frame viewWith(int32_t Settings::*setting, int32_t value) {
    const int32_t kept = std::exchange(g.settings.*setting, value);
    form.drawSingleView(g.player1);
    g.settings.*setting = kept;
    return frame();
  }
  static bool differ(const Frame& a, const Frame& b, const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y)
      if (!std::equal(&a[y * 800 + r.Left], &a[y * 800 + r.Right], &b[y * 800 + r.Left])) return true;
    return false;
  }
  void click(const TDXImageButton& b) {
    form.DXDrawMouseDown(b.x + 10, b.y + 10);
    form.DXDrawMouseUp(b.x + 10, b.y + 10);
  }
  bool silent() {
    std::vector<int16_t> out(2 * 4410);
    platform.mixer().mix(out.data(), 4410);
    return std::all_of(out.begin(), out.end(), [](int16_t v) { return v == 0; });
  }
  void SetUp() override {
    RealMatch::SetUp();
    platform.setPointer(-100, -100);  // the drawn pointer out of the frames compared
  }
};

TEST_F(MatchFlow, AFragLimitEndsTheMatchAndItsButtonsPlayAgainFromScratchOrLeave) {
  form.startMatch({.level = "steelcage", .bots = 3, .skill = 100, .fragLimit = 5});
  frames(150);
  EXPECT_FALSE(silent());  // entering, firing: a match is heard
  TMan* winner = g.match->fighter(2);
  winner->frags = 5;
  frames();
  ASSERT_EQ(g.screenState, MatchEnd);
  EXPECT_EQ(form.Console->lines.back(), cp("Матч окончен. Победил ") + winner->name + ".");
  EXPECT_TRUE(silent());
  const Frame ended = frame();
  const int64_t clock = g.match->rules.clockMs();
  form.FormKeyDown(27, 0);  // Esc leaves the end screen alone
  frames(100);
  EXPECT_EQ(frame(), ended);  // frozen
  EXPECT_EQ(g.match->rules.clockMs(), clock);

  click(*form.widgets.buttons()[0]);  // "Ещё раз"
  ASSERT_EQ(g.screenState, Match);
  ASSERT_EQ(g.match->fighterCount(), 4);
  for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(g.match->fighter(i)->frags + g.match->fighter(i)->deaths, 0);
  EXPECT_EQ(g.match->rules.clockMs(), 0);
  // A pause that stops holds the clock and the sounds.
  form.FormKeyDown(27, 0);
  frames(30);
  EXPECT_EQ(g.match->rules.clockMs(), 0);
  EXPECT_TRUE(platform.mixer().paused());
  form.FormKeyDown(27, 0);
  g.match->fighter(0)->frags = 4;
  g.match->fighter(3)->frags = 4;
  g.settings.fragLimit = 3;  // lowered from the console: two past it with the same frags
  frames();
  ASSERT_EQ(g.screenState, MatchEnd);
  EXPECT_EQ(form.Console->lines.back(), cp("Матч окончен. Ничья."));
  click(*form.widgets.buttons()[1]);  // "Главное меню"
  EXPECT_EQ(g.screenState, MainMenu);
  EXPECT_TRUE(errors.empty());
}

TEST_F(MatchFlow, EachNoticeShowsInItsPlaceOnlyWhileItsSettingIsOn) {
  form.startMatch({.level = "steelcage", .bots = 1, .skill = 100});
  settle();
  TPlayer& me = *g.player1;
  TMan& bot = *g.match->fighter(1);
  me.health = 90;
  createItem(&form.SpriteEngine.engine, truncPixel(me.x), truncPixel(me.y) + 10, false, "Health25");
  frames();
  EXPECT_EQ(form.matchFeed.notice(0)->text, cp("+25 здоровья"));
  // The bot's banner crosses the view's top edge.
  bot.health = 100;
  bot.visible = true;
  bot.announcement = "Impressive";
  bot.x = me.x + 100;
  bot.y = 10 - me.cameraY;
  struct Case {
    int32_t Settings::*setting;
    TRect where;
  };
  auto check = [&](std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
      const Frame on = viewWith(c.setting, 1), off = viewWith(c.setting, 0);
      EXPECT_TRUE(differ(on, off, c.where));
      EXPECT_FALSE(differ(on, off, {0, 0, 800, c.where.Top}) ||
                   differ(on, off, {0, c.where.Bottom, 800, 600}));
    }
  };
  check({{&Settings::pickupMsg, {50, 555, 300, 578}},
         {&Settings::crosshair, {200, 200, 600, 400}},
         {&Settings::bannerInView, {0, 0, 800, 60}}});

  me.health = 1;
  auto* shot = new TShot(&form.SpriteEngine.engine);
  shot->launch(me.x + 10, me.y + 20, 3);
  shot->owner = &bot;
  shot->explode();
  frames();
  ASSERT_FALSE(me.alive());
  EXPECT_EQ(form.matchFeed.killLines().back().text, bot.name + cp(" [Ракетница] Игрок"));
  EXPECT_EQ(form.matchFeed.lastDeath(0), cp("Вас убил ") + bot.name + cp(" [Ракетница]"));
  check({{&Settings::killFeed, {500, 40, 800, 56}}, {&Settings::deathInfo, {200, 200, 600, 270}}});
  frames(4000 / 16);  // the kill line goes after msgtime
  EXPECT_TRUE(form.matchFeed.killLines().empty());
}

}  // namespace
}  // namespace mv
