#include "Textures.h"

#include <algorithm>

#include "ArtItem.h"
#include "ArtOutput.h"
#include "TextureNames.h"
#include "TilePainter.h"

namespace mv::art {

namespace {

using namespace mv::tiles;

// clang-format off
constexpr Theme kThemes[] = {
  {"metal", rgb(104, 114, 128), rgb(230, 180, 60), rgb(36, 42, 52), rgb(60, 170, 40), rgb(170, 240, 110), 101, Look::Metal},
  {"rock", rgb(128, 88, 66), rgb(255, 150, 50), rgb(44, 30, 26), rgb(255, 100, 10), rgb(255, 220, 90), 202, Look::Rock},
  {"tech", rgb(60, 72, 100), rgb(70, 220, 255), rgb(20, 26, 40), rgb(120, 40, 230), rgb(244, 186, 255), 303, Look::Tech},
  {"hazard", rgb(120, 84, 62), rgb(236, 196, 32), rgb(44, 30, 26), kAcidLiquid.deep, kAcidLiquid.glow, 404, Look::Hazard},
};
// clang-format on

}  // namespace

Canvas TilePainter::paint(int index) const {
  Canvas tile(kTile, kTile);
  Rng rng(t_.seed * 1000 + static_cast<uint32_t>(index));
  if (index >= kSolidFirst && index <= kSolidLast)
    solid(tile, index, rng);
  else if (index >= kPlatformFirst && index <= kPlatformLast)
    platform(tile, index);
  else if (index >= kLethalFirst && index <= kLethalLast)
    lethal(tile, index, rng);
  else if (index >= kBackPanelFirst && index <= kBackPanelLast)
    backPanel(tile, index - kBackPanelFirst, rng);
  else if (index >= kPipeHorizontal && index <= kPipeValve)
    pipe(tile, index);
  else if (index >= kGirderHorizontal && index <= kBoltPlate)
    girder(tile, index);
  else if (index >= kLamp && index <= kChain)
    fixture(tile, index, rng);
  else if (index >= kOverlayFirst && index <= kOverlayLast)
    overlay(tile, index - kOverlayFirst, rng);
  else if (index >= kBackFillFirst && index <= kBackFillLast)
    backPanel(tile, index - kBackFillFirst + 8, rng);
  else if (index >= kMountedFirst && index <= kMountedLast)
    mounted(tile, index, rng);
  return tile;
}

const Theme& theme(int index) {
  return kThemes[std::clamp(index, 0, 3)];
}

Canvas tileSheet(const Theme& t) {
  Canvas sheet(kSheetColumns * kTile, kSheetRows * kTile);
  TilePainter painter(t);
  for (int index = 1; index < kSheetColumns * kSheetRows; ++index)
    sheet.draw(painter.paint(index), (index % kSheetColumns) * kTile, (index / kSheetColumns) * kTile);
  return sheet;
}

void writeTextures(const std::string& gameDir) {
  for (int i = 0; i < 4; ++i) {
    const Theme& t = theme(i);
    writeIfChanged(gameDir + "/Textures/" + t.name + ".bmp", encodeBitmapFile(toPicture(tileSheet(t), true)));
  }
}

}  // namespace mv::art
