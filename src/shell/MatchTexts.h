#pragma once
// What the match tells the people in words: the kill lines, the death and pick-up notices, the time
// left and the end of the match. Windows-1251 bytes, converted once from the readable literals in
// MatchTexts.cpp.

#include <cstdint>
#include <string>

namespace mv {

struct MatchEvent;

enum class MatchText {
  Over,   // "Матч окончен"
  Draw,   // "Ничья"
  Place,  // the end table's headings
  Name,
  Frags,
  Deaths,
  PlayAgain,  // "Ещё раз"
  MainMenu,   // "Главное меню"
  FragLimit,  // the setup screen's "Лимит фрагов :"
  TimeLimit,  // "Лимит времени, мин :"
  Count
};

const std::string& matchText(MatchText which);

// A weapon's name (0 .. 7); empty for any other number.
std::string weaponName(int32_t weapon);

// "Игрок [Ракетница] Bot", a suicide's "Bot [Ракетница] сам себя", a lethal cell's "Bot [Ловушка]".
std::string killLine(const MatchEvent& death);
// What the dead person reads: who killed it and with what.
std::string deathNotice(const MatchEvent& death);
// "Возрождение через 2"
std::string respawnNotice(int32_t seconds);
// "+25 здоровья", "+ Ракетница"; empty for a kind nobody can take.
std::string pickupNotice(const std::string& kind);

// "4:05": minutes and seconds, the seconds rounded up, so "0:00" is the end.
std::string clockText(int64_t ms);

// "Победил NAME", or "Ничья" without a winner.
std::string winnerText(const std::string* winner);
// The console's "Матч окончен. Победил NAME." or "Матч окончен. Ничья."
std::string matchOverLine(const std::string* winner);

}  // namespace mv
