#pragma once
#include <string>

#include "common/ArtCanvas.h"

namespace mv::art {

// Block lettering for the announcements and the debug sheets: a 5 x 7 capital font, blown up by
// `scale`, filled with a vertical gradient, given a drop shadow and a dark outline. Lower-case letters
// are drawn as capitals; characters without a glyph leave a gap.
struct Lettering {
  int scale = 2;
  int spacing = 1;  // pixels between letters, before scaling
  Color top = rgb(255, 240, 120);
  Color bottom = rgb(230, 60, 20);
  Color outline = rgb(20, 10, 5);
  bool shadow = true;
};

Canvas letter(const std::string& text, const Lettering& style);
// Width in pixels of the unscaled, unoutlined text (6 pixels per letter with spacing 1).
int textWidth(const std::string& text, int spacing);
// Plain one-colour text, unscaled, for labels on debug pictures.
void drawText(Canvas& canvas, int x, int y, const std::string& text, Color c);

}  // namespace mv::art
