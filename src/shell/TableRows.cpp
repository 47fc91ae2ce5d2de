#include "shell/TableRows.h"

#include <algorithm>

#include "engine/draw/Surface.h"

namespace mv {

std::vector<TableRow> fitRows(int32_t count, const TableBand& band, std::vector<int32_t> pinned) {
  std::vector<TableRow> rows;
  if (count <= 0) return rows;
  const int32_t room = std::max(band.lastTop - band.top, 0);
  int32_t step = band.step;
  if (count > 1 && step * (count - 1) > room) step = room / (count - 1);
  if (step >= band.minStep || count == 1) {
    for (int32_t r = 0; r < count; ++r) rows.push_back({r, band.top + r * step});
    return rows;
  }
  // Too many even close together: the top ranks, and below them the pinned ones that did not make it.
  const int32_t most = 1 + room / std::max(band.minStep, 1);
  std::erase_if(pinned, [count](int32_t r) { return r < 0 || r >= count; });
  std::sort(pinned.begin(), pinned.end());
  pinned.erase(std::unique(pinned.begin(), pinned.end()), pinned.end());
  int32_t head = most;
  for (;;) {
    const auto beyond = static_cast<int32_t>(
        std::count_if(pinned.begin(), pinned.end(), [&](int32_t r) { return r >= head; }));
    if (head + beyond <= most || head <= 0) break;
    head = std::max(most - beyond, 0);
  }
  for (int32_t r = 0; r < head; ++r) rows.push_back({r, band.top + r * band.minStep});
  for (int32_t r : pinned)
    if (r >= head && static_cast<int32_t>(rows.size()) < most)
      rows.push_back({r, band.top + static_cast<int32_t>(rows.size()) * band.minStep});
  return rows;
}

void darkenRect(TSurface& surface, const TRect& rect) {
  const TRect area = intersection(rect, surface.clientRect());
  for (int32_t y = area.Top; y < area.Bottom; ++y) {
    uint16_t* row = surface.row(y);
    // 5-6-5: each channel shifted down one bit, the bit falling into the next channel masked off.
    for (int32_t x = area.Left; x < area.Right; ++x) row[x] = static_cast<uint16_t>((row[x] >> 1) & 0x7BEF);
  }
}

void fillRect(TSurface& surface, const TRect& rect, uint16_t color) {
  const TRect area = intersection(rect, surface.clientRect());
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    std::fill(surface.row(y) + area.Left, surface.row(y) + area.Right, color);
}

}  // namespace mv
