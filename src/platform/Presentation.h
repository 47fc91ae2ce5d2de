#pragma once
// How a back surface is shown on a screen of another size: scaled as large as fits with its aspect ratio
// kept, centred, with black bars on the spare sides; and how a point on the screen maps back.

#include <cstdint>

namespace mv {

struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
};

// The largest rectangle of the surface's aspect ratio that fits the output, centred.
Viewport letterbox(int surfaceWidth, int surfaceHeight, int outputWidth, int outputHeight);

// The largest whole multiple of the surface that fits, centred; the letterbox when not even one fits.
Viewport wholeMultipleViewport(int surfaceWidth, int surfaceHeight, int outputWidth, int outputHeight);

// A point of the output in surface pixels, clamped to the surface (a pointer over a bar is at the
// surface's edge).
void outputToSurface(const Viewport& view, int surfaceWidth, int surfaceHeight, int outX, int outY, int& x,
                     int& y);

// A 5-6-5 pixel as 8-8-8 with opaque alpha; the high bits are repeated into the low ones so white stays
// white and black black.
constexpr uint32_t rgb565ToArgb8888(uint16_t p) {
  uint32_t r = (p >> 11) & 0x1F, g = (p >> 5) & 0x3F, b = p & 0x1F;
  r = (r << 3) | (r >> 2);
  g = (g << 2) | (g >> 4);
  b = (b << 3) | (b >> 2);
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// rgb565ToArgb8888 over a row, eight pixels at a time (sixteen with AVX2, where allowed and present).
void convertRow565To8888(const uint16_t* source, uint32_t* target, int count, bool avx2 = true);
bool presentationUsesAvx2();

// A whole surface (pitch in pixels) into a 32-bit frame (pitch in bytes, as textures give it).
void convertFrame565To8888(const uint16_t* source, int width, int height, int pitch, void* target,
                           int targetPitch);

}  // namespace mv
