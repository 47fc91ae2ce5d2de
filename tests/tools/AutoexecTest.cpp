// The start-up script uses only commands the console knows, in their syntax and ranges, and key names
// the bind command knows; both players can move, aim and fire without sharing a key.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "common/LevelFile.h"
#include "game/world/LevelFile.h"
#include "engine/archive/Picture.h"
#include "game/combatants/FighterModels.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

using namespace mv::tools;

// The key codes of the bind command's key-name table; 0 for a name it does not know.
int keyCode(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name.rfind("JOY", 0) == 0 && name.size() == 4 && std::isdigit(static_cast<unsigned char>(name[3])))
    return 1000 + (name[3] - '0');
  if (name.rfind("MOUSE", 0) == 0 && name.size() == 6 && name[5] >= '0' && name[5] <= '2')
    return 2000 + (name[5] - '0');
  if (name.size() == 1) return std::isalnum(static_cast<unsigned char>(name[0])) ? name[0] : 0;
  if (name.rfind("NUM", 0) == 0 && name.size() == 4 && std::isdigit(static_cast<unsigned char>(name[3])))
    return name[3] + 48;
  static const std::map<std::string, int> named{{"SHIFT", 16},      {"CTRL", 17},    {"SPACE", 32},
                                                {"CAPSLOCK", 20},   {"TAB", 9},      {"LEFTARROW", 37},
                                                {"RIGHTARROW", 39}, {"UPARROW", 38}, {"DOWNARROW", 40},
                                                {"ENTER", 13},      {"F12", 123}};
  const auto it = named.find(name);
  return it == named.end() ? 0 : it->second;
}

struct Player {
  std::map<std::string, int> actions;  // action -> key code
  std::vector<std::pair<int, std::string>> commands;
  std::string name, model;
  int lookType = -1, sensivity = 0;
};

const std::set<std::string> kCommands{"exit",       "quit",       "say",  "exec",      "ver",      "echo",
                                      "screenmode", "screenshot", "bind", "godmode",   "sound",    "drawfps",
                                      "meatoff",    "quality",    "name", "sensivity", "joydeadx", "joydeady",
                                      "msgtime",    "looktype",   "dump", "clear",     "model"};
const std::set<std::string> kActions{"JUMP",       "CROUCH", "MOVELEFT", "MOVERIGHT", "FIRE",
                                     "NEXTWEAPON", "ZOOM",   "LOOKUP",   "LOOKDOWN"};

int number(const std::string& text) {
  return parseInteger(text);
}

TEST(Autoexec, EveryLineIsAKnownCommandWithAUsableArgument) {
  const std::vector<uint8_t> bytes = readWholeFile("SYSTEM/autoexec.cfg");
  const std::string text(bytes.begin(), bytes.end());
  ASSERT_NE(text.find("\r\n"), std::string::npos);
  Player players[2];
  std::map<std::string, int> globals;
  for (std::string line : splitLines(text)) {
    if (line.empty() || line[0] == '#') continue;
    SCOPED_TRACE(cp1251ToUtf8(line));
    Player& player = players[line.rfind("p2", 0) == 0 ? 1 : 0];
    if (&player == &players[1]) line = line.substr(2);
    const size_t space = line.find(' ');
    std::string word = line.substr(0, space);
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string arg = space == std::string::npos ? "" : line.substr(space + 1);
    ASSERT_TRUE(kCommands.count(word)) << "unknown command";
    ASSERT_FALSE(arg.empty()) << "every line of the script sets something";

    if (word == "bind") {
      // bind KEY "COMMAND": one space, the key name, one space, the quoted command.
      const size_t quote = line.find('"');
      ASSERT_NE(quote, std::string::npos);
      ASSERT_EQ(line.back(), '"');
      const std::string key = line.substr(space + 1, quote - 1 - (space + 1));
      std::string command = line.substr(quote + 1, line.size() - quote - 2);
      for (char& c : command) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      EXPECT_EQ(line[quote - 1], ' ');
      const int code = keyCode(key);
      EXPECT_NE(code, 0) << "the bind command does not know the key " << key;
      if (kActions.count(command))
        player.actions[command] = code;
      else
        player.commands.push_back({code, command});
    } else if (word == "name") {
      player.name = arg;
    } else if (word == "looktype") {
      player.lookType = number(arg);
    } else if (word == "sensivity") {
      player.sensivity = number(arg);
    } else if (word == "model") {
      player.model = modelNamed(arg);
      EXPECT_EQ(player.model, arg) << "no such fighter model";
    } else if (word == "say" || word == "exec" || word == "echo" || word == "dump") {
      ADD_FAILURE() << "the start-up script should only set things up";
    } else {
      globals[word] = number(arg);
    }
  }

  EXPECT_EQ(globals["sound"], 1);
  EXPECT_EQ(globals["quality"], 1);
  EXPECT_GE(globals["msgtime"], 1000);
  EXPECT_LE(globals["msgtime"], 10000);
  for (const auto& [word, value] : globals) {
    if (word == "sound" || word == "quality" || word == "meatoff" || word == "drawfps") {
      EXPECT_TRUE(value == 0 || value == 1) << word;
    }
  }

  EXPECT_EQ(players[0].lookType, 0);  // mouse
  EXPECT_EQ(players[1].lookType, 2);  // keyboard aiming
  std::set<int> used;
  for (int p = 0; p < 2; ++p) {
    SCOPED_TRACE(p);
    const Player& player = players[p];
    EXPECT_GE(player.sensivity, 1);
    EXPECT_LE(player.sensivity, 999);
    EXPECT_FALSE(player.name.empty());
    EXPECT_LE(player.name.size(), 10u) << "names are cut at 10 bytes";
    for (const char* action : {"JUMP", "CROUCH", "MOVELEFT", "MOVERIGHT", "FIRE", "NEXTWEAPON"})
      EXPECT_TRUE(player.actions.count(action)) << action;
    for (const auto& [action, code] : player.actions) EXPECT_TRUE(used.insert(code).second) << action;
    for (const auto& [code, command] : player.commands) EXPECT_TRUE(used.insert(code).second) << command;
    EXPECT_LE(player.commands.size(), 11u);
    EXPECT_TRUE(std::any_of(player.commands.begin(), player.commands.end(), [](const auto& c) {
      return c.second.rfind("SAY ", 0) == 0;
    })) << "a chat key";
  }
  EXPECT_TRUE(players[1].actions.count("LOOKUP") && players[1].actions.count("LOOKDOWN"));
  // Each person in colours of their own.
  EXPECT_FALSE(players[0].model.empty());
  EXPECT_NE(players[0].model, players[1].model);
  EXPECT_TRUE(std::any_of(players[0].commands.begin(), players[0].commands.end(), [](const auto& c) {
    return c == std::pair<int, std::string>{123, "SCREENSHOT"};
  }));
  // The names are Russian, stored in Windows-1251.
  EXPECT_EQ(cp1251ToUtf8(players[0].name), "Игрок");
  EXPECT_EQ(cp1251ToUtf8(players[1].name), "Соперник");
}

}  // namespace
}  // namespace mv
