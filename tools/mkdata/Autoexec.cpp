#include "Autoexec.h"

#include <filesystem>
#include <span>

#include "engine/archive/Picture.h"
#include "platform/Cp1251.h"

namespace mv {

std::string autoexecText() {
  // Player 1 plays with the left hand on W A S D and aims with the mouse; player 2 walks with the arrow
  // keys and aims, fires and switches weapons on the numeric keypad, so two people fit at one keyboard.
  static constexpr const char* kLines[] = {
      "# Mashvolt: run at the start of every match. One command per line; lines starting with # are",
      "# comments. Lines starting with p2 are for the second player of a Hotseat match.",
      "#",
      "# Shared settings",
      "sound 1",
      "msgtime 4000",
      "quality 1",
      "meatoff 0",
      "drawfps 0",
      "#",
      "# Player 1: keyboard and mouse",
      "name Игрок",
      "looktype 0",
      "sensivity 16",
      "model Doom",
      "bind A \"MOVELEFT\"",
      "bind D \"MOVERIGHT\"",
      "bind W \"JUMP\"",
      "bind S \"CROUCH\"",
      "bind MOUSE0 \"FIRE\"",
      "bind MOUSE1 \"ZOOM\"",
      "bind Q \"NEXTWEAPON\"",
      "bind T \"say Привет!\"",
      "bind F12 \"screenshot\"",
      "#",
      "# Player 2: arrows to move, numeric keypad to aim and shoot",
      "p2name Соперник",
      "p2looktype 2",
      "p2sensivity 15",
      "p2model Crimson",
      "p2bind LEFTARROW \"MOVELEFT\"",
      "p2bind RIGHTARROW \"MOVERIGHT\"",
      "p2bind UPARROW \"JUMP\"",
      "p2bind DOWNARROW \"CROUCH\"",
      "p2bind NUM0 \"FIRE\"",
      "p2bind NUM8 \"LOOKUP\"",
      "p2bind NUM5 \"LOOKDOWN\"",
      "p2bind NUM1 \"NEXTWEAPON\"",
      "p2bind NUM2 \"ZOOM\"",
      "p2bind NUM9 \"say Держись!\"",
  };
  std::string text;
  for (const char* line : kLines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void writeAutoexec(const std::string& gameDir) {
  const std::filesystem::path dir = std::filesystem::path(gameDir) / "SYSTEM";
  std::filesystem::create_directories(dir);
  const std::string bytes = utf8ToCp1251(autoexecText());
  writeWholeFile((dir / "autoexec.cfg").string(),
                 std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace mv
