#pragma once
// The tile sheets mkdata writes to "Textures\<name>.bmp", and what each pattern of them shows. Every
// sheet has the same layout, so a level can change its look by naming another sheet; what a pattern
// shows follows the sheet's theme (a crate in "metal" is a boulder in "rock", a server rack in "tech"
// and a toxic drum in "hazard"), and the comments give the pieces theme by theme where they differ.
//
// A sheet is 16 x 8 patterns of 16 x 16 pixels, numbered row by row from 0. A level's back and front
// layers hold pattern numbers 1..127 (0 is an empty cell), written as the character with code value + 20.
// What a cell does is decided by the collision layer alone (1 solid, 2 platform, 3 lethal); the ranges
// below say which pictures are drawn to go with which kind of cell.
//
// The colour key of every sheet is fuchsia: the see-through parts of platforms, spikes, pipes and the
// other overlay pictures show whatever is behind them.

#include <array>
#include <string_view>

namespace mv::tiles {

inline constexpr std::array<std::string_view, 4> kTextureNames{"metal", "rock", "tech", "hazard"};

// Solid blocks (collision 1), opaque.
inline constexpr int kSolidFirst = 1, kSolidLast = 15;
inline constexpr int kWall = 1;       // plain fill
inline constexpr int kWallAlt1 = 2;   // fill, other look
inline constexpr int kWallDeep = 3;   // the dark mass deep inside thick walls and round the level
inline constexpr int kFloor = 4;      // fill with a lit walking surface on top
inline constexpr int kCeiling = 5;    // fill with a dark lower edge
inline constexpr int kWallLeft = 6;   // fill with its left edge showing
inline constexpr int kWallRight = 7;  // fill with its right edge showing
inline constexpr int kCornerTopLeft = 8, kCornerTopRight = 9;
inline constexpr int kCornerBottomLeft = 10, kCornerBottomRight = 11;
inline constexpr int kCrate = 12;      // metal crate, rock boulder, tech server rack, hazard toxic drum
inline constexpr int kPillar = 13;     // steel column, stone column, light column, striped rusty column
inline constexpr int kVentBlock = 14;  // vent, cave hollow, hex grille, drain grate oozing acid
inline constexpr int kLampBlock = 15;  // lamp, glowing crystal vein, light panel, red warning beacon

// Platforms (collision 2): a thin walkway in the top 6 pixels, see-through below. The walkway is a
// steel plate in "metal", a rock ledge (16..19) or a plank bridge (20..23) in "rock", a slab with a
// light strip in "tech", a striped rusty plate in "hazard".
inline constexpr int kPlatformFirst = 16, kPlatformLast = 31;
inline constexpr int kPlatformLeft = 16, kPlatformMiddle = 17, kPlatformRight = 18, kPlatformSingle = 19;
inline constexpr int kGrateLeft = 20, kGrateMiddle = 21, kGrateRight = 22, kGrateSingle = 23;
inline constexpr int kPlatformStrut = 24;  // a support beam to hang under a platform (decoration)
// 25..31: more middle pieces of the plain walkway, for variety.

// Lethal cells (collision 3).
inline constexpr int kLethalFirst = 32, kLethalLast = 47;
// Steel spikes in "metal", stone stalagmites in "rock", red-hot emitter prongs in "tech", rusty
// jagged spikes in "hazard".
inline constexpr int kSpikesUp = 32, kSpikesDown = 33, kSpikesLeft = 34, kSpikesRight = 35;
// The sheet's own liquid: green coolant in "metal", lava in "rock", violet plasma in "tech", bubbling
// green acid in "hazard". The surface has air above it, and a bright line where it meets the air.
inline constexpr int kLiquidSurface = 36;
inline constexpr int kLiquid = 37;  // the same liquid, a full cell
inline constexpr int kLiquidSurfaceAlt = 38, kLiquidAlt = 39;
inline constexpr int kEnergyFence = 40;  // a vertical barrier: electric, a curtain of fire in "rock"
// Acid and lava in every sheet, whatever its own liquid.
inline constexpr int kAcidSurface = 41, kAcid = 42;
inline constexpr int kLavaSurface = 43, kLava = 44;
inline constexpr int kLiquidSurfaceAlt2 = 45;               // the sheet's liquid again, a third surface
inline constexpr int kLiquidDeep1 = 46, kLiquidDeep2 = 47;  // and darker full cells for the depths

// Decoration, for the back layer (behind the fighters) or the front layer (over them).
inline constexpr int kDecorFirst = 48, kDecorLast = 127;
inline constexpr int kBackPanelFirst = 48, kBackPanelLast = 55;  // opaque dark back walls
// Pipes in "metal", roots in "rock", lit conduits in "tech", leaking rusty pipes in "hazard".
inline constexpr int kPipeHorizontal = 56, kPipeVertical = 57;
inline constexpr int kPipeDownRight = 58, kPipeDownLeft = 59, kPipeUpRight = 60, kPipeUpLeft = 61;
inline constexpr int kPipeJunction = 62, kPipeValve = 63;
// Steel girders; timber beams in "rock", thin struts in "tech", rusty girders in "hazard".
inline constexpr int kGirderHorizontal = 64, kGirderVertical = 65, kGirderCross = 66;
inline constexpr int kGirderRising = 67, kGirderFalling = 68;  // diagonals: / and \ .
inline constexpr int kGirderLeftEnd = 69, kGirderRightEnd = 70, kBoltPlate = 71;
// Fixtures, see-through round them (they float over whatever is behind; for a back wall see the
// mounted ones at 120..127). By theme:
//   metal:  caged lamp, warning sign, exit arrows, monitor, fan, cable run, chain
//   rock:   torch, horned skull, cave paintings (hand, hunter), fossil, crystals, hanging roots, rope
//   tech:   strip light, hologram sign, chevrons, display, turbine, fibre bundle, data cable
//   hazard: beacon, biohazard sign, painted flow arrows, pressure gauge, exhaust fan, tagged cables, chain
inline constexpr int kLamp = 72, kWarningSign = 73, kArrowRight = 74, kArrowLeft = 75;
inline constexpr int kMonitor = 76, kFan = 77, kCables = 78, kChain = 79;
// See-through grime, drips, moss, cracks, stripes by theme, to lay over the top edge of a block.
inline constexpr int kOverlayFirst = 80, kOverlayLast = 95;
inline constexpr int kBackFillFirst = 96, kBackFillLast = 119;  // more opaque back walls
// Opaque back walls with a fixture on them, for the places of a back wall (a see-through fixture
// there would show the background through a hole round it).
inline constexpr int kMountedFirst = 120, kMountedLast = 127;
inline constexpr int kWallLamp = 120, kWallSign = 121, kWallMonitor = 122, kWallFan = 123;
inline constexpr int kWallCables = 124, kWallPipe = 125, kWallVent = 126, kWallChain = 127;

}  // namespace mv::tiles
