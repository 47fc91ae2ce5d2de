#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/ArtCanvas.h"
#include "engine/archive/Picture.h"

namespace mv::art {

// One named picture of an image archive, cut into patterns of patternWidth x patternHeight (0: the
// whole picture). Transparent items are stored with the colour key below; opaque ones are composed
// over black.
struct ArtItem {
  std::string name;
  Canvas picture;
  int patternWidth = 0, patternHeight = 0;
  bool transparent = true;
  // Large photographic pictures (the menu backdrop) are stored as JPEG blocks to keep the archive small.
  bool jpeg = false;

  int patternCount() const;
};

// Fuchsia, the colour key of every transparent picture the game draws: "clFuchsia" (0x00BBGGRR and
// 0x00RRGGBB read the same for it).
constexpr uint32_t kKeyColor = 0xFF00FF;

// The opaque colour as it is stored: a colour that would fall on the key once the display converts it
// to 5-6-5 is moved off it by one step of green, so nothing drawn turns into a hole.
uint32_t storedColor(Color c);
// Soft edges, smoke and glows keep their see-through look on a colour-keyed picture as an ordered
// dither: a pixel of alpha a is drawn where a beats the 4 x 4 Bayer threshold of its position.
bool ditherOpaque(int x, int y, uint8_t alpha);
// Keyed: the pixels the dither leaves out become the key. Unkeyed: every pixel composed over black.
TPicture toPicture(const Canvas& canvas, bool keyed);
// The 16-bit pixel a 24-bit colour becomes on the 5-6-5 display (the low bits dropped).
uint16_t to565(uint32_t rgb);

}  // namespace mv::art
