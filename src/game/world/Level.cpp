#include "game/world/Level.h"

#include <memory>

#include "engine/archive/Picture.h"
#include "engine/draw/DXImageList.h"
#include "game/Globals.h"
#include "game/combatants/FighterModels.h"
#include "game/world/BackSprite.h"
#include "game/world/Item.h"
#include "game/world/LevelFile.h"
#include "game/world/Match.h"
#include "platform/Error.h"

namespace mv {
namespace {

constexpr const char* RespawnKind = "Respawn";

TPictureCollection& levelImages() {
  Globals& g = globals();
  // Entries 0 and 1 are the level's tile sheet and background slots.
  int count = g.imageList ? g.imageList->Items.count() : 0;
  if (count < 2) throw Error(format("List index out of bounds (%d)", count));
  return g.imageList->Items;
}

void replacePicture(TPictureCollectionItem& item, TPicture picture) {
  item.setPicture(std::move(picture));
  item.restore();
}

std::unique_ptr<TBackSprite> makeLayer(const LevelData& level, const std::vector<uint8_t>& tiles) {
  auto layer = std::make_unique<TBackSprite>();
  for (int32_t row = 0; row < level.height; ++row)
    for (int32_t col = 0; col < level.width; ++col) layer->addTile(col, row, level.cell(tiles, col, row));
  return layer;
}

}  // namespace

void applyLevel(const LevelData& level) {
  Globals& g = globals();
  g.backLayer = makeLayer(level, level.backTiles);
  g.grid.clear();
  for (int32_t row = 0; row < level.height; ++row)
    for (int32_t col = 0; col < level.width; ++col)
      g.grid.set(col, row, level.cell(level.collision, col, row));
  g.frontLayer = makeLayer(level, level.frontTiles);

  if (g.match) g.match->setRespawnCount(0);
  for (const LevelObject& object : level.objects) {
    if (object.kind == RespawnKind) {
      if (g.match) g.match->addRespawnPoint({object.x, object.y});
    } else if (g.placePickup) {
      g.placePickup(object.kind, object.x, object.y);
    }
  }
}

void loadLevel(const std::string& path) {
  const std::vector<std::string> lines = readLines(path);
  // What is wrong inside the file is told with the file's name, so a player knows which download to
  // mend; the pictures it names report their own files.
  auto inLevel = [&](auto&& step) {
    try {
      return step();
    } catch (const Error& e) {
      throw Error(inFile(path, e.what()));
    }
  };
  const LevelData level = inLevel([&] { return parseLevel(lines); });
  TPicture texture = loadPictureFile(dataPath("Textures\\" + level.texture + ".bmp"));
  TPicture background = loadPictureFile(dataPath("Backgrounds\\" + level.background + ".jpg"));

  TPictureCollection& images = levelImages();
  // A pick-up is drawn by the image of its kind's name; a kind without one, or one that could never be
  // taken, refuses the whole level.
  inLevel([&] {
    for (const LevelObject& object : level.objects) {
      if (object.kind == RespawnKind) continue;
      images.find(object.kind);
      checkPickupKind(object.kind);
    }
  });

  replacePicture(images.item(0), std::move(texture));
  replacePicture(images.item(1), std::move(background));
  applyLevel(level);
}

void mirrorModels() {
  if (!globals().modelList) return;
  TPictureCollection& models = globals().modelList->Items;
  for (std::string_view model : fighterModels()) {
    // Only the classic model must be there; the other colours are used when the archive has them.
    if (model != kClassicModel && !models.findOrNull(std::string(model) + "_R")) continue;
    for (const char* pose : {"", "_Crouch", "_Dead", "_Headshot"}) {
      const std::string base = std::string(model) + pose;
      TPicture mirrored = models.find(base + "_R").picture().mirrored();
      TPictureCollectionItem& left = models.find(base + "_L");
      left.setPicture(std::move(mirrored));
      // At start-up the display is not up yet and this builds nothing; later it keeps the surfaces true.
      if (left.initialized()) left.restore();
    }
  }
}

}  // namespace mv
