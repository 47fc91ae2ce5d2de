// A real match from its start to its end: the limits, the end screen and what its buttons do, the pause
// that stops the world, and what the views add: kill lines, the dead person's and the pick-up notices,
// the crosshair and banners kept in their view.
#include <algorithm>

#include "RealMatch.h"
#include "game/combatants/Shot.h"
#include "game/world/Item.h"
#include "platform/Mixer.h"

namespace mv {
namespace {

struct MatchFlow : RealMatch {
  using Frame = std::vector<uint16_t>;
  // The back surface, the drawn pointer left out.
  Frame frame() {
    Frame f;
    const TSurface& s = form.DXDraw.surface();
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x) f.push_back(x < 40 && y >= 560 ? 0 : s.row(y)[x]);
    return f;
  }
  // One view drawn as it stands, with a setting given for the drawing only.
  Frame viewWith(int32_t Settings::*setting, int32_t value) {
    const int32_t kept = std::exchange(g.settings.*setting, value);
    form.drawSingleView(g.player1);
    g.settings.*setting = kept;
    return frame();
  }
  static bool differ(const Frame& a, const Frame& b, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (a[static_cast<size_t>(y * 800 + x)] != b[static_cast<size_t>(y * 800 + x)]) return true;
    return false;
  }
  void click(const TDXImageButton& b) {
    const int x = b.x + 10, y = b.y + 10;
    form.DXDrawMouseMove(x, y);
    form.DXDrawMouseDown(x, y);
    form.DXDrawMouseUp(x, y);
  }
  bool silent() {
    std::vector<int16_t> out(2 * 4410);
    platform.mixer().mix(out.data(), 4410);
    return std::all_of(out.begin(), out.end(), [](int16_t v) { return v == 0; });
  }
  void SetUp() override {
    RealMatch::SetUp();
    platform.setPointer(0, 580);
  }
};

TEST_F(MatchFlow, AFragLimitEndsTheMatchAndItsButtonsPlayAgainFromScratchOrLeave) {
  form.startMatch({.level = "steelcage", .bots = 3, .skill = 100, .fragLimit = 5});
  frames(150);
  ASSERT_EQ(g.screenState, Match);
  EXPECT_FALSE(silent());  // entering, firing: a match is heard
  TMan* winner = g.match->fighter(2);
  winner->frags = 5;
  frames();
  ASSERT_EQ(g.screenState, MatchEnd);
  EXPECT_EQ(form.Console->lines.back(), cp("Матч окончен. Победил ") + winner->name + ".");
  EXPECT_EQ(g.match->rules.winner(), 2);
  EXPECT_TRUE(silent());
  // Frozen: nothing moves, nothing counts, the frame stays as it is.
  const Frame ended = frame();
  const int64_t clock = g.match->rules.clockMs();
  frames(100);
  EXPECT_EQ(frame(), ended);
  EXPECT_EQ(g.match->rules.clockMs(), clock);
  ASSERT_EQ(form.widgets.buttons().size(), 2u);
  EXPECT_EQ(form.widgets.buttons()[0]->caption, cp("Ещё раз"));
  form.FormKeyDown(27, 0);  // Esc leaves the end screen alone
  EXPECT_EQ(g.screenState, MatchEnd);

  click(*form.widgets.buttons()[0]);
  ASSERT_EQ(g.screenState, Match);
  EXPECT_TRUE(form.widgets.buttons().empty());
  ASSERT_EQ(g.match->fighterCount(), 4);
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(g.match->fighter(i)->frags, 0);
    EXPECT_EQ(g.match->fighter(i)->deaths, 0);
  }
  EXPECT_EQ(g.match->rules.clockMs(), 0);
  EXPECT_EQ(g.settings.fragLimit, 5);
  g.match->fighter(0)->frags = 4;
  g.match->fighter(3)->frags = 4;
  g.settings.fragLimit = 3;  // lowered from the console: two past it with the same frags
  frames();
  ASSERT_EQ(g.screenState, MatchEnd);
  EXPECT_EQ(form.Console->lines.back(), cp("Матч окончен. Ничья."));
  click(*form.widgets.buttons()[1]);
  EXPECT_EQ(g.screenState, MainMenu);
  EXPECT_EQ(g.match, nullptr);
  EXPECT_TRUE(errors.empty());
}

