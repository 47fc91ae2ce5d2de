#pragma once
// Paints the tiles of one sheet, pattern by pattern, in the look of the sheet's theme. The painting
// is split by kind: blocks and platforms (TileBlocks.cpp), lethal cells (TileLethal.cpp), pipes,
// girders and overlays (TileDecor.cpp), fixtures and back walls (TileFixtures.cpp).

#include "Textures.h"
#include "common/ArtRng.h"

namespace mv::art {

// A liquid's colours: the dark depths, the glowing top, and the foam or bubbles on it.
struct Liquid {
  Color deep, glow, foam;
  bool bubbles;  // acid and plasma boil; lava only glows
};
constexpr Liquid kAcidLiquid{rgb(40, 110, 10), rgb(190, 255, 60), rgb(235, 255, 170), true};
// Lava, and the foundry's molten metal: white-hot at the top, glowing gold, deep orange below.
constexpr Liquid kLavaLiquid{rgb(200, 70, 6), rgb(255, 226, 120), rgb(255, 252, 226), false};

class TilePainter {
 public:
  explicit TilePainter(const Theme& theme) : t_(theme) {}
  // Pattern `index` (1..127) of the sheet, 16 x 16.
  Canvas paint(int index) const;

 private:
  bool is(Look look) const { return t_.look == look; }

  // TileBlocks.cpp
  // `wear` scales the rust and grain (the walls behind the play are kept quiet).
  void blockFace(Canvas& c, Color base, uint32_t variant, int ox, int oy, double wear = 1) const;
  void solid(Canvas& c, int index, Rng& rng) const;
  void edges(Canvas& c, int index) const;
  void special(Canvas& c, int index, Rng& rng) const;
  void platform(Canvas& c, int index) const;

  // TileLethal.cpp
  void lethal(Canvas& c, int index, Rng& rng) const;
  void spikes(Canvas& c, int dir) const;
  void liquid(Canvas& c, const Liquid& l, bool surface, uint32_t variant, double depth) const;
  void fence(Canvas& c, Rng& rng) const;

  // TileDecor.cpp
  void backPanel(Canvas& c, int variant, Rng& rng) const;
  void pipe(Canvas& c, int index) const;
  void girder(Canvas& c, int index) const;
  void overlay(Canvas& c, int variant, Rng& rng) const;

  // TileFixtures.cpp
  void fixture(Canvas& c, int index, Rng& rng) const;
  void mounted(Canvas& c, int index, Rng& rng) const;

  const Theme& t_;
};

}  // namespace mv::art
