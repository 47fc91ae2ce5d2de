// The end of a match: the world stops where it is, its sounds with it, and over the frozen view the
// end screen shows the winner (or the draw) and the whole table, place, name, frags and deaths, with
// the people's own rows marked. "Ещё раз" starts the same setup again from scratch; "Главное меню"
// leaves.
#include <string>
#include <vector>

#include "engine/draw/TextCanvas.h"
#include "game/combatants/Player.h"
#include "platform/Mixer.h"
#include "shell/Hud.h"
#include "shell/MainForm.h"
#include "shell/MatchTexts.h"
#include "shell/TableRows.h"

namespace mv {
namespace {

constexpr int kPanelHalfWidth = 290, kPanelTop = 30, kPanelBottom = 580;
constexpr int kTitleY = 40, kWinnerY = 75, kHeadingY = 115;
constexpr TableBand kRows{.top = 140, .lastTop = 500, .step = 24, .minStep = 16};
constexpr int kColumns[4] = {40, 110, 360, 460};  // place, name, frags, deaths; from the panel's left
constexpr int kButtonsY = 540, kButtonGap = 40;

const std::string* winnerName(const TMatch& match) {
  const int32_t w = match.rules.winner();
  return w < 0 ? nullptr : &match.fighter(w)->name;
}

}  // namespace

void TMainForm::endMatch() {
  Globals& g = state();
  // Ended behind a pause menu that let the world run: that menu goes first.
  if (g.screenState == PauseMenu) tearDownScreen();
  platform_.mixer().stopAll();
  if (Console && g.match) Console->addLine(matchOverLine(winnerName(*g.match)));
  // Every machine of a network match ends at this same tick, and waits for nobody from here on.
  if (net) net->finish();
  buildScreen(MatchEnd);
}

void TMainForm::buildEndScreen() {
  const int w = DXDraw.Display.Width;
  // Another network match needs everyone in a lobby again: only the way out is offered.
  if (networkMatch()) {
    widgets.addButton(matchText(MatchText::MainMenu), kButtonsY, [this](TDXButton&) { returnToMainMenu(); });
    return;
  }
  TDXImageButton& again = widgets.addButton(matchText(MatchText::PlayAgain), kButtonsY, [this](TDXButton&) {
    // The finished match goes and the same setup starts afresh: new fighters, nothing carried over.
    startMatch(lastSetup_);
  });
  TDXImageButton& leave = widgets.addButton(matchText(MatchText::MainMenu), kButtonsY,
                                            [this](TDXButton&) { returnToMainMenu(); });
  again.x = w / 2 - kButtonGap / 2 - again.width;
  leave.x = w / 2 + kButtonGap / 2;
}

void TMainForm::drawEndScreen() {
  const Globals& g = state();
  if (!g.match) return;
  const TMatch& match = *g.match;
  const int w = DXDraw.Display.Width;
  TSurface& back = DXDraw.surface();
  const TRect panel{w / 2 - kPanelHalfWidth, kPanelTop, w / 2 + kPanelHalfWidth, kPanelBottom};
  back.canvas().release();
  // A network match's table is the same on every machine: over the menu's picture, not this machine's
  // own view, and with every person's row marked alike.
  const bool shared = networkMatch();
  if (shared) ImageList.Items.find("BackMenu").stretchDraw(back, {0, 0, w, DXDraw.Display.Height}, 0);
  auto person = [&](const TMan* f) { return shared ? f->isHuman() : f == g.player1 || f == g.player2; };
  darkenRect(back, panel);
  darkenRect(back, panel);

  const std::vector<Standing> table = finalStandings(match);
  std::vector<int32_t> pinned;
  for (size_t r = 0; r < table.size(); ++r) {
    if (person(match.fighter(table[r].fighter))) pinned.push_back(static_cast<int32_t>(r));
  }
  const std::vector<TableRow> rows = fitRows(static_cast<int32_t>(table.size()), kRows, pinned);
  const std::array<const TMan*, 2> people = {shared ? nullptr : g.player1, shared ? nullptr : g.player2};
  // The people's rows get a lighter stripe besides their colour.
  for (const TableRow& row : rows) {
    if (!person(match.fighter(table[static_cast<size_t>(row.rank)].fighter))) continue;
    fillRect(back, {panel.Left + 10, row.y - 1, panel.Right - 10, row.y + 16}, rgb565(40, 40, 90));
  }

  TTextCanvas& canvas = back.canvas();
  auto centred = [&](int y, const std::string& text) {
    canvas.textOut((w - canvas.textWidth(text)) / 2, y, text);
  };
  canvas.setFontBold(true);
  canvas.setFontSize(20);
  canvas.setFontColor(colorRef(255, 255, 255));
  centred(kTitleY, matchText(MatchText::Over));
  canvas.setFontSize(14);
  canvas.setFontColor(colorRef(255, 255, 0));
  centred(kWinnerY, winnerText(winnerName(match)));

  canvas.setFontSize(10);
  canvas.setFontColor(colorRef(160, 160, 160));
  for (int c = 0; c < 4; ++c)
    canvas.textOut(panel.Left + kColumns[c], kHeadingY,
                   matchText(static_cast<MatchText>(static_cast<int>(MatchText::Place) + c)));
  canvas.setFontSize(12);
  for (const TableRow& row : rows) {
    const Standing& s = table[static_cast<size_t>(row.rank)];
    const TMan* f = match.fighter(s.fighter);
    canvas.setFontColor(fighterColor(f, people));
    const std::string cells[4] = {std::to_string(s.place) + ".", fragTableName(*f), std::to_string(f->frags),
                                  std::to_string(f->deaths)};
    for (int c = 0; c < 4; ++c) canvas.textOut(panel.Left + kColumns[c], row.y, cells[c]);
  }
  canvas.release();
}

}  // namespace mv
