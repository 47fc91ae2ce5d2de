#pragma once
// The menu frame's small animations and the screenshot file names, kept apart so their arithmetic
// can be checked on its own.

#include <cstdint>
#include <string>

namespace mv {

// The title's red level pulses between 0 and 255 at a quarter level per millisecond. The step is
// truncated, so with ticks shorter than 4 ms an upward pulse does not move at all.
void stepTitlePulse(int32_t& brightness, int32_t& fadeStep, int32_t lagCount);

// The drawn pointer runs through its 5 patterns at 10 a second and starts again from 0.
double stepCursorFrame(double cursorFrame, int32_t lagCount);

// "scr001.bmp" .. "scr999.bmp": at least three digits.
std::string screenshotFileName(int32_t number);

}  // namespace mv
