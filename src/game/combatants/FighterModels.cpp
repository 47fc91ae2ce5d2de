#include "game/combatants/FighterModels.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "engine/draw/DXImageList.h"
#include "game/Globals.h"
#include "game/combatants/Player.h"
#include "game/world/Match.h"

namespace mv {
namespace {

constexpr std::array<std::string_view, 8> kModels = {"Doom",   "Crimson", "Cobalt", "Amber",
                                                     "Violet", "Teal",    "Rose",   "Frost"};

bool inArchive(std::string_view model) {
  TDXImageList* models = globals().modelList;
  return models && models->Items.findOrNull(std::string(model) + "_R");
}

// Wears `model` from now on. The body picture is chosen from the model name at every step and entry,
// so a living fighter only needs its picture chosen again.
void wear(TMan& man, const std::string& model) {
  if (man.modelName == model) return;
  man.modelName = model;
  if (man.visible && man.health > 0) man.updateImage();
}

}  // namespace

std::span<const std::string_view> fighterModels() {
  return kModels;
}

std::string modelNamed(const std::string& name) {
  for (std::string_view model : kModels)
    if (std::equal(model.begin(), model.end(), name.begin(), name.end(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        }))
      return std::string(model);
  return {};
}

void dressFighters(TMatch& match) {
  Globals& g = globals();
  if (!g.settings.fighterColors) {
    for (int32_t i = 0; i < match.fighterCount(); ++i) wear(*match.fighter(i), std::string(kClassicModel));
    return;
  }
  std::vector<std::string> available;
  for (std::string_view model : kModels)
    if (inArchive(model)) available.emplace_back(model);
  if (available.empty()) return;

  // The people first: each keeps the model chosen, player 2 the next free one when player 1 has it.
  auto chosen = [&](const TPlayer* player, size_t fallback) {
    const std::string own = player ? modelNamed(player->modelChoice) : std::string();
    auto at = std::find(available.begin(), available.end(), own);
    return at != available.end() ? static_cast<size_t>(at - available.begin())
                                 : std::min(fallback, available.size() - 1);
  };
  const size_t first = chosen(g.player1, 0);
  size_t second = chosen(g.player2, 1);
  if (g.player2 && second == first) second = (first + 1) % available.size();
  std::vector<std::string> left;
  for (size_t i = 0; i < available.size(); ++i)
    if (i != first && !(g.player2 && i == second)) left.push_back(available[i]);
  if (left.empty()) left = available;

  size_t next = 0;
  for (int32_t i = 0; i < match.fighterCount(); ++i) {
    TMan& man = *match.fighter(i);
    if (&man == g.player1)
      wear(man, available[first]);
    else if (&man == g.player2)
      wear(man, available[second]);
    else
      wear(man, left[next++ % left.size()]);
  }
}

}  // namespace mv
