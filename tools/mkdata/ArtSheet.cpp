#include "ArtSheet.h"

#include <algorithm>

#include "PixelFont.h"

namespace mv::art {

namespace {

struct Placed {
  const ArtItem* item;
  int index, x, y, scale;
};

}  // namespace

Canvas contactSheet(const std::vector<ArtItem>& items, int maxWidth) {
  std::vector<Placed> placed;
  std::vector<std::pair<std::string, Point>> labels;
  int y = 4, width = 0;
  for (const ArtItem& item : items) {
    int pw = item.patternWidth > 0 ? item.patternWidth : item.picture.width();
    int ph = item.patternHeight > 0 ? item.patternHeight : item.picture.height();
    if (pw <= 0 || ph <= 0) continue;
    int scale = std::max(pw, ph) <= 64 ? 2 : 1;
    labels.push_back({item.name, {4.0, static_cast<double>(y)}});
    y += 10;
    int x = 4, rowHeight = ph * scale;
    for (int i = 0; i < item.patternCount(); ++i) {
      if (x > 4 && x + pw * scale > maxWidth) {
        x = 4;
        y += rowHeight + 3;
      }
      placed.push_back({&item, i, x, y, scale});
      x += pw * scale + 3;
      width = std::max(width, x);
    }
    y += rowHeight + 8;
  }
  Canvas sheet(std::max(width + 4, 200), y);
  sheet.fill(rgb(40, 40, 48));
  for (const Placed& p : placed) {
    const ArtItem& item = *p.item;
    int pw = item.patternWidth > 0 ? item.patternWidth : item.picture.width();
    int ph = item.patternHeight > 0 ? item.patternHeight : item.picture.height();
    int cols = item.picture.width() / pw;
    Canvas pattern = item.picture.crop((p.index % cols) * pw, (p.index / cols) * ph, pw, ph);
    for (int j = 0; j < ph * p.scale; ++j)
      for (int i = 0; i < pw * p.scale; ++i)
        sheet.set(p.x + i, p.y + j, ((i / 6 + j / 6) % 2) ? rgb(110, 110, 118) : rgb(150, 150, 160));
    Canvas big = pattern.scaled(pw * p.scale, ph * p.scale);
    // Shown as it will be stored: dithered when keyed, solid otherwise.
    for (int j = 0; j < big.height(); ++j)
      for (int i = 0; i < big.width(); ++i) {
        Color c = big.get(i, j);
        bool keep = !item.transparent || ditherOpaque(i / p.scale, j / p.scale, c.a);
        big.set(i, j, keep ? withAlpha(item.transparent ? c : shade(c, c.a / 255.0), 255) : kClear);
      }
    sheet.draw(big, p.x, p.y);
  }
  for (const auto& [name, at] : labels)
    drawText(sheet, static_cast<int>(at.x), static_cast<int>(at.y), name, rgb(255, 255, 160));
  return sheet;
}

std::string ppmFile(const Canvas& canvas) {
  std::string out =
      "P6\n" + std::to_string(canvas.width()) + " " + std::to_string(canvas.height()) + "\n255\n";
  for (Color c : canvas.pixels()) {
    Color d = shade(c, c.a / 255.0);
    out.push_back(static_cast<char>(d.r));
    out.push_back(static_cast<char>(d.g));
    out.push_back(static_cast<char>(d.b));
  }
  return out;
}

}  // namespace mv::art
