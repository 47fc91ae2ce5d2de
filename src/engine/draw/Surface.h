#pragma once
// A 16-bit 5-6-5 surface held in memory: the back surface, the pictures' off-screen surfaces and the
// split view's scratch surface are all of this kind.

#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "engine/draw/Geometry.h"

namespace mv {

class TTextCanvas;

// Storage for surface pixels starting on a cache line, so that two surfaces' rows line up the same way
// in every process: where the heap happened to put them no longer decides how fast a copy runs.
template <typename T>
struct CacheLineAllocator {
  using value_type = T;
  static constexpr std::align_val_t kAlignment{64};
  CacheLineAllocator() = default;
  template <typename U>
  CacheLineAllocator(const CacheLineAllocator<U>&) {}
  T* allocate(size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), kAlignment)); }
  void deallocate(T* p, size_t) { ::operator delete(p, kAlignment); }
  template <typename U>
  bool operator==(const CacheLineAllocator<U>&) const { return true; }
};

// Packs 8-bit channels into 5-6-5 by dropping the low bits, as the display's conversion does.
inline uint16_t rgb565(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}
// The same for a colour reference 0x00BBGGRR.
inline uint16_t colorRefTo565(uint32_t colorRef) {
  return rgb565(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}
// A colour reference from 8-bit channels.
inline uint32_t colorRef(uint8_t r, uint8_t g, uint8_t b) {
  return r | (g << 8) | (uint32_t(b) << 16);
}

class TSurface {
 public:
  TSurface(int width, int height);  // filled with 0
  ~TSurface();
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  uint16_t* pixels() { return pixels_.data(); }
  const uint16_t* pixels() const { return pixels_.data(); }
  int pitch() const { return width_; }  // in pixels
  uint16_t* row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint16_t* row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  TRect clientRect() const { return {0, 0, width_, height_}; }

  void fill(uint16_t value);
  // Clipped copy of srcRect of source to (x, y); with the source's colour key only when transparent.
  void draw(int x, int y, const TRect& srcRect, const TSurface& source, bool transparent);

  void setColorKey(uint16_t key) { colorKey_ = key; }
  uint16_t colorKey() const { return colorKey_; }

  // Placement only matters for how a picture is cut into surfaces; all surfaces live in memory.
  bool systemMemory() const { return systemMemory_; }
  void setSystemMemory(bool value) { systemMemory_ = value; }

  // Created on first use and kept, with its font and brush, for the surface's lifetime.
  TTextCanvas& canvas();
  bool hasCanvas() const { return canvas_ != nullptr; }

 private:
  int width_, height_;
  std::vector<uint16_t, CacheLineAllocator<uint16_t>> pixels_;
  uint16_t colorKey_ = 0;
  bool systemMemory_ = false;
  std::unique_ptr<TTextCanvas> canvas_;
};

}  // namespace mv
