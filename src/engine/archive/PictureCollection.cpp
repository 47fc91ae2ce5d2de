#include "engine/archive/PictureCollection.h"

#include <algorithm>

#include "engine/draw/Blit.h"
#include "engine/archive/ComponentStream.h"
#include "engine/draw/DXDraw.h"
#include "engine/draw/Rotate.h"

namespace mv {
namespace {

// Surfaces are cut at whole patterns into blocks of about this size, as display memory once required;
// the pattern rectangles depend on the cut, so it stays.
constexpr int64_t kBlockSize = 512;
// No real picture has more patterns than this; a hostile archive asking for single-pixel patterns of a
// huge picture gets the first ones only.
constexpr int64_t kMaxPatterns = int64_t(1) << 20;

[[noreturn]] void cannotInitialize() {
  throw Error(format("%s cannot be initialized", "TPictureCollection"));
}

// Patterns of one axis before the surfaces exist: whole strides, plus one when the rest is exactly one
// pattern without its gap.
int64_t countAlong(int64_t size, int64_t pattern, int64_t stride) {
  if (stride <= 0) return 0;
  const int64_t n = size / stride;
  return n + (size - n * stride == pattern ? 1 : 0);
}

}  // namespace

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection& collection) : collection_(&collection) {}
TPictureCollectionItem::~TPictureCollectionItem() = default;

void TPictureCollectionItem::setName(const std::string& name) {
  collection_->rename(this, indexedName_, name);
  Name = name;
  indexedName_ = name;
}

void TPictureCollectionItem::setTransparentColor(uint32_t colorRef) {
  transparentColor_ = colorRef;
  opaque_.clear();
  for (auto& s : surfaces_) s->setColorKey(keyValue());
}

// The surface value the transparent colour turns into: picture pixels go through the same conversion,
// so the key matches exactly the pixels that look like it on the display.
uint16_t TPictureCollectionItem::keyValue() const {
  return colorRefTo565(transparentColor_);
}

void TPictureCollectionItem::setPicture(TPicture picture) {
  picture_ = std::move(picture);
}

void TPictureCollectionItem::loadPictureFromFile(const std::string& path) {
  picture_ = loadPictureFile(path);
}

int TPictureCollectionItem::width() const {
  return PatternWidth > 0 ? PatternWidth : picture_.width();
}
int TPictureCollectionItem::height() const {
  return PatternHeight > 0 ? PatternHeight : picture_.height();
}

int patternCountOf(int pictureWidth, int pictureHeight, int32_t patternWidth, int32_t patternHeight,
                   int32_t skipWidth, int32_t skipHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return 0;
  const int64_t w = patternWidth > 0 ? patternWidth : pictureWidth;
  const int64_t h = patternHeight > 0 ? patternHeight : pictureHeight;
  const int64_t cols = countAlong(pictureWidth, w, w + skipWidth);
  const int64_t rows = countAlong(pictureHeight, h, h + skipHeight);
  return static_cast<int>(std::min(cols * rows, kMaxPatterns));
}

int TPictureCollectionItem::patternCount() const {
  if (built_) return static_cast<int>(patterns_.size());
  return patternCountOf(picture_.width(), picture_.height(), PatternWidth, PatternHeight, SkipWidth, SkipHeight);
}

const TPictureCollectionItem::Pattern* TPictureCollectionItem::pattern(int index) const {
  if (index < 0 || index >= static_cast<int>(patterns_.size())) return nullptr;
  return &patterns_[index];
}

TRect TPictureCollectionItem::patternRect(int patternIndex) const {
  const Pattern* p = pattern(patternIndex);
  return p ? p->rect : TRect{};
}

const TSurface* TPictureCollectionItem::patternSurface(int patternIndex) const {
  const Pattern* p = pattern(patternIndex);
  return p ? p->surface : nullptr;
}

