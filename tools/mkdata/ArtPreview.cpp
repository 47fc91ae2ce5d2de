#include "ArtPreview.h"

#include <cmath>

#include "Backgrounds.h"
#include "Models.h"
#include "Pictures.h"
#include "TextureNames.h"
#include "Textures.h"
#include "WeaponArt.h"

namespace mv::art {

namespace {

using namespace mv::tiles;

Canvas pattern(const ArtItem& item, int index) {
  int pw = item.patternWidth > 0 ? item.patternWidth : item.picture.width();
  int ph = item.patternHeight > 0 ? item.patternHeight : item.picture.height();
  int cols = item.picture.width() / pw;
  return item.picture.crop(index % cols * pw, index / cols * ph, pw, ph);
}

const ArtItem& find(const std::vector<ArtItem>& items, const std::string& name) {
  for (const ArtItem& item : items)
    if (item.name == name) return item;
  return items.front();
}

// Pastes a pattern as the game's keyed blit would: only the pixels the dither keeps.
void put(Canvas& screen, const Canvas& p, int x, int y) {
  for (int j = 0; j < p.height(); ++j)
    for (int i = 0; i < p.width(); ++i) {
      Color c = p.get(i, j);
      if (ditherOpaque(i, j, c.a)) screen.set(x + i, y + j, withAlpha(c, 255));
    }
}

void fighter(Canvas& screen, const std::vector<ArtItem>& models, const std::vector<ArtItem>& gfx, int x,
             int y, bool right, int frame, int weapon, int aim) {
  const ArtItem& body = find(models, right ? "Doom_R" : "Doom_L");
  put(screen, pattern(body, right ? frame : kWalkFrames - 1 - frame), x, y);
  const ArtItem& gun = find(gfx, "Weapon" + std::to_string(weapon));
  Canvas g = pattern(gun, right ? 1 : 0);
  double cx = right ? 0.2 : 0.8;
  // Turned about its grip the way the game turns it, grip on (x + 16, y + 16).
  Canvas turned = g.rotated(aim, cx * g.width(), 0.5 * g.height(), 80, 80, 40, 40);
  put(screen, turned, x + 16 - 40, y + kGripY - 40);
}

}  // namespace

Canvas previewScene(int themeIndex) {
  const Theme& t = theme(themeIndex);
  Canvas screen = backgroundPicture(t);
  Canvas sheet = tileSheet(t);
  auto tile = [&](int col, int row, int index) {
    put(screen, sheet.crop(index % kSheetColumns * kTile, index / kSheetColumns * kTile, kTile, kTile),
        col * kTile, row * kTile);
  };
  // Back walls behind a room, a floor, a platform, spikes and a pool.
  for (int row = 14; row < 32; ++row)
    for (int col = 4; col < 20; ++col) tile(col, row, kBackPanelFirst + (col + row) % 3);
  for (int col = 0; col < 50; ++col) {
    tile(col, 32, col >= 28 && col < 34 ? kLiquidSurface : kFloor);
    for (int row = 33; row < 38; ++row) tile(col, row, col >= 28 && col < 34 ? kLiquid : kWall);
  }
  for (int col = 36; col < 40; ++col) tile(col, 31, kSpikesUp);
  for (int col = 22; col < 27; ++col)
    tile(col, 25, col == 22 ? kPlatformLeft : col == 26 ? kPlatformRight : kPlatformMiddle);
  for (int col = 40; col < 44; ++col)
    tile(col, 22, col == 40 ? kGrateLeft : col == 43 ? kGrateRight : kGrateMiddle);
  for (int row = 14; row < 32; ++row) tile(3, row, kWallRight);
  for (int col = 6; col < 18; ++col) tile(col, 16, kPipeHorizontal);
  tile(10, 18, kWallLamp);
  tile(14, 20, kWallSign);
  tile(7, 22, kWallMonitor);
  tile(16, 27, kWallCables);
  for (int row = 16; row < 32; ++row) tile(19, row, kWallPipe);
  tile(45, 28, kCrate);
  tile(45, 29, kCrate);
  tile(45, 30, kCrate);
  tile(45, 31, kCrate);

  std::vector<ArtItem> models = modelItems();
  std::vector<ArtItem> gfx = graphicsItems();
  fighter(screen, models, gfx, 120, 32 * 16 - 46, true, 0, 3, -10);
  fighter(screen, models, gfx, 250, 32 * 16 - 46, false, 3, 2, 20);
  fighter(screen, models, gfx, 370, 25 * 16 - 46, true, 5, 1, 30);
  fighter(screen, models, gfx, 650, 22 * 16 - 46, false, 1, 7, 0);
  put(screen, pattern(find(models, "Doom_Dead_R"), kCorpseFrames - 1), 560, 32 * 16 - 46);
  put(screen, pattern(find(gfx, "Explosion"), 3), 470, 32 * 16 - 70);
  put(screen, pattern(find(gfx, "Health25"), 0), 300, 32 * 16 - 24);
  put(screen, pattern(find(gfx, "Armor"), 0), 330, 32 * 16 - 24);
  put(screen, pattern(find(gfx, "Weapon3Item"), 0), 700, 32 * 16 - 24);
  put(screen, pattern(find(gfx, "Health200"), 2), 420, 25 * 16 - 30);
  put(screen, pattern(find(gfx, "Rocket"), 1).rotated(90, 5, 11, 24, 24, 12, 12), 170, 32 * 16 - 40);
  put(screen, pattern(find(gfx, "DoubleKill"), 0), 120 - 60 + 16, 32 * 16 - 46 - 24);
  put(screen, pattern(find(gfx, "LaserPoint"), 0), 440, 440);
  put(screen, pattern(find(gfx, "WeapNoneList"), 0), 50, 580);
  for (int w : {0, 1, 2, 3}) put(screen, pattern(find(gfx, "WeapGotList"), w), 50 + 38 * w, 580);
  put(screen, pattern(find(gfx, "WeapSelected"), 0), 50 + 38 * 3, 580);
  put(screen, pattern(find(gfx, "Ammo3"), 0), 0, 580);
  put(screen, pattern(find(gfx, "Health25"), 0), 0, 0);
  put(screen, pattern(find(gfx, "Armor"), 0), 0, 20);
  put(screen, pattern(find(gfx, "Scull"), 0), 0, 40);
  return screen;
}

}  // namespace mv::art
