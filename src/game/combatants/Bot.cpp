#include "game/combatants/Bot.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "game/Globals.h"
#include "game/combatants/ShotMath.h"
#include "game/console/Console.h"
#include "game/world/Match.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

// The chat texts are written readably here and converted to the game's code page once.
std::vector<std::string> cp1251Lines(std::initializer_list<const char*> utf8) {
  std::vector<std::string> lines;
  for (const char* line : utf8) lines.push_back(utf8ToCp1251(line));
  return lines;
}

const std::vector<std::string>& botNames() {
  static const std::vector<std::string> names = cp1251Lines({"CPU", "Computer", "Bot", "AI", "RoBOT"});
  return names;
}

const std::vector<std::string>& greetings() {
  static const std::vector<std::string> lines =
      cp1251Lines({"say Hi all !", "say :)))", "say Hi, fragZ !!!", "say Ну че, посоревнуемся ? =)",
                   "say Вы все МЯСО !!!"});
  return lines;
}

const std::vector<std::string>& deathLines() {
  static const std::vector<std::string> lines = cp1251Lines(
      {"say :(", "say Я тебя уничтожу !", "say Lucky shot !", "say Это нечестно !", "say Ты урод !",
       "say You suck !", "say Ну все, ты меня достал !!!", "say Damn, you're ugly !"});
  return lines;
}

const std::string& joinSuffix() {
  static const std::string text = utf8ToCp1251("(Bot) вошел в игру.");
  return text;
}

constexpr size_t kMaxName = 10;

bool nameTaken(const std::string& name, const TMan* self) {
  const TMatch* match = globals().match;
  for (int32_t i = 0; match && i < match->fighterCount(); ++i)
    if (match->fighter(i) != self && match->fighter(i)->name == name) return true;
  return false;
}

// Five names for any number of bots make the frag table useless: a name someone in the match already
// has gets the lowest free number ("Bot 2"), shortened to fit the ten characters of a name.
std::string uniqueName(const std::string& base, const TMan* self) {
  if (!nameTaken(base, self)) return base;
  for (int32_t n = 2;; ++n) {
    const std::string number = std::to_string(n);
    std::string name = base + " " + number;
    if (name.size() > kMaxName) name = base.substr(0, kMaxName - std::min(kMaxName, number.size())) + number;
    if (!nameTaken(name, self)) return name;
  }
}

}  // namespace

TBot::TBot(TSprite* parent) : TMan(parent) {
  Globals& g = globals();
  name = uniqueName(botNames()[static_cast<size_t>(g.random.random(5))], this);
  setModel("Doom");
  if (g.console) g.console->add(name + joinSuffix());
  runChat(greetings()[static_cast<size_t>(g.random.random(5))]);
  cooldown = 500 + g.random.random(2500);
  deathHandled = true;
  laziness = 0;
}

void TBot::runChat(const std::string& line) {
  if (TConsol* console = globals().console) console->runLine(line, this);
}

void TBot::moveSelf(int moveCount) {
  TMan::moveSelf(moveCount);
  Globals& g = globals();
  if (laziness == 100 && name != torchName_) {
    torchName_ = uniqueName("RUX_torch", this);
    name = torchName_;
  }
  if (alive()) {
    deathHandled = false;
    if ((cooldown <= 0 || currentWeapon == 7) && g.random.random(laziness) == 0) lookAndShoot();
    moveAndFight();
    updateImage();
    return;
  }
  if (deathHandled) return;
  const int32_t r = g.random.random(15);
  deathHandled = true;
  moveMode = 2;
  moveDir = static_cast<uint8_t>(g.random.random(2));
  if (r < static_cast<int32_t>(deathLines().size())) runChat(deathLines()[static_cast<size_t>(r)]);
}

bool TBot::botCanWalk(int32_t direction) const {
  if (!canWalk(direction)) return false;
  // Lethal cells block in every direction, over the same spans as the fighter's own test. A cell index
  // only grows with the pixel, so a pixel span covers the cells between those of its ends.
  const int64_t X = nearPixel(x), Y = nearPixel(y);
  const TRect& hb = hitBox;
  const Grid& grid = globals().grid;
  auto lethalIn = [&](bool column, int64_t line, int64_t from, int64_t to) {
    if (from > to) return false;
    for (int64_t c = from / 16; c <= to / 16; ++c)
      if ((column ? grid.at(line / 16, c) : grid.at(c, line / 16)) == CellLethal) return true;
    return false;
  };
  switch (direction) {
    case Left:
      return !lethalIn(true, X + hb.Left - 1, Y + hb.Top + 1, Y + hb.Bottom - 1);
    case Right:
      return !lethalIn(true, X + hb.Right + 1, Y + hb.Top + 1, Y + hb.Bottom - 1);
    case Up:
      return !lethalIn(false, Y + hb.Top - 1, X + hb.Left + 1, X + hb.Right - 1);
    case Down:
      return !lethalIn(false, Y + hb.Bottom + 1, X + hb.Left + 1, X + hb.Right - 1);
  }
  return true;
}

bool TBot::lethalAhead(int32_t side) const {
  const int64_t c = int64_t{truncRound((x + 16) / 16)} + (side == 1 ? 1 : -1);
  const int64_t r = truncRound(y / 16);
  const Grid& grid = globals().grid;
  for (int64_t row = r - 1; row <= r + 6; ++row)
    if (grid.at(c, row) == CellLethal) return true;
  return false;
}

bool TBot::ledgeAhead(int32_t side) {
  const double startX = x, startY = y;
  bool found = false;
  // The probe climbs a pixel at a time from 16 to 70 pixels up; once something is over its head it
  // rises no further, and nothing later can change the answer, nor can anything after a success.
  for (int32_t i = 16; i <= 70 && !found; ++i) {
    if (!botCanWalk(Up)) break;
    y = startY - i;
    if (botCanWalk(side)) {
      x = startX + (side == 1 ? 16 : -16);
      found = !botCanWalk(Down);
      x = startX;
    }
  }
  x = startX;
  y = startY;
  return found;
}

bool TBot::tryCrouchPast(int32_t side) {
  command(CmdCrouch);
  if (!botCanWalk(side)) return false;
  walkStep(side);
  return true;
}

void TBot::walkStep(int32_t side) {
  if (botCanWalk(side)) {
    if (lethalAhead(side))
      side = 1 - side;
    else
      command(side);
  } else if (tryCrouchPast(side)) {
    moveMode = 2;
  } else if (!crouched && ledgeAhead(side)) {
    moveMode = 1;
  } else if (!botCanWalk(Down)) {
    side = 1 - side;
  }
  moveDir = static_cast<uint8_t>(side);
  // The one-in-ten draw goes first: the ledge probe is the dearest test a bot makes, and the chance is
  // the same either way.
  if (globals().random.random(10) == 0 && ledgeAhead(side)) moveMode = 1;
}

void TBot::moveAndFight() {
  if (hasWeapon[7] && ammo[7] > 50) {
    currentWeapon = 7;
    fire();
  }
  if (hasWeapon[1] && ammo[1] > 0 && health > 60)
    moveMode = 0;
  else if (moveMode == 0)
    moveMode = 2;
  switch (moveMode) {
    case 0:
      command(CmdCrouch);
      break;
    case 1:
      command(CmdJump);
      if (botCanWalk(moveDir) || velY > 0) moveMode = 2;
      break;
    default:
      walkStep(moveDir);
      break;
  }
  if (!botCanWalk(Up)) engaged = false;
  if (engaged) {
    command(CmdJump);
    if (laziness <= 30 && !crouched) command(CmdCrouch);
  }
}

}  // namespace mv
