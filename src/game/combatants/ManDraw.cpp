#include <algorithm>
#include <cmath>
#include <string>

#include "engine/archive/PictureCollection.h"
#include "engine/draw/TextCanvas.h"
#include "engine/sprite/SpriteEngine.h"
#include "engine/sprite/SpriteMath.h"
#include "game/Globals.h"
#include "game/combatants/Man.h"
#include "game/combatants/Player.h"
#include "game/world/Grid.h"
#include "game/world/Images.h"

namespace mv {
namespace {

constexpr uint32_t kRed = 255;
constexpr uint32_t kGreen = 65280;
constexpr uint32_t kWhite = 16777215;

int32_t nearInt(double v) {
  return static_cast<int32_t>(TPhyzObj::nearPixel(v));
}

int64_t cellOf(double v) {
  return int64_t{truncPixel(v)} / 16;
}

// A banner that shows only in part is moved wholly into the view; one out of sight stays out of it.
TRect keptInView(const TRect& banner, const TRect& surface) {
  const TRect& set = globals().view;
  const TRect view = set.empty() ? surface : set;
  if (!overlap(banner, view)) return banner;
  const int32_t left = std::clamp(banner.Left, view.Left, std::max(view.Left, view.Right - banner.width()));
  const int32_t top = std::clamp(banner.Top, view.Top, std::max(view.Top, view.Bottom - banner.height()));
  return boundsRect(left, top, banner.width(), banner.height());
}

}  // namespace

TPoint TMan::laserEnd() const {
  const Grid& grid = globals().grid;
  double px = x + 16, py = y + 16;
  const double a = aimRadians();
  const double dx = std::cos(a), dy = std::sin(a);
  // The beam stops before the first solid cell, or where it leaves the grid in a level open on that
  // side; every step moves a whole pixel, so the walk ends within the grid's diagonal.
  auto stops = [&grid](double cx, double cy) {
    const int64_t col = cellOf(cx), row = cellOf(cy);
    return !Grid::inside(col, row) || grid.at(col, row) == CellSolid;
  };
  if (std::isfinite(px) && std::isfinite(py) && !stops(px, py)) {
    while (!stops(px + dx, py + dy)) {
      px += dx;
      py += dy;
    }
  }
  return {truncPixel(px), truncPixel(py)};
}

void TMan::drawSelf() {
  TImageSpriteEx::drawSelf();
  if (health <= 0 || !engine || !engine->surface()) return;

  // Every picture first: a missing one fails before anything of the fighter's extras is drawn.
  TPictureCollectionItem& gun = gameImage("Weapon" + std::to_string(currentWeapon));
  TPictureCollectionItem* banner = announcement.empty() ? nullptr : &gameImage(announcement);
  TPictureCollectionItem* dot = currentWeapon == 1 ? &gameImage("LaserPoint") : nullptr;

  TSurface& surface = *engine->surface();
  const double ex = parent ? parent->worldX() : 0, ey = parent ? parent->worldY() : 0;
  const double sx = x + ex, sy = y + ey;

  // The gun turns about its grip, which sits at the fighter's hands.
  const int32_t gripX = nearInt(sx + width / 2.0), gripY = nearInt(sy) + 16;
  if (turnedMayShow(surface.clientRect(), gripX, gripY, gun.width(), gun.height()))
    gun.drawRotate(surface, gripX, gripY, gun.width(), gun.height(), facing, facing == 1 ? 0.2 : 0.8, 0.5,
                   nearInt(aimAngle * 256 / 360.0));

  if (banner) {
    TRect at = boundsRect(nearInt(sx) - banner->width() / 2 + 16, nearInt(sy) - 24, banner->width(),
                          banner->height());
    if (globals().settings.bannerInView) at = keptInView(at, surface.clientRect());
    banner->draw(surface, at.Left, at.Top, 0);
  }

  const TPoint end = dot ? laserEnd() : TPoint{};
  TTextCanvas& canvas = surface.canvas();
  if (dot && isHuman()) {
    canvas.setPenColor(kRed);
    canvas.moveTo(truncPixel(sx + width / 2.0), truncPixel(sy + 18));
    canvas.lineTo(truncPixel(ex) + end.x, truncPixel(ey) + end.y);
  }

  const Globals& g = globals();
  const TMan* self = this;
  canvas.setFontSize(8);
  canvas.setFontBold(true);
  canvas.setBrushClear(true);
  canvas.setFontColor(self == g.player1 ? kGreen : self == g.player2 ? kRed : kWhite);
  canvas.textOut(nearInt(sx) - canvas.textWidth(name) / 2 + 16, nearInt(sy) - 15, name);
  canvas.release();

  if (dot) dot->draw(surface, truncPixel(ex - 2) + end.x, truncPixel(ey - 2) + end.y, 0);
}

}  // namespace mv
