#pragma once
// The named image archives: a collection of picture items, each one picture cut into equal patterns,
// and the surfaces built from it while the display is initialised.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/draw/Geometry.h"
#include "engine/archive/NameIndex.h"
#include "engine/archive/Picture.h"
#include "engine/draw/StretchCache.h"
#include "engine/draw/Surface.h"

namespace mv {

class TDXDraw;
class TPictureCollection;

// The patterns of a pictureWidth x pictureHeight picture cut into patternWidth x patternHeight pieces
// (0 or less: the whole side) with skip gaps between them, as an item counts them before its surfaces
// exist; no more than 2^20. The archive tool counts with this too, so it shows what the game will cut.
int patternCountOf(int pictureWidth, int pictureHeight, int32_t patternWidth, int32_t patternHeight,
                   int32_t skipWidth, int32_t skipHeight);

class TPictureCollectionItem {
 public:
  explicit TPictureCollectionItem(TPictureCollection& collection);
  ~TPictureCollectionItem();
  TPictureCollectionItem(const TPictureCollectionItem&) = delete;
  TPictureCollectionItem& operator=(const TPictureCollectionItem&) = delete;

  // Read freely; change through setName so the name index follows.
  std::string Name;
  int32_t PatternWidth = 0, PatternHeight = 0, SkipWidth = 0, SkipHeight = 0;
  bool SystemMemory = false, Transparent = true;

  void setName(const std::string& name);
  uint32_t transparentColor() const { return transparentColor_; }  // 0x00BBGGRR
  // Re-keys every surface at once when the item has any.
  void setTransparentColor(uint32_t colorRef);

  const TPicture& picture() const { return picture_; }
  // Replacing the picture does not rebuild the surfaces: call restore afterwards.
  void setPicture(TPicture picture);
  void loadPictureFromFile(const std::string& path);

  int width() const;   // W: PatternWidth, or the picture's width when 0
  int height() const;  // H
  int patternCount() const;
  // The rectangle of a pattern on its surface, and that surface (null out of range or without surfaces).
  TRect patternRect(int patternIndex) const;
  const TSurface* patternSurface(int patternIndex) const;
  // True when the pattern exists and none of its pixels is its surface's colour key, so that drawn keyed
  // or not it covers its whole rectangle. Worked out once per pattern while the surfaces last.
  bool patternOpaque(int patternIndex) const;

  bool initialized() const { return initialized_; }
  int surfaceCount() const { return static_cast<int>(surfaces_.size()); }
  const TSurface& surface(int index) const { return *surfaces_[index]; }

  void initialize();  // under an initialised display only
  void finalize();    // discards surfaces and patterns
  void restore();     // rebuilds surfaces and patterns from the picture

  void draw(TSurface& dest, int x, int y, int patternIndex);
  // A large stretch drawn unchanged frame after frame comes from a kept scaled copy.
  void stretchDraw(TSurface& dest, const TRect& rect, int patternIndex);
  bool holdsStretchedCopy() const { return stretchCache_.holdsCopy(); }
  void drawAlpha(TSurface& dest, const TRect& rect, int patternIndex, int alpha);
  void drawRotate(TSurface& dest, int x, int y, int width, int height, int patternIndex, double centerX,
                  double centerY, int angle);
  void drawRotateAlpha(TSurface& dest, int x, int y, int width, int height, int patternIndex, double centerX,
                       double centerY, int angle, int alpha);

  TPictureCollection& collection() const { return *collection_; }

 private:
  friend class TPictureCollection;
  struct Pattern {
    TRect rect;
    TSurface* surface;
  };
  const Pattern* pattern(int index) const;
  void addSurface(int left, int top, int width, int height);
  uint16_t keyValue() const;

  TPictureCollection* collection_;
  std::string indexedName_;  // the name the index files this item under
  uint32_t transparentColor_ = 0;
  TPicture picture_;
  bool initialized_ = false;
  bool built_ = false;  // restore has cut the picture: the pattern records count from now on
  std::vector<std::unique_ptr<TSurface>> surfaces_;
  std::vector<Pattern> patterns_;
  mutable std::vector<int8_t> opaque_;  // per pattern once asked: 1 opaque, 0 not, -1 not yet known
  TStretchCache stretchCache_;  // cleared whenever the surfaces go
};

class TPictureCollection {
 public:
  TPictureCollection();
  ~TPictureCollection();
  TPictureCollection(const TPictureCollection&) = delete;
  TPictureCollection& operator=(const TPictureCollection&) = delete;

  int count() const { return static_cast<int>(items_.size()); }
  TPictureCollectionItem& item(int index) { return *items_.at(index); }
  const TPictureCollectionItem& item(int index) const { return *items_.at(index); }
  TPictureCollectionItem& operator[](int index) { return item(index); }

  TPictureCollectionItem& add();  // a new item with the defaults, at the end
  void clear();

  // Case-insensitive; the most recently named item wins. "Image '%s' not found".
  TPictureCollectionItem& find(const std::string& name);
  TPictureCollectionItem* findOrNull(const std::string& name);

  // "Cannot open file %s" for a missing file.
  void loadFromFile(const std::string& path);
  // Replaces all items. On an error the items read so far stay.
  void loadFromStream(std::span<const uint8_t> data);
  // The archive as the loader reads it (class "TPictureCollectionComponent").
  std::vector<uint8_t> saveToStream() const;
  void saveToFile(const std::string& path) const;

  // The display the collection is bound to (set by its image list).
  TDXDraw* dxDraw() const { return dxDraw_; }
  void setDXDraw(TDXDraw* dxDraw) { dxDraw_ = dxDraw; }
  bool displayInitialized() const;
  // Initialises and restores every item; "%s cannot be initialized" without an initialised display.
  void initialize();
  void finalize();
  void restore();

  // Whether the pictures loaded from here on keep their original data, so that the archive is written
  // back without recompressing. The game, which never writes one, drops it.
  SourceData PictureSources = SourceData::Keep;

  // Streamed as "ColorTable" when present; nothing draws with it.
  std::vector<uint8_t> ColorTable;

 private:
  friend class TPictureCollectionItem;
  void rename(TPictureCollectionItem* item, const std::string& oldName, const std::string& name);
  void syncStaleNames();

  std::vector<std::unique_ptr<TPictureCollectionItem>> items_;
  TNameIndex<TPictureCollectionItem> index_;
  TDXDraw* dxDraw_ = nullptr;
};

}  // namespace mv
