#include "shell/MatchTexts.h"

#include <array>

#include "game/combatants/Man.h"
#include "game/world/MatchEvents.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

constexpr std::array<const char*, static_cast<size_t>(MatchText::Count)> kTexts = {
    "Матч окончен",   "Ничья",
    "Место",          "Имя",
    "Фраги",          "Смерти",
    "Ещё раз",        "Главное меню",
    "Лимит фрагов :", "Лимит времени, мин :",
};

constexpr std::array<const char*, kWeapons> kWeaponNames = {
    "Бластер", "Винтовка", "Дробовик", "Ракетница", "Редимер", "Флак", "Дискомёт", "Миниган",
};

std::string ru(const char* utf8) {
  return utf8ToCp1251(utf8);
}

std::string bracketed(int32_t weapon) {
  return "[" + weaponName(weapon) + "]";
}

}  // namespace

const std::string& matchText(MatchText which) {
  static const auto texts = [] {
    std::array<std::string, kTexts.size()> out;
    for (size_t i = 0; i < kTexts.size(); ++i) out[i] = ru(kTexts[i]);
    return out;
  }();
  return texts[static_cast<size_t>(which)];
}

std::string weaponName(int32_t weapon) {
  if (weapon < 0 || weapon >= kWeapons) return {};
  return ru(kWeaponNames[static_cast<size_t>(weapon)]);
}

std::string killLine(const MatchEvent& death) {
  const std::string& victim = death.fighter->name;
  if (death.weapon == kLethalCellDeath) return victim + " " + ru("[Ловушка]");
  if (death.killer == death.fighter) return victim + " " + bracketed(death.weapon) + " " + ru("сам себя");
  const std::string killer = death.killer ? death.killer->name + " " : std::string();
  return killer + bracketed(death.weapon) + " " + victim;
}

std::string deathNotice(const MatchEvent& death) {
  if (death.weapon == kLethalCellDeath) return ru("Вы погибли в ловушке");
  if (death.killer == death.fighter) return ru("Вы убили себя ") + bracketed(death.weapon);
  if (!death.killer) return ru("Вы убиты ") + bracketed(death.weapon);
  return ru("Вас убил ") + death.killer->name + " " + bracketed(death.weapon);
}

std::string respawnNotice(int32_t seconds) {
  return ru("Возрождение через ") + std::to_string(seconds);
}

std::string pickupNotice(const std::string& kind) {
  if (kind == "Health25") return ru("+25 здоровья");
  if (kind == "Health200") return ru("+ Мегаздоровье");
  if (kind == "Armor") return ru("+50 брони");
  // Weapons and ammunition carry the weapon's number right after their first letters.
  const auto weaponAt = [&kind](size_t at) {
    return at < kind.size() ? weaponName(kind[at] - '0') : std::string();
  };
  if (kind.starts_with("Weapon") && !weaponAt(6).empty()) return "+ " + weaponAt(6);
  if (kind.starts_with("Ammo") && !weaponAt(4).empty()) return ru("+ Патроны: ") + weaponAt(4);
  return {};
}

std::string clockText(int64_t ms) {
  const int64_t seconds = ms <= 0 ? 0 : (ms + 999) / 1000;
  const int64_t s = seconds % 60;
  return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

std::string winnerText(const std::string* winner) {
  return winner ? ru("Победил ") + *winner : matchText(MatchText::Draw);
}

std::string matchOverLine(const std::string* winner) {
  return matchText(MatchText::Over) + ". " + winnerText(winner) + ".";
}

}  // namespace mv
