#pragma once
// The heads-up display's arithmetic, kept apart from the drawing so it can be checked on its own.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/draw/Geometry.h"

namespace mv {

class TMan;
class TMatch;

// The health number's colour (0x00BBGGRR), or none for values outside 0 .. 200.
bool healthColor(int32_t health, uint32_t& color);

// Whether the weapon bar shows weapon w's icon: owned, and with ammunition unless it is weapon 0.
bool weaponShown(const TMan& fighter, int32_t w);

// A fighter's name in the frag tables, marked when its person has left a network match.
std::string fragTableName(const TMan& fighter);

// The frag table's order: indexes into the match's fighter list, most frags first; on equal frags the
// fighter who joined later comes first.
std::vector<int32_t> scoreboardOrder(const TMatch* match);

// The frag table's dark panels down to its last row: one under the places and names, one under the
// frags, and between them the column of the pause menu's buttons, which covers neither.
std::array<TRect, 2> fragTablePanels(int32_t displayWidth, int32_t lastRowY);

}  // namespace mv
