#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace mv::art {

struct Color {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Color&) const = default;
};

constexpr Color rgb(int r, int g, int b, int a = 255) {
  return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b), static_cast<uint8_t>(a)};
}
constexpr Color kClear{0, 0, 0, 0};

// t = 0 gives a, t = 1 gives b; alpha is mixed too.
Color mix(Color a, Color b, double t);
// Scales the colour channels (factor > 1 lightens), keeping alpha.
Color shade(Color c, double factor);
Color withAlpha(Color c, int alpha);

struct Point {
  double x = 0, y = 0;
};

// A colour for a pixel centre, for shaded fills.
using Shader = std::function<Color(double x, double y)>;

// A software RGBA picture the art is drawn on. Pixels outside the canvas are ignored on writes and read
// as clear, so the drawing code never has to clip by hand. Every drawing call blends by the colour's
// alpha over what is there already.
class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Color fill = kClear);

  int width() const { return width_; }
  int height() const { return height_; }
  Color get(int x, int y) const;
  void set(int x, int y, Color c);
  void blend(int x, int y, Color c);

  void fill(Color c);
  void fillRect(int x, int y, int w, int h, Color c);
  void frameRect(int x, int y, int w, int h, Color c);
  // A box lit from the top-left: lighter top and left rims, darker bottom and right rims.
  void bevelBox(int x, int y, int w, int h, Color face, int rim = 1);
  void gradientRect(int x, int y, int w, int h, Color top, Color bottom);
  void shadeRect(int x, int y, int w, int h, const Shader& shader);

  void line(double x0, double y0, double x1, double y1, Color c, double thickness = 1);
  void fillCircle(double cx, double cy, double r, Color c);
  void fillEllipse(double cx, double cy, double rx, double ry, Color c);
  void shadeEllipse(double cx, double cy, double rx, double ry, const Shader& shader);
  void fillPolygon(const std::vector<Point>& points, Color c);
  void shadePolygon(const std::vector<Point>& points, const Shader& shader);

  // Draws a one-pixel rim of colour c on every clear pixel that touches an opaque one (4-neighbours),
  // the dark outline that keeps small sprites readable over any background.
  void outline(Color c);
  // Copies src over this canvas with its top-left at (dx, dy), blending by src's alpha.
  void draw(const Canvas& src, int dx, int dy);
  Canvas crop(int x, int y, int w, int h) const;
  Canvas mirrored() const;
  // The canvas turned by deg degrees clockwise about (px, py) of the source, placed so that the pivot
  // lands on (qx, qy) of a new w x h canvas; nearest-pixel sampling keeps the pixel-art edges hard.
  Canvas rotated(double deg, double px, double py, int w, int h, double qx, double qy) const;
  // A copy scaled by nearest-pixel sampling.
  Canvas scaled(int w, int h) const;
  // Multiplies every pixel's alpha by a / 255.
  void fade(int a);

  const std::vector<Color>& pixels() const { return pixels_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<Color> pixels_;
};

}  // namespace mv::art
