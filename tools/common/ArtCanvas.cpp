#include "common/ArtCanvas.h"

#include <algorithm>
#include <cmath>

namespace mv::art {

namespace {

uint8_t clampByte(double v) {
  return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

double segmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
  double dx = x1 - x0, dy = y1 - y0;
  double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0, 1.0) : 0.0;
  double ex = x0 + t * dx - px, ey = y0 + t * dy - py;
  return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

Color mix(Color a, Color b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {clampByte(a.r + (b.r - a.r) * t), clampByte(a.g + (b.g - a.g) * t),
          clampByte(a.b + (b.b - a.b) * t), clampByte(a.a + (b.a - a.a) * t)};
}

Color shade(Color c, double factor) {
  return {clampByte(c.r * factor), clampByte(c.g * factor), clampByte(c.b * factor), c.a};
}

Color withAlpha(Color c, int alpha) {
  c.a = static_cast<uint8_t>(std::clamp(alpha, 0, 255));
  return c;
}

Canvas::Canvas(int width, int height, Color fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill) {}

Color Canvas::get(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kClear;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Canvas::set(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Canvas::blend(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || c.a == 0) return;
  Color& d = pixels_[static_cast<size_t>(y) * width_ + x];
  if (c.a == 255 || d.a == 0) {
    d = c;
    return;
  }
  double sa = c.a / 255.0, da = d.a / 255.0;
  double oa = sa + da * (1 - sa);
  auto channel = [&](uint8_t s, uint8_t t) { return clampByte((s * sa + t * da * (1 - sa)) / oa); };
  d = {channel(c.r, d.r), channel(c.g, d.g), channel(c.b, d.b), clampByte(oa * 255)};
}

void Canvas::fill(Color c) {
  std::fill(pixels_.begin(), pixels_.end(), c);
}

void Canvas::fillRect(int x, int y, int w, int h, Color c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) blend(i, j, c);
}

void Canvas::frameRect(int x, int y, int w, int h, Color c) {
  if (w <= 0 || h <= 0) return;
  for (int i = x; i < x + w; ++i) {
    blend(i, y, c);
    if (h > 1) blend(i, y + h - 1, c);
  }
  for (int j = y + 1; j < y + h - 1; ++j) {
    blend(x, j, c);
    if (w > 1) blend(x + w - 1, j, c);
  }
}

void Canvas::bevelBox(int x, int y, int w, int h, Color face, int rim) {
  fillRect(x, y, w, h, face);
  Color light = shade(face, 1.45), dark = shade(face, 0.55);
  for (int k = 0; k < rim; ++k) {
    for (int i = x + k; i < x + w - k; ++i) {
      set(i, y + k, light);
      set(i, y + h - 1 - k, dark);
    }
    for (int j = y + k; j < y + h - k; ++j) {
      set(x + k, j, light);
      set(x + w - 1 - k, j, dark);
    }
  }
}

void Canvas::gradientRect(int x, int y, int w, int h, Color top, Color bottom) {
  for (int j = 0; j < h; ++j) {
    Color c = mix(top, bottom, h > 1 ? static_cast<double>(j) / (h - 1) : 0.0);
    for (int i = 0; i < w; ++i) blend(x + i, y + j, c);
  }
}

void Canvas::shadeRect(int x, int y, int w, int h, const Shader& shader) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) blend(i, j, shader(i + 0.5, j + 0.5));
}

void Canvas::line(double x0, double y0, double x1, double y1, Color c, double thickness) {
  double r = thickness / 2;
  int left = static_cast<int>(std::floor(std::min(x0, x1) - r)),
      right = static_cast<int>(std::ceil(std::max(x0, x1) + r));
  int top = static_cast<int>(std::floor(std::min(y0, y1) - r)),
      bottom = static_cast<int>(std::ceil(std::max(y0, y1) + r));
  for (int j = top; j <= bottom; ++j)
    for (int i = left; i <= right; ++i)
      if (segmentDistance(i + 0.5, j + 0.5, x0, y0, x1, y1) <= r) blend(i, j, c);
}