bool TPictureCollectionItem::patternOpaque(int patternIndex) const {
  const Pattern* p = pattern(patternIndex);
  if (!p) return false;
  if (opaque_.size() != patterns_.size()) opaque_.assign(patterns_.size(), -1);
  int8_t& known = opaque_[static_cast<size_t>(patternIndex)];
  if (known < 0) {
    const TRect r = intersection(p->rect, p->surface->clientRect());
    known = r == p->rect && !r.empty();
    const uint16_t key = p->surface->colorKey();
    for (int y = r.Top; y < r.Bottom && known; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (p->surface->row(y)[x] == key) {
          known = 0;
          break;
        }
  }
  return known == 1;
}

void TPictureCollectionItem::initialize() {
  if (!collection_->displayInitialized()) cannotInitialize();
  initialized_ = true;
}

void TPictureCollectionItem::finalize() {
  stretchCache_.clear();
  opaque_.clear();
  patterns_.clear();
  surfaces_.clear();
  built_ = false;
  initialized_ = false;
}

void TPictureCollectionItem::addSurface(int left, int top, int width, int height) {
  auto surface = std::make_unique<TSurface>(width, height);
  surface->setSystemMemory(SystemMemory);
  const TRect from =
      intersection(boundsRect(left, top, width, height), {0, 0, picture_.width(), picture_.height()});
  for (int y = from.Top; y < from.Bottom; ++y) {
    const uint32_t* src = picture_.row(y);
    uint16_t* dst = surface->row(y - top) - left;
    for (int x = from.Left; x < from.Right; ++x) {
      const uint32_t p = src[x];
      dst[x] = rgb565(static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p));
    }
  }
  surface->setColorKey(keyValue());
  surfaces_.push_back(std::move(surface));
}

void TPictureCollectionItem::restore() {
  if (picture_.empty()) return;
  if (!initialized_) {
    if (collection_->displayInitialized()) initialize();
    if (!initialized_) return;
  }
  stretchCache_.clear();
  opaque_.clear();
  patterns_.clear();
  surfaces_.clear();
  built_ = true;

  const int64_t pw = picture_.width(), ph = picture_.height();
  const int64_t w = width(), h = height();
  const int64_t w2 = w + SkipWidth, h2 = h + SkipHeight;
  if (w == pw && h == ph) {
    addSurface(0, 0, static_cast<int>(pw), static_cast<int>(ph));
    patterns_.push_back({{0, 0, static_cast<int>(w), static_cast<int>(h)}, surfaces_[0].get()});
    return;
  }
  // A gap that swallows the pattern leaves nothing to cut.
  if (w2 <= 0 || h2 <= 0) return;
  const int64_t cols = (pw + SkipWidth) / w2, rows = (ph + SkipHeight) / h2;
  if (cols <= 0 || rows <= 0) return;

  auto addPattern = [&](int64_t left, int64_t top, TSurface* surface) {
    if (static_cast<int64_t>(patterns_.size()) >= kMaxPatterns) return;
    patterns_.push_back({boundsRect(static_cast<int32_t>(left), static_cast<int32_t>(top),
                                    static_cast<int32_t>(w), static_cast<int32_t>(h)),
                         surface});
  };
  if (SystemMemory) {
    addSurface(0, 0, static_cast<int>(pw), static_cast<int>(ph));
    for (int64_t y = 0; y < rows; ++y)
      for (int64_t x = 0; x < cols; ++x) addPattern(x * w2, y * h2, surfaces_[0].get());
    return;
  }

  const int64_t bw = std::min(((kBlockSize + w2 - 1) / w2) * w2, cols * w2);
  const int64_t bh = std::min(((kBlockSize + h2 - 1) / h2) * h2, rows * h2);
  if (bw <= 0 || bh <= 0) return;
  const int64_t bx = (pw + bw - 1) / bw, by = (ph + bh - 1) / bh;
  for (int64_t j = 0; j < by; ++j)
    for (int64_t i = 0; i < bx; ++i) {
      int64_t sw = std::min(bw, pw - i * bw), sh = std::min(bh, ph - j * bh);
      if (sw <= 0) sw = bw;
      if (sh <= 0) sh = bh;
      addSurface(static_cast<int>(i * bw), static_cast<int>(j * bh), static_cast<int>(sw),
                 static_cast<int>(sh));
    }
  for (int64_t y = 0; y < rows; ++y)
    for (int64_t x = 0; x < cols; ++x) {
      const int64_t x2 = x * w2, y2 = y * h2;
      const int64_t block = x2 / bw + (y2 / bh) * bx;
      if (block >= static_cast<int64_t>(surfaces_.size())) continue;
      addPattern(x2 % bw, y2 % bh, surfaces_[block].get());
    }
}

