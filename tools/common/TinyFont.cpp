#include "common/TinyFont.h"

#include <cctype>
#include <cstring>

namespace mv::tools {
namespace {

struct Glyph {
  char c;
  const char* rows;  // 5 rows of 3 pixels, '#' set
};

constexpr Glyph kGlyphs[] = {
    {'0', ".#.#.##.##.#.#."}, {'1', ".#.##..#..#.###"}, {'2', "##...#.#.#..###"}, {'3', "##...#.#...###."},
    {'4', "#.##.####..#..#"}, {'5', "####..##...###."}, {'6', ".###..####.####"}, {'7', "###..#.#..#..#."},
    {'8', "####.#####.####"}, {'9', "####.####..###."}, {'A', ".#.#.#####.##.#"}, {'B', "##.#.###.#.###."},
    {'C', ".###..#..#...##"}, {'D', "##.#.##.##.###."}, {'E', "####..##.#..###"}, {'F', "####..##.#..#.."},
    {'G', ".###..#.##.#.##"}, {'H', "#.##.#####.##.#"}, {'I', "###.#..#..#.###"}, {'J', "..#..#..##.#.#."},
    {'K', "#.##.###.#.##.#"}, {'L', "#..#..#..#..###"}, {'M', "#.########.##.#"}, {'N', "##.#.##.##.##.#"},
    {'O', ".#.#.##.##.#.#."}, {'P', "##.#.###.#..#.."}, {'Q', ".#.#.##.###..##"}, {'R', "##.#.###.#.##.#"},
    {'S', ".###...#...###."}, {'T', "###.#..#..#..#."}, {'U', "#.##.##.##.####"}, {'V', "#.##.##.##.#.#."},
    {'W', "#.##.########.#"}, {'X', "#.##.#.#.#.##.#"}, {'Y', "#.##.#.#..#..#."}, {'Z', "###..#.#.#..###"},
    {'_', "............###"}, {'-', "......###......"}, {'.', ".............#."}, {' ', "..............."},
    {'(', ".#.#..#..#...#."}, {')', ".#...#..#..#.#."}, {':', "....#.....#...."}, {'x', "...#.#.#.#.#..."},
};
constexpr const char* kUnknown = "####.##.##.####";  // a box

const char* rowsOf(char c) {
  if (c != 'x') c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const Glyph& g : kGlyphs)
    if (g.c == c) return g.rows;
  return kUnknown;
}

}  // namespace

bool tinyGlyphPixel(char c, int x, int y) {
  if (x < 0 || y < 0 || x >= kTinyGlyphWidth || y >= kTinyGlyphHeight) return false;
  const char* rows = rowsOf(c);
  const size_t at = static_cast<size_t>(y * kTinyGlyphWidth + x);
  return at < std::strlen(rows) && rows[at] == '#';
}

void drawTinyText(std::vector<uint32_t>& pixels, int width, int height, int x, int y, const std::string& text,
                  uint32_t color) {
  for (size_t i = 0; i < text.size(); ++i)
    for (int gy = 0; gy < kTinyGlyphHeight; ++gy)
      for (int gx = 0; gx < kTinyGlyphWidth; ++gx) {
        const int px = x + static_cast<int>(i) * kTinyAdvance + gx, py = y + gy;
        if (px >= 0 && py >= 0 && px < width && py < height && tinyGlyphPixel(text[i], gx, gy))
          pixels[static_cast<size_t>(py) * width + px] = color;
      }
}

}  // namespace mv::tools
