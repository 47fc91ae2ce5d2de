#include "shell/FrameArithmetic.h"

#include <algorithm>
#include <cstdio>

namespace mv {

void stepTitlePulse(int32_t& brightness, int32_t& fadeStep, int32_t lagCount) {
  double next = std::clamp(brightness + lagCount * fadeStep / 4.0, 0.0, 255.0);
  brightness = static_cast<int32_t>(next);
  if (brightness == 255 || brightness == 0) fadeStep = -fadeStep;
}

double stepCursorFrame(double cursorFrame, int32_t lagCount) {
  cursorFrame += lagCount / 100.0;
  return cursorFrame >= 5 ? 0 : cursorFrame;
}

std::string screenshotFileName(int32_t number) {
  char name[32];
  std::snprintf(name, sizeof name, "scr%03d.bmp", number);
  return name;
}

}  // namespace mv
