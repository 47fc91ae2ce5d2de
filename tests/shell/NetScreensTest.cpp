// "Сетевая игра" inside the main window: from the main menu to the host's choices, hosting, the lobby
// and back, by the mouse, keys or a pad; and the classic main menu without it.
#include <gtest/gtest.h>

#include "FormDriver.h"
#include "FreePort.h"
#include "game/console/Additions.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

struct NetScreens : ::testing::Test, FormDriver {
  HeadlessPlatform platform{16};
  TMainForm form{platform};
  Globals& g = form.state();
  const TWidgets& w = form.widgets;
  // Anna's game on steelcage; each test gives it a port nobody holds.
  HostOptions host{.address = "127.0.0.1", .name = "Anna", .setup = {.level = "steelcage"}};

  void SetUp() override {
    driven = &form;
    devices = &platform;
    form.FormCreate();
    form.show();
  }
  void counts(size_t buttons, size_t edits, size_t labels) {
    EXPECT_EQ(w.buttons().size(), buttons);
    EXPECT_EQ(w.edits().size(), edits);
    EXPECT_EQ(w.labels().size(), labels);
  }
  std::string label(size_t i) { return cp1251ToUtf8(w.labels().at(i)->caption); }
};

TEST_F(NetScreens, FromTheMainMenuToTheLobbyAndBack) {
  counts(5, 0, 0);
  EXPECT_EQ(cp1251ToUtf8(w.buttons()[1]->caption), "Сетевая игра");
  click(400, 182);
  ASSERT_EQ(g.screenState, NetGame);
  counts(3, 2, 2);
  EXPECT_EQ(w.edits()[1]->caption, "127.0.0.1");
  form.DXDrawMouseMove(400, 131);  // typing goes to the name under the pointer
  for (char c : std::string("Anna")) form.FormKeyPress(static_cast<uint8_t>(c));
  click(400, 232);  // "Создать игру"
  ASSERT_EQ(g.screenState, NetHost);
  counts(2, 5, 5);
  EXPECT_NE(w.mapList(), nullptr);
  EXPECT_EQ(form.netName, "Anna");
  EXPECT_EQ(w.edits()[2]->caption, "2");  // people, the host included
  click(400, 432);                        // "Назад"
  ASSERT_EQ(g.screenState, NetGame);
  EXPECT_EQ(w.edits()[0]->caption, "Anna");

  host.port = static_cast<uint16_t>(freePort());
  host.wanted = 3;
  ASSERT_TRUE(form.hostGame(host));
  ASSERT_EQ(g.screenState, NetLobby);
  EXPECT_EQ(label(1), "1. Anna");
  EXPECT_EQ(label(2), "Матч начнётся, когда наберутся все: 1 из 3");
  click(400, 412);  // "Начать сейчас" alone: there is nobody to play with
  EXPECT_EQ(g.screenState, NetLobby);
  EXPECT_EQ(g.match, nullptr);
  // The port is taken now: a second host on it is told so.
  EXPECT_THROW(NetPlay::host(form, host), Error);
  click(400, 462);  // "Выйти"
  EXPECT_EQ(g.screenState, NetGame);
  EXPECT_EQ(form.net, nullptr);
  // Trying again on a port someone holds is refused every time, each time in the dialog.
  const std::unique_ptr<NetPlay> holder = NetPlay::host(form, host);
  while (form.dialog.open()) form.dialog.close();
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_FALSE(form.hostGame(host));
    EXPECT_NE(form.dialog.text().find(std::to_string(host.port)), std::string::npos) << attempt;
    form.dialog.close();
  }

  // Classic, the main menu has no network play, from the next frame on.
  form.showScreen(MainMenu);
  setClassic(g.settings, true);
  frame();
  counts(4, 0, 0);
}

// Keys and a pad go through them as through the other screens: Enter in, Esc or the pad's B back, Up and
// Down picking the host's level, and Esc leaving the lobby.
TEST_F(NetScreens, KeysAndAPadFindTheirWay) {
  keys({40, 40, 13});  // the highlight shown, moved to "Сетевая игра", pressed
  ASSERT_EQ(g.screenState, NetGame);
  key(27);
  ASSERT_EQ(g.screenState, MainMenu);
  keys({40, 13});  // from the first button again
  ASSERT_EQ(g.screenState, NetGame);
  keys({9, 9, 13});  // from the name past the address to "Создать игру"
  ASSERT_EQ(g.screenState, NetHost);
  key(40);
  EXPECT_EQ(w.mapList()->scrollBar.position, 1);
  EXPECT_TRUE(w.edits()[0]->active);  // the highlight stays on the bots' field
  holdPad(0, 1u << PadB);
  ASSERT_EQ(g.screenState, NetGame);

  host.port = static_cast<uint16_t>(freePort());
  ASSERT_TRUE(form.hostGame(host));
  key(27);
  EXPECT_EQ(g.screenState, NetGame);
  EXPECT_EQ(form.net, nullptr);
}

}  // namespace
}  // namespace mv
