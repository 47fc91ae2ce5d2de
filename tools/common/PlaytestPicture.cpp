// The heat map: the whole level drawn once, dimmed, with the time fighters spent in each cell laid over
// it from cold blue to hot red (cells left alone stay uncoloured), places to stand that nobody stood on underlined in magenta, and the
// respawn points marked in white.

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/Playtest.h"
#include "common/PlaytestWorld.h"
#include "engine/archive/BitmapFile.h"
#include "engine/draw/Surface.h"
#include "game/world/BackSprite.h"
#include "game/world/Item.h"
#include "platform/Error.h"

namespace mv::tools {
namespace {

struct Rgb {
  double r, g, b;
};

Rgb unpack(uint16_t p) {
  return {((p >> 11) & 31) * 255.0 / 31, ((p >> 5) & 63) * 255.0 / 63, (p & 31) * 255.0 / 31};
}

uint16_t pack(Rgb c) {
  auto byte = [](double v) { return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0)); };
  return rgb565(byte(c.r), byte(c.g), byte(c.b));
}

// Blue through green and yellow to red as t goes from 0 to 1.
Rgb ramp(double t) {
  const Rgb stops[] = {{40, 60, 255}, {40, 220, 90}, {250, 230, 40}, {255, 40, 30}};
  const double at = std::clamp(t, 0.0, 1.0) * 3;
  const int i = std::min(static_cast<int>(at), 2);
  const double f = at - i;
  return {stops[i].r + (stops[i + 1].r - stops[i].r) * f, stops[i].g + (stops[i + 1].g - stops[i].g) * f,
          stops[i].b + (stops[i + 1].b - stops[i].b) * f};
}

void fillRect(TSurface& s, int x, int y, int w, int h, uint16_t colour) {
  for (int yy = std::max(y, 0); yy < std::min(y + h, s.height()); ++yy)
    for (int xx = std::max(x, 0); xx < std::min(x + w, s.width()); ++xx) s.row(yy)[xx] = colour;
}

}  // namespace

void writeHeatMap(const std::string& gameDir, const PlaytestReport& report, const std::string& path) {
  PlaytestWorld world(gameDir, report.level, 1);
  Globals& g = world.state();
  const int W = report.width, H = report.height;
  if (W <= 0 || H <= 0 || report.heat.size() != static_cast<size_t>(W) * H)
    throw Error("heat map: the report does not describe a level");
  TSurface picture(W * 16, H * 16);

  // The background picture tiled over the whole level, then the level as a frame draws it.
  TPictureCollectionItem& background = world.images.Items[1];
  const int bw = std::max(background.width(), 1), bh = std::max(background.height(), 1);
  for (int y = 0; y < picture.height(); y += bh)
    for (int x = 0; x < picture.width(); x += bw) background.draw(picture, x, y, 0);
  TPictureCollectionItem& sheet = world.images.Items[0];
  g.backLayer->drawTiles(picture, sheet, 0, 0);
  for (TSprite* sprite : world.root.children())
    if (auto* item = dynamic_cast<TItem*>(sprite); item && item->image)
      item->image->draw(picture, static_cast<int>(item->x), static_cast<int>(item->y), 0);
  g.frontLayer->drawTiles(picture, sheet, 0, 0);

  // Dim the level, then colour each visited cell by its time against a busy cell's (the 98th
  // percentile, so one spot where everybody stood does not wash out the rest). Cells visited for a
  // moment only stay uncoloured.
  std::vector<double> visited;
  for (double h : report.heat)
    if (h > 0) visited.push_back(h);
  std::sort(visited.begin(), visited.end());
  const double busy = visited.empty() ? 1 : std::max(visited[visited.size() * 98 / 100], 1.0);
  for (int py = 0; py < picture.height(); ++py) {
    uint16_t* row = picture.row(py);
    for (int px = 0; px < picture.width(); ++px) {
      Rgb c = unpack(row[px]);
      c = {c.r * 0.6, c.g * 0.6, c.b * 0.6};
      const double h = report.heat[static_cast<size_t>(py / 16) * W + px / 16];
      if (h > busy * 0.002) {
        const double t = std::sqrt(std::min(h / busy, 1.0));
        const Rgb heat = ramp(t);
        const double a = 0.15 + 0.5 * t;
        c = {c.r * (1 - a) + heat.r * a, c.g * (1 - a) + heat.g * a, c.b * (1 - a) + heat.b * a};
      }
      row[px] = pack(c);
    }
  }

  const uint16_t magenta = rgb565(255, 0, 255), white = rgb565(255, 255, 255);
  for (int row = 0; row < H; ++row)
    for (int col = 0; col < W; ++col)
      if (report.spots.size() == report.heat.size() && report.spots[static_cast<size_t>(row) * W + col] == 1)
        fillRect(picture, col * 16, row * 16 + 13, 32, 3, magenta);
  for (int i = 0; i < world.match.respawnCount(); ++i) {
    const TPoint p = world.match.respawnPoint(i);
    fillRect(picture, p.x + 6, p.y + 12, 20, 2, white);
    fillRect(picture, p.x + 15, p.y + 4, 2, 20, white);
  }
  saveBitmapFile(picture, picture.clientRect(), path);
}

}  // namespace mv::tools
