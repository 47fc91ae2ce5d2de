// The settings screen, the setup screen's remembered choices and the menus by keys and pads, in a main
// window over a scratch game folder (whatever config.cfg they write stays there), restarted where a
// test needs what survives a restart.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "FormDriver.h"
#include "GameFolder.h"
#include "game/combatants/Player.h"
#include "game/console/Additions.h"
#include "platform/Cp1251.h"
#include "platform/Mixer.h"

namespace mv {
namespace {

struct SettingsForm : ::testing::Test, FormDriver {
  static std::string cp(const char* utf8) { return utf8ToCp1251(utf8); }
  GameFolder folder{"settings"};
  HeadlessPlatform platform{16};
  std::unique_ptr<TMainForm> form;
  std::vector<MatchSetup> started;

  void SetUp() override { start(); }
  // The program started (again) on the scratch folder.
  void start() {
    form.reset();
    form = std::make_unique<TMainForm>(platform);
    driven = form.get();
    devices = &platform;
    g().dataFolder = folder.dir.string() + "/";
    form->fixedSeed = 1;
    form->FormCreate();
    form->show();
    // The main menu's four buttons, where these tests click: the next frame shows them.
    g().settings.netPlay = 0;
    frame();
    form->matchStarter = [this](const MatchSetup& s) { started.push_back(s); };
  }
  Globals& g() { return form->state(); }
  const TWidgets& w() { return form->widgets; }
  const TDXOptionRow& row(const char* caption) {
    for (const auto& r : w().options())
      if (r->caption == cp(caption)) return *r;
    throw std::runtime_error(std::string("no row ") + caption);
  }
  void clickRow(const char* caption) { click(row(caption).x + 4, row(caption).y + 5); }
  // -1 the left arrow, +1 the right one.
  void step(const char* caption, int direction) {
    const TDXOptionRow& r = row(caption);
    click(direction < 0 ? r.x + r.valueLeft + 4 : r.x + r.width - 4, r.y + 5);
  }
  void tab(int page) { press(*w().buttons()[static_cast<size_t>(page)]); }
  std::string config() { return folder.read("SYSTEM/config.cfg"); }
  bool configHas(const std::string& line) {
    return config().find("\r\n" + line + "\r\n") != std::string::npos;
  }
};

TEST_F(SettingsForm, KeysAreBoundByKeyMouseButtonAndPadButton) {
  click(400, 182);  // "Настройки"
  ASSERT_EQ(g().screenState, SettingsMenu);
  EXPECT_EQ(row("Прыжок").value, "W");  // what autoexec.cfg binds
  clickRow("Прыжок");
  EXPECT_EQ(row("Прыжок").value, cp("нажмите..."));
  key(32);
  EXPECT_EQ(row("Прыжок").value, "SPACE");
  EXPECT_TRUE(configHas("bind SPACE \"JUMP\""));

  clickRow("Прыжок");
  click(500, 300, ssRight);  // anywhere: the button is what counts
  EXPECT_EQ(row("Прыжок").value, "MOUSE1");
  EXPECT_FALSE(configHas("bind SPACE \"JUMP\""));  // one line for the action, replaced

  clickRow("Огонь");
  platform.setDeviceState(DeviceState{.joystickPresent = true, .joyButtons = 1u << 3, .joyButtonCount = 12});
  frame();
  EXPECT_EQ(row("Огонь").value, "JOY3");

  // A key with no name is refused and the wait goes on; Esc gives it up.
  clickRow("Присесть");
  key(116);  // F5
  EXPECT_NE(form->settingsScreen->hint().find(cp("нельзя")), std::string::npos);
  key(27);
  EXPECT_FALSE(form->settingsScreen->capturing());
  EXPECT_EQ(row("Присесть").value, "S");

  // A key that already moves right: both lines show it, and the line under the page says why.
  EXPECT_FALSE(row("Шаг вправо").warn);
  clickRow("Прыжок");
  key('D');
  EXPECT_TRUE(row("Прыжок").warn && row("Шаг вправо").warn);
  EXPECT_EQ(form->settingsScreen->hint(), cp("Оранжевым: клавиша назначена ещё на что-то."));

  tab(1);
  clickRow("Прыжок");
  key(13);
  EXPECT_TRUE(configHas("p2bind ENTER \"JUMP\""));

  // The next match plays with them.
  form->startMatch({.level = "steelcage", .bots = 0, .skill = 0, .hotseat = true});
  const BindTable& one = g().player1->binds;
  EXPECT_EQ(one[ActJump].code, 'D');
  EXPECT_EQ(one[ActCrouch].code, 'S');
  EXPECT_EQ(one[ActFire].device, BindJoystick);
  EXPECT_EQ(one[ActFire].code, 3);
  EXPECT_EQ(g().player2->binds[ActJump].code, 13);
}

TEST_F(SettingsForm, ValuesChangeAtOnceAndSurviveARestart) {
  click(400, 182);
  tab(2);
  for (int direction : {1, -1, -1}) step("Громкость", direction);  // at the top, then two down
  EXPECT_EQ(g().settings.volume, 90);
  EXPECT_EQ(platform.mixer().masterVolume(), 90);
  step("Звук", 1);
  EXPECT_EQ(row("Звук").value, cp("выкл"));
  step("Экран", 1);
  EXPECT_TRUE(platform.fullScreen());
  step("Масштаб", -1);  // round from sharp to whole multiples
  EXPECT_EQ(row("Масштаб").value, cp("кратный"));

  tab(3);
  for (const char* caption : {"Сообщения видны, мс", "Лента убийств", "Лимит фрагов"}) step(caption, 1);
  EXPECT_EQ(g().settings.killFeed, 0);
  // Whatever the registry holds shows; only the switch that would lock this screen away does not.
  EXPECT_EQ(w().options().size(), 4 + additionSettings().size() - 1);

  // Only what was changed is kept.
  EXPECT_EQ(config(),
            cp("# Mashvolt: what the settings screen changed, run after autoexec.cfg at every match "
               "start.\r\nvolume 90\r\nsound 0\r\nfullscreen 1\r\nscaling 2\r\nmsgtime 4500\r\n"
               "killfeed 0\r\nfraglimit 1\r\n"));
  start();
  EXPECT_EQ(platform.mixer().masterVolume(), 90);
  EXPECT_EQ(g().settings.fragLimit, 1);
  // autoexec.cfg sets the sound and msgtime at every match start; config.cfg has the last word.
  form->startMatch({.level = "steelcage", .bots = 0, .skill = 0, .hotseat = false});
  EXPECT_EQ(g().settings.soundOn, 0);
  EXPECT_EQ(g().settings.msgTime, 4500);

  // Where nothing can be written the player is told, and the setting still applies.
  folder.write("blocked", "");
  g().configFolder = (folder.dir / "blocked" / "").string();
  form->showScreen(SettingsMenu);
  tab(2);
  step("Громкость", -1);
  EXPECT_EQ(g().settings.volume, 85);
  const std::string told = "Cannot create file " + (folder.dir / "blocked" / "config.cfg").string();
  EXPECT_EQ(form->dialog.text(), told);
  EXPECT_EQ(form->Console->lines.back(), told);
}

TEST_F(SettingsForm, TheSetupScreenComesBackAsItWasLeft) {
  click(400, 130);
  ASSERT_EQ(g().screenState, NewGame);
  const TDXImageListBox& list = *w().mapList();
  click(list.x + 20,
        list.y + TDXImageListBox::kRowTop + 2 * TDXImageListBox::kRowStep + 5);  // the third level
  const std::string level = list.items[2];
  form->DXDrawMouseMove(400, 125);
  form->FormKeyDown(8, 0);
  form->FormKeyPress('5');
  click(18, 338);  // Hotseat
  click(400, 232);
  EXPECT_EQ(started.at(0).level, level);
  EXPECT_TRUE(configHas("setupchoice level " + level));
  EXPECT_TRUE(configHas("setupchoice edit1 5"));
  EXPECT_TRUE(configHas("setupchoice box1 1"));

  start();
  click(400, 130);
  EXPECT_EQ(w().mapList()->currentItem(), level);
  EXPECT_EQ(w().edits()[0]->caption, "5");
  EXPECT_EQ(w().edits()[1]->caption, "100");
  EXPECT_TRUE(w().checkBoxes()[0]->checked);

  // Without the addition the rules' fresh screen comes, and nothing is kept.
  click(400, 282);
  form->Console->submit("rememberchoices 0");
  const std::string kept = config();
  click(400, 130);
  EXPECT_EQ(w().edits()[0]->caption + w().edits()[1]->caption, "1100");
  EXPECT_EQ(w().mapList()->scrollBar.position, 0);
  click(400, 232);
  EXPECT_EQ(config(), kept);
}

TEST_F(SettingsForm, MenusAreDrivenByKeys) {
  key(40);  // the first key shows the highlight on the first button
  EXPECT_TRUE(w().buttons()[0]->highlighted);
  key(38);  // round to the last
  EXPECT_TRUE(w().buttons()[3]->highlighted);
  keys({40, 40, 13});
  ASSERT_EQ(g().screenState, SettingsMenu);
  key(27);
  ASSERT_EQ(g().screenState, MainMenu);

  key(13);  // the highlight stands on the first button again
  ASSERT_EQ(g().screenState, NewGame);
  key(40);  // the level list still has Up and Down
  EXPECT_EQ(w().mapList()->scrollBar.position, 1);
  EXPECT_TRUE(w().edits()[0]->active);  // the bots' field, under the highlight, takes typing
  keys({39, 39});
  EXPECT_EQ(w().edits()[0]->caption, "3");
  keys({9, 37});
  EXPECT_EQ(w().edits()[1]->caption, "99");
  keys({9, 13});  // start
  EXPECT_EQ(started.at(0).level, w().mapList()->items[1]);
  EXPECT_EQ(started[0].skill, 99);
  key(27);
  EXPECT_EQ(g().screenState, MainMenu);

  // The pointer moving takes the highlight away; the rules' menu ignores the keys.
  form->DXDrawMouseMove(10, 10);
  EXPECT_FALSE(w().buttons()[0]->highlighted);
  form->Console->submit("menukeys 0");
  keys({40, 13});
  EXPECT_EQ(g().screenState, MainMenu);
}

TEST_F(SettingsForm, APadDrivesTheMenus) {
  for (PadButton b : {PadDown, PadDown, PadA}) holdPad(1, 1u << b);
  ASSERT_EQ(g().screenState, SettingsMenu);
  holdPad(1, 1u << PadB);
  ASSERT_EQ(g().screenState, MainMenu);
  // A held stick repeats, as a held key does: a step, then two repeats.
  holdPad(1, 0, 32767, 2 + (TPadKeys::kRepeatDelayMs + TPadKeys::kRepeatMs) / 16);
  EXPECT_TRUE(w().buttons()[3]->highlighted);
}

// A message over a match: the people's hands are on it, it is closed with Esc or its button (Esc does
// not pause then), and it stays in the console.
TEST_F(SettingsForm, AMessageOverAMatchLetsTheMatchRunOn) {
  form->startMatch({.level = "steelcage", .bots = 0, .skill = 0, .hotseat = false});
  frame(60);
  form->showMessage("first");
  form->showMessage(cp("второе сообщение"));
  EXPECT_EQ(form->Console->lines.back(), cp("второе сообщение"));
  const TPlayer& p = *g().player1;
  const double x = p.x;
  DeviceState s;
  s.keys['D'] = 0x80;
  platform.setDeviceState(s);
  frame(30);
  EXPECT_FALSE(platform.mouseCaptured());
  EXPECT_EQ(p.x, x);  // D walks right, but not while the message is up

  form->FormKeyDown(27, 0);
  form->FormKeyPress(27);
  EXPECT_EQ(g().screenState, Match);  // Esc closed the message; it did not pause
  EXPECT_EQ(form->dialog.text(), cp("второе сообщение"));
  EXPECT_EQ(form->Console->inputLine, "");
  press(form->dialog.okButton());
  EXPECT_FALSE(form->dialog.open());
  frame(2);
  EXPECT_GT(p.x, x);
  EXPECT_TRUE(platform.mouseCaptured());
}

}  // namespace
}  // namespace mv
