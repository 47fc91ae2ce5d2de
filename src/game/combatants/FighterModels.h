#pragma once
// The colours fighters wear. The model archive holds the one fighter in eight colours, each a model of
// its own, "Doom" (the classic green soldier) first. With the "fightercolors" setting on, player 1 and
// player 2 wear the models they chose with "model" (by default the first and the second) and the bots
// the others in turn, so everyone in a match can be told apart at a glance; with it off every fighter
// is "Doom".

#include <span>
#include <string>
#include <string_view>

namespace mv {

class TMatch;

inline constexpr std::string_view kClassicModel = "Doom";

// All eight, in the order bots take them.
std::span<const std::string_view> fighterModels();
// The model of that name, whatever its letter case; empty when there is none.
std::string modelNamed(const std::string& name);

// Puts every fighter of the match into the model it wears now. A fighter on its feet changes at once,
// keeping its pose; a corpse keeps its picture and the fighter enters in the new one. Models missing
// from the archive are left out.
void dressFighters(TMatch& match);

}  // namespace mv
