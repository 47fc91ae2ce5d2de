#pragma once
// What lies behind the sprites: the level's background picture with the back tile layer over it.

namespace mv {

class TScrollBackGround;
class TBackSprite;

// Draws the background, then the back layer's tiles, onto the sprite engine's surface at its camera;
// either may be none. The screen comes out as drawing the one wholly and then the other would leave
// it, but where the tiles are no taller than a cell it is done sixteen rows at a time, each band's tiles
// laid while the band's background rows are still in the processor's nearest cache.
void drawBackdrop(TScrollBackGround* background, TBackSprite* backLayer);

}  // namespace mv