void Canvas::fillCircle(double cx, double cy, double r, Color c) {
  fillEllipse(cx, cy, r, r, c);
}

void Canvas::fillEllipse(double cx, double cy, double rx, double ry, Color c) {
  shadeEllipse(cx, cy, rx, ry, [c](double, double) { return c; });
}

void Canvas::shadeEllipse(double cx, double cy, double rx, double ry, const Shader& shader) {
  if (rx <= 0 || ry <= 0) return;
  for (int j = static_cast<int>(std::floor(cy - ry)); j <= static_cast<int>(std::ceil(cy + ry)); ++j)
    for (int i = static_cast<int>(std::floor(cx - rx)); i <= static_cast<int>(std::ceil(cx + rx)); ++i) {
      double u = (i + 0.5 - cx) / rx, v = (j + 0.5 - cy) / ry;
      if (u * u + v * v <= 1.0) blend(i, j, shader(i + 0.5, j + 0.5));
    }
}

void Canvas::fillPolygon(const std::vector<Point>& points, Color c) {
  shadePolygon(points, [c](double, double) { return c; });
}

void Canvas::shadePolygon(const std::vector<Point>& points, const Shader& shader) {
  if (points.size() < 3) return;
  double top = points[0].y, bottom = points[0].y;
  for (const Point& p : points) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  std::vector<double> crossings;
  for (int j = static_cast<int>(std::floor(top)); j <= static_cast<int>(std::ceil(bottom)); ++j) {
    double yc = j + 0.5;
    crossings.clear();
    for (size_t k = 0; k < points.size(); ++k) {
      const Point& a = points[k];
      const Point& b = points[(k + 1) % points.size()];
      if ((a.y <= yc && b.y > yc) || (b.y <= yc && a.y > yc))
        crossings.push_back(a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t k = 0; k + 1 < crossings.size(); k += 2)
      for (int i = static_cast<int>(std::ceil(crossings[k] - 0.5)); i + 0.5 < crossings[k + 1]; ++i)
        blend(i, j, shader(i + 0.5, yc));
  }
}

void Canvas::outline(Color c) {
  std::vector<bool> rim(pixels_.size(), false);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      if (get(x, y).a >= 128) continue;
      if (get(x - 1, y).a >= 128 || get(x + 1, y).a >= 128 || get(x, y - 1).a >= 128 ||
          get(x, y + 1).a >= 128)
        rim[static_cast<size_t>(y) * width_ + x] = true;
    }
  for (size_t k = 0; k < rim.size(); ++k)
    if (rim[k]) pixels_[k] = c;
}

void Canvas::draw(const Canvas& src, int dx, int dy) {
  for (int y = 0; y < src.height_; ++y)
    for (int x = 0; x < src.width_; ++x) blend(dx + x, dy + y, src.get(x, y));
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
  Canvas out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.set(i, j, get(x + i, y + j));
  return out;
}

Canvas Canvas::mirrored() const {
  Canvas out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.set(width_ - 1 - x, y, get(x, y));
  return out;
}

Canvas Canvas::rotated(double deg, double px, double py, int w, int h, double qx, double qy) const {
  Canvas out(w, h);
  double rad = deg * 3.14159265358979323846 / 180.0;
  double c = std::cos(rad), s = std::sin(rad);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      // Back from the destination pixel centre into the source: the inverse of a clockwise turn.
      double u = i + 0.5 - qx, v = j + 0.5 - qy;
      double sx = u * c + v * s + px, sy = -u * s + v * c + py;
      out.set(i, j, get(static_cast<int>(std::floor(sx)), static_cast<int>(std::floor(sy))));
    }
  return out;
}

Canvas Canvas::scaled(int w, int h) const {
  Canvas out(w, h);
  if (width_ == 0 || height_ == 0) return out;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.set(i, j, get(i * width_ / w, j * height_ / h));
  return out;
}

void Canvas::fade(int a) {
  for (Color& p : pixels_) p.a = static_cast<uint8_t>(p.a * std::clamp(a, 0, 255) / 255);
}

}  // namespace mv::art
