#pragma once
#include "common/ArtCanvas.h"

namespace mv::art {

// A mock match screen in the given theme (0..3): background, a strip of level, fighters holding
// their guns, pick-ups, effects and the HUD, laid out as the game places them. For judging how the
// pieces read together; the game never loads it.
Canvas previewScene(int themeIndex);

}  // namespace mv::art
