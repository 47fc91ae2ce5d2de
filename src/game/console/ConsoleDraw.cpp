// Drawing the console: the chat feed while it is shut, otherwise the black band with the newest
// buffer lines above the prompt.
#include <algorithm>
#include <cmath>

#include "engine/draw/Surface.h"
#include "engine/draw/TextCanvas.h"
#include "game/console/Console.h"

namespace mv {
namespace {

constexpr int kBandWidth = 800;  // whatever the display's width
constexpr int kFeedX = 60, kFeedStep = 12, kFeedFontSize = 10;
constexpr int kLineX = 10, kLineStep = 15, kLineFontSize = 12;

void fillTop(TSurface& back, int width, int height) {
  const TRect area = intersection({0, 0, width, height}, back.clientRect());
  for (int y = area.Top; y < area.Bottom; ++y)
    std::fill(back.row(y) + area.Left, back.row(y) + area.Right, 0);
}

}  // namespace

void TConsol::draw(TSurface& back) {
  const int h = static_cast<int>(std::nearbyint(height));
  TTextCanvas& canvas = back.canvas();
  const uint32_t white = colorRef(255, 255, 255), green = colorRef(0, 255, 0);

  if (state == Closed || height == 0) {
    canvas.setFontColor(white);
    canvas.setFontSize(kFeedFontSize);
    // The feed holds no more than its band: at most kMaxMessages rows from the top.
    for (size_t i = 0; i < messages.size() && i < kMaxMessages; ++i)
      canvas.textOut(kFeedX, static_cast<int>(i) * kFeedStep, messages[i]);
  }

  fillTop(back, kBandWidth, h);

  auto greenLine = [&](int y, const std::string& text) {
    canvas.setFontSize(kLineFontSize);
    canvas.setFontColor(green);
    canvas.textOut(kLineX, y, text);
    canvas.setFontColor(white);
  };
  int y = h - kLineStep;
  for (size_t i = lines.size(); i > 0 && y > 0; --i) {
    y -= kLineStep;
    greenLine(y, lines[i - 1]);
  }
  greenLine(h - kLineStep, ">" + inputLine);
  canvas.release();
}

}  // namespace mv
