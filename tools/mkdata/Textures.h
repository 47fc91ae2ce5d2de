#pragma once
#include <string>

#include "common/ArtCanvas.h"

namespace mv::art {

constexpr int kTile = 16;
constexpr int kSheetColumns = 16, kSheetRows = 8;

// How a sheet's pieces are made: riveted steel, natural rock, lit panels, corroded plant.
enum class Look { Metal, Rock, Tech, Hazard };

// The look of one tile sheet, also used by its background picture.
struct Theme {
  const char* name;
  Color solid;   // the blocks
  Color accent;  // trims, lights
  Color back;    // the walls behind
  Color liquid;  // what fills the lethal pools
  Color liquidGlow;
  uint32_t seed;
  Look look;
};

const Theme& theme(int index);  // 0..3, in the order of the texture names
// The whole sheet, 256 x 128, see TextureNames.h for what every pattern shows.
Canvas tileSheet(const Theme& theme);
void writeTextures(const std::string& gameDir);

}  // namespace mv::art
