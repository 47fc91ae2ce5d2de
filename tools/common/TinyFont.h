#pragma once
// A 3 x 5 pixel font for labels on the tools' contact sheets: digits, Latin letters (drawn in capitals)
// and a little punctuation; anything else is drawn as a box.

#include <cstdint>
#include <string>
#include <vector>

namespace mv::tools {

constexpr int kTinyGlyphWidth = 3, kTinyGlyphHeight = 5, kTinyAdvance = 4;

// Whether pixel (x, y) of the glyph of c is set.
bool tinyGlyphPixel(char c, int x, int y);

// Draws text into 0x00RRGGBB pixels of a width x height picture, clipped.
void drawTinyText(std::vector<uint32_t>& pixels, int width, int height, int x, int y, const std::string& text,
                  uint32_t color);

}  // namespace mv::tools
