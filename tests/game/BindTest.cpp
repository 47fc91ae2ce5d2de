// Key names, the bind line, and the bind table.
#include "ConsoleFixture.h"
#include "game/console/Binds.h"
#include "game/console/KeyNames.h"
#include "game/console/TextRules.h"

namespace mv {
namespace {

using Lines = std::vector<std::string>;

struct Binding {
  uint8_t device;
  int32_t code;
};

TEST(KeyNames, EveryKindOfName) {
  const std::pair<const char*, Binding> names[] = {
      {"JOY0", {BindJoystick, 0}},        {"JOY5", {BindJoystick, 5}},     {"JOY12", {BindJoystick, 1}},
      {"MOUSE0", {BindMouse, 0}},         {"MOUSE2", {BindMouse, 2}},      {"MOUSE9", {BindMouse, 9}},
      {"5", {BindKeyboard, 53}},          {"Z", {BindKeyboard, 90}},       {"-", {BindKeyboard, 0}},
      {"NUM0", {BindKeyboard, 96}},       {"NUM5", {BindKeyboard, 101}},   {"NUM9", {BindKeyboard, 105}},
      {"SHIFT", {BindKeyboard, 16}},      {"CTRL", {BindKeyboard, 17}},    {"SPACE", {BindKeyboard, 32}},
      {"CAPSLOCK", {BindKeyboard, 20}},   {"TAB", {BindKeyboard, 9}},      {"LEFTARROW", {BindKeyboard, 37}},
      {"RIGHTARROW", {BindKeyboard, 39}}, {"UPARROW", {BindKeyboard, 38}}, {"DOWNARROW", {BindKeyboard, 40}},
      {"ENTER", {BindKeyboard, 13}},      {"F12", {BindKeyboard, 123}},    {"F11", {BindKeyboard, 0}},
      {"A ", {BindKeyboard, 0}},          {"space", {BindKeyboard, 0}},  // names arrive upper-cased
  };
  for (const auto& [name, want] : names) {
    SCOPED_TRACE(name);
    std::optional<BindRecord> r = keyNameToBind(name);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->device, want.device);
    EXPECT_EQ(r->code, want.code);
  }
  for (const char* bad : {"JOY", "JOYA", "MOUSE", "MOUSEX", "MOUSE-1", "NUM"})
    EXPECT_FALSE(keyNameToBind(bad)) << bad;
}

TEST(KeyNames, CaseMappingTouchesAsciiLettersOnly) {
  // Every Windows-1251 byte above 127 passes unchanged both ways, and no byte reaches a C library call.
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string upper = asciiUpper(all), lower = asciiLower(all);
  for (int b = 1; b < 256; ++b) {
    const char c = static_cast<char>(b);
    EXPECT_EQ(upper[b - 1], b >= 'a' && b <= 'z' ? static_cast<char>(b - 32) : c) << b;
    EXPECT_EQ(lower[b - 1], b >= 'A' && b <= 'Z' ? static_cast<char>(b + 32) : c) << b;
  }
  EXPECT_EQ(asciiUpper(cp("say Привет, мир!")), cp("SAY Привет, мир!"));
}

TEST(ActionNames, ExactUpperCaseNamesOnly) {
  EXPECT_EQ(actionIndex("JUMP"), ActJump);
  EXPECT_EQ(actionIndex("LOOKDOWN"), ActLookDown);
  EXPECT_EQ(actionIndex("FIRE"), ActFire);
  EXPECT_EQ(actionIndex("fire"), -1);
  EXPECT_EQ(actionIndex("FIRE "), -1);
  EXPECT_EQ(actionIndex(""), -1);
}

struct Binds : ConsoleFixture {
  TPlayer& p = joinPlayer(1);
};

TEST_F(Binds, ActionsHaveOneKeyEachAndLinesInSmallLettersBindLikeCapitals) {
  EXPECT_EQ(typed("bind mouse0 \"fire\""), Lines{});
  EXPECT_EQ(p.binds[ActFire].device, BindMouse);
  EXPECT_EQ(p.binds[ActFire].code, 0);
  typed("bind W \"JUMP\"");
  typed("bind SPACE \"JUMP\"");
  EXPECT_EQ(p.binds[ActJump].device, BindKeyboard);
  EXPECT_EQ(p.binds[ActJump].code, 32);
  EXPECT_EQ(p.binds[ActJump].command, "");
  EXPECT_EQ(p.commandBindCount, 0);
}

TEST_F(Binds, CommandBindsAddUpInCapitalsAndTheTwelfthIsRefused) {
  typed(cp("bind t \"say Привет\""));
  typed("BIND T \"say gg\"");
  EXPECT_EQ(p.commandBindCount, 2);
  EXPECT_EQ(p.binds[9].command, cp("SAY Привет"));
  EXPECT_EQ(p.binds[9].code, 'T');
  EXPECT_EQ(p.binds[10].command, "SAY GG");
  for (int i = 2; i < 11; ++i) EXPECT_EQ(typed("bind " + std::to_string(i % 10) + " \"echo x\""), Lines{});
  EXPECT_EQ(p.commandBindCount, 11);
  EXPECT_EQ(typed("bind F12 \"screenshot\""), Lines{cp("Неверное значение.")});
  EXPECT_EQ(p.commandBindCount, 11);
  EXPECT_EQ(p.binds[19].command, "ECHO X");
  // Actions still take their keys with the command slots full.
  typed("bind CTRL \"CROUCH\"");
  EXPECT_EQ(p.binds[ActCrouch].code, 17);
}

TEST_F(Binds, MalformedLinesStoreNothing) {
  const std::pair<const char*, const char*> refused[] = {
      {"bind", "bind [клавиша] \"[команда]\""},           {"bind A", "bind [клавиша] \"[команда]\""},
      {"bind A FIRE", "bind [клавиша] \"[команда]\""},    {"bind \"FIRE\"", "bind [клавиша] \"[команда]\""},
      {"bind A\"FIRE\"", "bind [клавиша] \"[команда]\""}, {"bind A \"\"", "bind [клавиша] \"[команда]\""},
      {"bind A \"", "bind [клавиша] \"[команда]\""},      {"bind A \"FIRE", "Неверный формат."},
      {"bind A \"FIRE\" ", "Неверный формат."},           {"bind JOY \"FIRE\"", "Неверный формат."},
      {"bind mousex \"FIRE\"", "Неверный формат."},       {"bind NUM \"FIRE\"", "Неверный формат."},
  };
  for (const auto& [line, reply] : refused) {
    SCOPED_TRACE(line);
    EXPECT_EQ(typed(line), Lines{cp(reply)});
  }
  for (const BindRecord& r : p.binds) EXPECT_EQ(r.code, 0);
  EXPECT_EQ(p.commandBindCount, 0);
  // Two spaces leave one on the name, which is then no key: stored as code 0, no reply.
  EXPECT_EQ(typed("bind A  \"FIRE\""), Lines{});
  EXPECT_EQ(p.binds[ActFire].code, 0);
}

TEST_F(Binds, TheP2PrefixBindsTheSecondPlayersTableOnly) {
  typed("p2bind UPARROW \"JUMP\"");
  EXPECT_EQ(p.binds[ActJump].code, 0);
  TPlayer& two = joinPlayer(2);
  typed("p2bind UPARROW \"JUMP\"");
  EXPECT_EQ(two.binds[ActJump].code, 38);
  EXPECT_EQ(p.binds[ActJump].code, 0);
  // A bound line that binds acts on the player whose key it is.
  console.runLine("BIND Q \"NEXTWEAPON\"", &two);
  EXPECT_EQ(two.binds[ActNextWeapon].code, 'Q');
  EXPECT_EQ(p.binds[ActNextWeapon].code, 0);
}

}  // namespace
}  // namespace mv
