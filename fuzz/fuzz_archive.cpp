// Arbitrary bytes as an image archive: loading either succeeds or reports an error, never more. Loaded
// items are then cut into surfaces and drawn, so the pattern arithmetic sees hostile values too.

#include <cstddef>
#include <cstdint>

#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mv::TDXDraw draw;
  draw.Display.Width = 64, draw.Display.Height = 64;
  draw.initialize();
  mv::TDXImageList list(&draw);
  try {
    list.Items.loadFromStream({data, size});
  } catch (const mv::Error&) {
  }
  for (int i = 0; i < list.Items.count(); ++i) {
    auto& item = list.Items.item(i);
    const int count = item.patternCount();
    for (int p = -1; p <= count && p < 8; ++p) {
      item.draw(draw.surface(), -3, 5, p);
      item.stretchDraw(draw.surface(), {-5, -5, 40, 70}, p);
      item.drawAlpha(draw.surface(), {10, 10, 30, 30}, p, 100);
      item.drawRotateAlpha(draw.surface(), 32, 32, item.width(), item.height(), p, 0.5, 0.5, p * 37, 200);
    }
  }
  return 0;
}
