#include "game/combatants/Bot.h"

#include <cmath>
#include <string>
#include <vector>

#include "game/Globals.h"
#include "game/console/Console.h"
#include "game/world/Match.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFarthestSight = 131 * 16 * 2;

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

// Weapon preferences by distance class: close, middle, far.
constexpr int32_t kPreferences[3][7] = {
    {7, 5, 2, 1, 6, 4, 0},
    {7, 4, 1, 3, 2, 6, 0},
    {7, 4, 1, 6, 3, 0, -1},
};

}  // namespace

TBot::TBot(TSprite* parent) : TMan(parent) {
  Globals& g = globals();
  name = botNames()[static_cast<size_t>(g.random.random(5))];
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
  if (laziness == 100) name = "RUX_torch";
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
  // Lethal cells block in every direction: the same spans as the fighter's own test.
  const int64_t X = nearPixel(x), Y = nearPixel(y);
  const TRect& hb = hitBox;
  const Grid& grid = globals().grid;
  auto cell = [&](int64_t px, int64_t py) { return grid.at(px / 16, py / 16); };
  auto lethalInColumn = [&](int64_t px) {
    for (int64_t py = Y + hb.Top + 1; py <= Y + hb.Bottom - 1; ++py)
      if (cell(px, py) == CellLethal) return true;
    return false;
  };
  auto lethalInRow = [&](int64_t py) {
    for (int64_t px = X + hb.Left + 1; px <= X + hb.Right - 1; ++px)
      if (cell(px, py) == CellLethal) return true;
    return false;
  };
  switch (direction) {
    case Left: return !lethalInColumn(X + hb.Left - 1);
    case Right: return !lethalInColumn(X + hb.Right + 1);
    case Up: return !lethalInRow(Y + hb.Top - 1);
    case Down: return !lethalInRow(Y + hb.Bottom + 1);
  }
  return true;
}

bool TBot::lethalAhead(int32_t side) const {
  const int64_t c = static_cast<int64_t>(std::trunc((x + 16) / 16)) + (side == 1 ? 1 : -1);
  const int64_t r = static_cast<int64_t>(std::trunc(y / 16));
  const Grid& grid = globals().grid;
  for (int64_t row = r - 1; row <= r + 6; ++row)
    if (grid.at(c, row) == CellLethal) return true;
  return false;
}

bool TBot::ledgeAhead(int32_t side) {
  const double startX = x, startY = y;
  bool found = false;
  for (int32_t i = 16; i <= 70; ++i) {
    if (!botCanWalk(Up)) continue;
    y = startY - i;
    if (botCanWalk(side)) {
      x += side == 1 ? 16 : -16;
      if (!botCanWalk(Down)) found = true;
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
  if (ledgeAhead(side) && globals().random.random(10) == 0) moveMode = 1;
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
    case 0: command(CmdCrouch); break;
    case 1:
      command(CmdJump);
      if (botCanWalk(moveDir) || velY > 0) moveMode = 2;
      break;
    default: walkStep(moveDir); break;
  }
  if (!botCanWalk(Up)) engaged = false;
  if (engaged) {
    command(CmdJump);
    if (laziness <= 30 && !crouched) command(CmdCrouch);
  }
}

bool TBot::usable(int32_t w) const {
  return getHasWeapon(w) && (w == 0 || getAmmo(w) >= 1);
}

void TBot::chooseWeapon(int32_t rangeClass) {
  for (int32_t w : kPreferences[rangeClass]) {
    if (w >= 0 && usable(w)) {
      useWeapon(w);
      return;
    }
  }
}

TMan* TBot::findTarget() const {
  const TMatch* match = globals().match;
  if (!match) return nullptr;
  // Candidates nearest first, so the sight line is walked only until the first visible one.
  struct Candidate {
    double dist2;
    int32_t index;
    TMan* man;
  };
  std::vector<Candidate> candidates;
  for (int32_t i = 0; i < match->fighterCount(); ++i) {
    TMan* f = match->fighter(i);
    if (f == this || !f->alive()) continue;
    const double dx = x - f->x, dy = y - f->y;
    candidates.push_back({std::nearbyint(dx * dx + dy * dy), i, f});
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.dist2 < b.dist2; });
  for (const Candidate& c : candidates)
    if (lineOfSight(c.man->x + 20, c.man->y + 20)) return c.man;
  return nullptr;
}

void TBot::lookAndShoot() {
  TMan* target = findTarget();
  if (!target) {
    engaged = false;
    return;
  }
  const double dx = x - target->x, dy = y - target->y;
  const double d = std::trunc(std::sqrt(std::nearbyint(dx * dx + dy * dy)));
  chooseWeapon(d < 200 ? 0 : (d <= 500 ? 1 : 2));
  aimAngle = aimAt(target->x + 20, target->y + 20);
  engaged = true;
  fire();
}

bool TBot::lineOfSight(double tx, double ty) const {
  const double sx = std::trunc(x) + 21, sy = std::trunc(y) + 24;
  if (!std::isfinite(sx) || !std::isfinite(sy) || !std::isfinite(tx) || !std::isfinite(ty)) return false;
  double n = std::trunc(std::hypot(tx - sx, ty - sy));
  if (n == 0) n = 1;
  if (n > kFarthestSight) return false;  // further than any map reaches
  const double stepX = (tx - sx) / n, stepY = (ty - sy) / n;
  const Grid& grid = globals().grid;
  // Each point is computed from the start, so the walk stays exact however long it is, and it ends
  // after n + 1 steps at the latest (the target is reached by then).
  const int64_t steps = static_cast<int64_t>(n) + 1;
  for (int64_t i = 1; i <= steps; ++i) {
    const double px = sx + stepX * static_cast<double>(i), py = sy + stepY * static_cast<double>(i);
    if (std::fabs(px - tx) < 5 && std::fabs(py - ty) < 5) return true;
    const int64_t col = static_cast<int64_t>(std::trunc(px)) / 16;
    const int64_t row = static_cast<int64_t>(std::trunc(py)) / 16;
    if (grid.at(col, row) == CellSolid) return false;
  }
  return false;
}

int32_t TBot::aimAt(double tx, double ty) {
  if (tx == x) return 0;
  turn(tx > x ? 1 : 0);
  const double e = tx - x - 20, h = (y + 20) - ty;
  if (e == 0) return 0;
  return 360 - static_cast<int32_t>(std::trunc(std::atan(h / e) * 180 / kPi));
}

}  // namespace mv