TEST_F(MatchFlow, APauseThatStopsHoldsTheWorldTheClockAndTheSounds) {
  form.startMatch({.level = "steelcage", .bots = 3, .skill = 100, .timeLimit = 1});
  frames(120);
  form.FormKeyDown(27, 0);
  frames();
  const Frame paused = frame();
  const int64_t clock = g.match->rules.clockMs();
  frames(300);
  EXPECT_EQ(frame(), paused);
  EXPECT_EQ(g.match->rules.clockMs(), clock);
  EXPECT_TRUE(platform.mixer().paused());
  form.FormKeyDown(27, 0);
  frames();
  EXPECT_EQ(g.match->rules.clockMs(), clock + 16);
  EXPECT_FALSE(platform.mixer().paused());
  // The classic pause lets the world and its clock run on behind the menu.
  g.settings.pauseStops = 0;
  form.FormKeyDown(27, 0);
  frames(10);
  EXPECT_EQ(g.match->rules.clockMs(), clock + 16 * 11);
  EXPECT_FALSE(platform.mixer().paused());
}

TEST_F(MatchFlow, ADeathAndAPickUpAreToldInTheViewsEachOnlyWhileItsSettingIsOn) {
  form.startMatch({.level = "steelcage", .bots = 1, .skill = 100});
  settle();
  TPlayer& me = *g.player1;
  TMan& bot = *g.match->fighter(1);
  me.health = 90;
  createItem(&form.SpriteEngine.engine, static_cast<int32_t>(me.x), static_cast<int32_t>(me.y) + 10, false,
             "Health25");
  frames();
  ASSERT_NE(form.matchFeed.notice(0), nullptr);
  EXPECT_EQ(form.matchFeed.notice(0)->text, cp("+25 здоровья"));
  EXPECT_TRUE(differ(viewWith(&Settings::pickupMsg, 1), viewWith(&Settings::pickupMsg, 0), 50, 555, 300, 578));
  const Frame aimed = viewWith(&Settings::crosshair, 1), plain = viewWith(&Settings::crosshair, 0);
  EXPECT_TRUE(differ(aimed, plain, 0, 0, 800, 600));
  EXPECT_FALSE(differ(aimed, plain, 0, 0, 200, 600));  // a hundred pixels from the gun, not further

  // The bot's banner over the view's top edge is moved in; one wholly out of sight stays out.
  bot.health = 100;
  bot.visible = true;
  bot.announcement = "Impressive";
  bot.x = me.x + 100;
  bot.y = 10 - me.cameraY;
  EXPECT_TRUE(differ(viewWith(&Settings::bannerInView, 1), viewWith(&Settings::bannerInView, 0), 0, 0, 800, 60));
  bot.y = -200 - me.cameraY;
  EXPECT_FALSE(differ(viewWith(&Settings::bannerInView, 1), viewWith(&Settings::bannerInView, 0), 0, 0, 800, 600));

  me.health = 1;
  auto* shot = new TShot(&form.SpriteEngine.engine);
  shot->launch(me.x + 10, me.y + 20, 3);
  shot->owner = &bot;
  shot->explode();
  frames();
  ASSERT_FALSE(me.alive());
  ASSERT_EQ(form.matchFeed.killLines().size(), 1u);
  EXPECT_EQ(form.matchFeed.killLines()[0].text, bot.name + cp(" [Ракетница] Игрок"));
  EXPECT_EQ(form.matchFeed.lastDeath(0), cp("Вас убил ") + bot.name + cp(" [Ракетница]"));
  EXPECT_TRUE(differ(viewWith(&Settings::killFeed, 1), viewWith(&Settings::killFeed, 0), 500, 40, 800, 56));
  const Frame told = viewWith(&Settings::deathInfo, 1);
  EXPECT_TRUE(differ(told, viewWith(&Settings::deathInfo, 0), 200, 200, 600, 260));
  frames(63);  // a second later the countdown says one less
  EXPECT_TRUE(differ(told, viewWith(&Settings::deathInfo, 1), 200, 240, 600, 260));
  // The kill line goes after msgtime.
  frames(4000 / 16);
  EXPECT_TRUE(form.matchFeed.killLines().empty());
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace mv
