#include "shell/Hud.h"

#include <string>

#include "engine/draw/TextCanvas.h"
#include "game/combatants/Man.h"
#include "game/combatants/Player.h"
#include "game/world/Match.h"
#include "net/NetTexts.h"
#include "shell/MainForm.h"
#include "shell/TableRows.h"

namespace mv {

bool healthColor(int32_t health, uint32_t& color) {
  struct Band {
    int32_t upTo;
    uint32_t color;
  };
  static const Band bands[] = {
      {19, colorRef(255, 0, 0)},  {39, colorRef(128, 0, 0)},    {79, colorRef(0, 128, 0)},
      {100, colorRef(0, 255, 0)}, {199, colorRef(0, 128, 128)}, {200, colorRef(0, 255, 255)},
  };
  if (health < 0 || health > 200) return false;
  for (const Band& band : bands) {
    if (health <= band.upTo) {
      color = band.color;
      return true;
    }
  }
  return false;
}

bool weaponShown(const TMan& fighter, int32_t w) {
  return fighter.getHasWeapon(w) && (fighter.getAmmo(w) > 0 || w == 0);
}

std::string fragTableName(const TMan& fighter) {
  return fighter.gone ? fighter.name + netText(NetText::GoneMark) : fighter.name;
}

std::vector<int32_t> scoreboardOrder(const TMatch* match) {
  std::vector<int32_t> order;
  if (!match) return order;
  const int32_t n = match->fighterCount();
  std::vector<bool> listed(static_cast<size_t>(n), false);
  for (int32_t rank = 0; rank < n; ++rank) {
    // Start from an unlisted fighter so nobody is picked twice however low the frags go.
    int32_t pick = -1;
    for (int32_t i = 0; i < n; ++i) {
      if (listed[static_cast<size_t>(i)]) continue;
      if (pick < 0 || match->fighter(i)->frags >= match->fighter(pick)->frags) pick = i;
    }
    listed[static_cast<size_t>(pick)] = true;
    order.push_back(pick);
  }
  return order;
}

void TMainForm::drawWeaponBar(const TMan& player) {
  TSurface& back = DXDraw.surface();
  const int h = DXDraw.height();
  ImageList.Items.find("WeapNoneList").draw(back, 50, h - 20, 0);
  for (int32_t w = 0; w < kWeapons; ++w) {
    if (!weaponShown(player, w)) continue;
    ImageList.Items.find("WeapGotList").draw(back, 50 + 38 * w, h - 20, w);
    if (w == player.currentWeapon) ImageList.Items.find("WeapSelected").draw(back, 50 + 38 * w, h - 20, 0);
  }
  ImageList.Items.find("Ammo" + std::to_string(player.currentWeapon)).draw(back, 0, h - 20, 0);
  TTextCanvas& canvas = back.canvas();
  // The number keeps the status block's size so it does not change with what was drawn before it.
  canvas.setFontSize(12);
  canvas.setFontBold(true);
  canvas.setFontColor(colorRef(255, 255, 255));
  canvas.textOut(20, h - 20, std::to_string(player.getAmmo(player.currentWeapon)));
  canvas.release();
}

void TMainForm::drawStatus(const TMan& player, int x, int y) {
  TSurface& back = DXDraw.surface();
  ImageList.Items.find("Health25").draw(back, x, y, 0);
  ImageList.Items.find("Armor").draw(back, x, y + 20, 0);
  ImageList.Items.find("Scull").draw(back, x, y + 40, 0);
  TTextCanvas& canvas = back.canvas();
  canvas.setFontSize(12);
  canvas.setFontBold(true);
  uint32_t color = colorRef(255, 255, 255);  // a dead fighter's health in a fixed colour
  healthColor(player.health, color);
  canvas.setFontColor(color);
  canvas.textOut(x + 25, y, std::to_string(player.health));
  canvas.setFontColor(colorRef(255, 255, 255));
  canvas.textOut(x + 25, y + 20, std::to_string(player.armor));
  canvas.textOut(x + 25, y + 40, std::to_string(player.frags));
  canvas.release();
}

std::array<TRect, 2> fragTablePanels(int32_t displayWidth, int32_t lastRowY) {
  const int32_t bottom = lastRowY + 25;
  const int32_t frags = (displayWidth / 3) * 2;
  // The buttons are 100 wide and centred; the names' panel stops 10 short of them.
  return {TRect{displayWidth / 5 - 10, 40, displayWidth / 2 - 60, bottom},
          TRect{frags - 10, 40, frags + 60, bottom}};
}

void TMainForm::drawScoreboard() {
  const Globals& g = state();
  const int w = DXDraw.Display.Width;
  const int h = DXDraw.Display.Height;
  std::vector<int32_t> order = scoreboardOrder(g.match);
  // The people's own rows stay in sight however many fighters there are.
  std::vector<int32_t> pinned;
  for (size_t r = 0; r < order.size(); ++r) {
    const TMan* fighter = g.match->fighter(order[r]);
    if (fighter && (fighter == g.player1 || fighter == g.player2)) pinned.push_back(static_cast<int32_t>(r));
  }
  const std::vector<TableRow> rows = fitRows(
      static_cast<int32_t>(order.size()), {.top = 50, .lastTop = h - 25, .step = 30, .minStep = 16}, pinned);
  TSurface& back = DXDraw.surface();
  // A network match shows each person's round trip and input delay right of the frags.
  const bool notes = net && net->inMatch() && !rows.empty();
  const TRect notesPanel = rows.empty() ? TRect{} : TRect{(w / 3) * 2 + 70, 40, w - 20, rows.back().y + 25};
  if (!rows.empty()) {
    back.canvas().release();
    for (const TRect& panel : fragTablePanels(w, rows.back().y)) darkenRect(back, panel);
    if (notes) darkenRect(back, notesPanel);
  }
  TTextCanvas& canvas = back.canvas();
  // The status block's font, whatever the console's feed drew with after it.
  canvas.setFontSize(12);
  canvas.setFontBold(true);
  for (const TableRow& row : rows) {
    const TMan* fighter = g.match->fighter(order[static_cast<size_t>(row.rank)]);
    uint32_t color = colorRef(255, 255, 255);
    if (fighter == g.player1)
      color = colorRef(0, 255, 0);
    else if (fighter == g.player2)
      color = colorRef(255, 0, 0);
    canvas.setFontColor(color);
    canvas.textOut(w / 5, row.y, std::to_string(row.rank + 1) + ". " + fragTableName(*fighter));
    canvas.textOut((w / 3) * 2, row.y, std::to_string(fighter->frags));
    if (notes) canvas.textOut(notesPanel.Left + 10, row.y, net->fragTableNote(fighter));
  }
}

}  // namespace mv