void TPictureCollectionItem::draw(TSurface& dest, int x, int y, int patternIndex) {
  if (const Pattern* p = pattern(patternIndex)) blitCopy(dest, x, y, *p->surface, p->rect, Transparent);
}

void TPictureCollectionItem::stretchDraw(TSurface& dest, const TRect& rect, int patternIndex) {
  if (const Pattern* p = pattern(patternIndex)) stretchCache_.draw(dest, rect, *p->surface, p->rect, Transparent);
}

void TPictureCollectionItem::drawAlpha(TSurface& dest, const TRect& rect, int patternIndex, int alpha) {
  if (const Pattern* p = pattern(patternIndex))
    blitAlpha(dest, rect, *p->surface, p->rect, Transparent, alpha);
}

void TPictureCollectionItem::drawRotate(TSurface& dest, int x, int y, int width, int height, int patternIndex,
                                        double centerX, double centerY, int angle) {
  drawRotateAlpha(dest, x, y, width, height, patternIndex, centerX, centerY, angle, 255);
}

void TPictureCollectionItem::drawRotateAlpha(TSurface& dest, int x, int y, int width, int height,
                                             int patternIndex, double centerX, double centerY, int angle,
                                             int alpha) {
  if (const Pattern* p = pattern(patternIndex))
    blitRotate(dest, x, y, width, height, *p->surface, p->rect, Transparent, centerX, centerY, angle, alpha);
}

TPictureCollection::TPictureCollection() = default;
TPictureCollection::~TPictureCollection() = default;

TPictureCollectionItem& TPictureCollection::add() {
  items_.push_back(std::make_unique<TPictureCollectionItem>(*this));
  return *items_.back();
}

void TPictureCollection::clear() {
  index_.clear();
  items_.clear();
}

void TPictureCollection::rename(TPictureCollectionItem* item, const std::string& oldName,
                                const std::string& name) {
  index_.rename(item, oldName, name);
}

// Items whose Name was assigned directly are filed again under it.
void TPictureCollection::syncStaleNames() {
  for (auto& item : items_)
    if (item->Name != item->indexedName_) item->setName(item->Name);
}

TPictureCollectionItem* TPictureCollection::findOrNull(const std::string& name) {
  auto nameOf = [](const TPictureCollectionItem& item) -> const std::string& { return item.Name; };
  if (TPictureCollectionItem* item = index_.find(name, nameOf)) return item;
  syncStaleNames();
  return index_.find(name, nameOf);
}

TPictureCollectionItem& TPictureCollection::find(const std::string& name) {
  if (TPictureCollectionItem* item = findOrNull(name)) return *item;
  throw Error(format("Image '%s' not found", name.c_str()));
}

bool TPictureCollection::displayInitialized() const {
  return dxDraw_ && dxDraw_->initialized();
}

void TPictureCollection::initialize() {
  if (!displayInitialized()) cannotInitialize();
  for (auto& item : items_) {
    item->initialize();
    item->restore();
  }
}

void TPictureCollection::finalize() {
  for (auto& item : items_) item->finalize();
}

void TPictureCollection::restore() {
  for (auto& item : items_) item->restore();
}

}  // namespace mv
