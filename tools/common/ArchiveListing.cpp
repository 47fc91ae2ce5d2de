#include "common/ArchiveListing.h"

#include <algorithm>

#include "common/TinyFont.h"
#include "engine/archive/PictureCollection.h"
#include "engine/sound/Wave.h"
#include "engine/sound/WaveCollection.h"
#include "platform/Error.h"

namespace mv::tools {
namespace {

int32_t numberOr(const ArchiveItem& item, const std::string& name, int32_t fallback) {
  const ArchiveValue* v = item.find(name);
  return v && (v->tag == ValueTag::Int8 || v->tag == ValueTag::Int16 || v->tag == ValueTag::Int32) ? v->number
                                                                                                   : fallback;
}

bool flagOr(const ArchiveItem& item, const std::string& name, bool fallback) {
  const ArchiveValue* v = item.find(name);
  if (!v || (v->tag != ValueTag::True && v->tag != ValueTag::False)) return fallback;
  return v->tag == ValueTag::True;
}

std::string nameOf(const ArchiveItem& item) {
  const ArchiveValue* v = item.find("Name");
  return v ? v->text : std::string();
}

// The item's picture ("Picture.Data") or wave ("Wave.WAVE") block, its name in any case like the game.
const ArchiveValue* blockOf(const ArchiveItem& item, const std::string& name) {
  const ArchiveValue* v = item.find(name);
  return v && v->tag == ValueTag::Binary ? v : nullptr;
}

std::string keyText(const ArchiveItem& item) {
  if (!flagOr(item, "Transparent", true)) return "no key";
  const ArchiveValue* v = item.find("TransparentColor");
  if (v && v->tag == ValueTag::Ident) return "key " + v->text;
  return format("key $%06X", static_cast<uint32_t>(v ? v->number : 0) & 0xFFFFFF);
}

struct PictureEntry {
  std::string name;
  TPicture picture;
  int patternWidth, patternHeight, skipWidth, skipHeight;
};

std::vector<PictureEntry> pictures(const Archive& archive) {
  std::vector<PictureEntry> out;
  for (const ArchiveItem& item : archive.items) {
    const ArchiveValue* block = blockOf(item, "Picture.Data");
    if (!block) continue;
    TPicture picture;
    try {
      picture = readPictureBlock(block->bytes);
    } catch (const Error&) {
      continue;
    }
    if (picture.empty()) continue;
    out.push_back({nameOf(item), std::move(picture), numberOr(item, "PatternWidth", 0),
                   numberOr(item, "PatternHeight", 0), numberOr(item, "SkipWidth", 0),
                   numberOr(item, "SkipHeight", 0)});
  }
  return out;
}

}  // namespace

std::string listArchive(const Archive& archive) {
  std::string out =
      format("%s, %d items\n", archive.className.c_str(), static_cast<int>(archive.items.size()));
  for (size_t i = 0; i < archive.items.size(); ++i) {
    const ArchiveItem& item = archive.items[i];
    std::string line = format("%4d  %-24s", static_cast<int>(i), nameOf(item).c_str());
    if (const ArchiveValue* block = blockOf(item, "Picture.Data")) {
      try {
        const TPicture p = readPictureBlock(block->bytes);
        const int pw = numberOr(item, "PatternWidth", 0), ph = numberOr(item, "PatternHeight", 0);
        const int count = patternCountOf(p.width(), p.height(), pw, ph, numberOr(item, "SkipWidth", 0),
                                         numberOr(item, "SkipHeight", 0));
        line +=
            format("%-10s %4dx%-4d  pattern %3dx%-3d x %3d  %s", p.className().c_str(), p.width(), p.height(),
                   pw > 0 ? pw : p.width(), ph > 0 ? ph : p.height(), count, keyText(item).c_str());
      } catch (const Error& e) {
        line += std::string("unreadable picture: ") + e.what();
      }
    } else if (const ArchiveValue* wave = blockOf(item, "Wave.WAVE")) {
      try {
        TWave w;
        w.loadFromImage(wave->bytes);
        line += format("%s %d-bit %s %u Hz, %u ms", w.formatTag() == 1 ? "PCM" : "format", w.bitsPerSample(),
                       w.channels() == 1   ? "mono"
                       : w.channels() == 2 ? "stereo"
                                           : "multi-channel",
                       w.samplesPerSec(), w.milliseconds());
        line += format("  max %d%s", numberOr(item, "MaxPlayingCount", 0),
                       flagOr(item, "Looped", false) ? "  looped" : "");
      } catch (const Error& e) {
        line += std::string("unreadable wave: ") + e.what();
      }
    }
    out += line + "\n";
  }
  return out;
}

std::string gameReading(std::span<const uint8_t> data) {
  std::string pictureError, soundError;
  try {
    TPictureCollection pictures;
    pictures.loadFromStream(data);
    return format("the game reads it as an image archive of %d items", pictures.count());
  } catch (const Error& e) {
    pictureError = e.what();
  }
  try {
    TWaveCollection sounds;
    sounds.loadFromStream(data);
    return format("the game reads it as a sound archive of %d items", sounds.count());
  } catch (const Error& e) {
    soundError = e.what();
  }
  return "the game refuses it: as an image archive, " + pictureError + "; as a sound archive, " + soundError;
}

TPicture contactSheet(const Archive& archive) {
  const std::vector<PictureEntry> entries = pictures(archive);
  if (entries.empty()) throw Error("The archive holds no pictures");
  constexpr int kGap = 6, kLabel = kTinyGlyphHeight + 3;
  int sheetWidth = 1024;
  for (const PictureEntry& e : entries) sheetWidth = std::max(sheetWidth, e.picture.width() + 2 * kGap);

  // Shelf packing in archive order: left to right, a new shelf when the next picture does not fit.
  struct Place {
    int x, y;
  };
  std::vector<Place> places;
  int x = kGap, y = kGap, shelf = 0;
  for (const PictureEntry& e : entries) {
    const int w = std::max(e.picture.width(), static_cast<int>(e.name.size()) * kTinyAdvance);
    if (x + w + kGap > sheetWidth && x > kGap) {
      x = kGap;
      y += shelf + kGap;
      shelf = 0;
    }
    places.push_back({x, y});
    x += w + kGap;
    shelf = std::max(shelf, kLabel + e.picture.height());
  }
  const int sheetHeight = y + shelf + kGap;
  // A sheet is for looking at: refuse one too big to hold rather than run out of memory.
  if (static_cast<int64_t>(sheetWidth) * sheetHeight > 64 * 1024 * 1024)
    throw Error(format("A contact sheet of %d x %d pixels is too large", sheetWidth, sheetHeight));
  std::vector<uint32_t> px(static_cast<size_t>(sheetWidth) * sheetHeight, 0x303038);
  auto plot = [&](int X, int Y, uint32_t c) {
    if (X >= 0 && Y >= 0 && X < sheetWidth && Y < sheetHeight)
      px[static_cast<size_t>(Y) * sheetWidth + X] = c;
  };

  for (size_t i = 0; i < entries.size(); ++i) {
    const PictureEntry& e = entries[i];
    const int left = places[i].x, top = places[i].y + kLabel;
    drawTinyText(px, sheetWidth, sheetHeight, left, places[i].y, e.name, 0xFFFFFF);
    for (int py = 0; py < e.picture.height(); ++py)
      for (int pxl = 0; pxl < e.picture.width(); ++pxl) plot(left + pxl, top + py, e.picture.pixel(pxl, py));
    // Outline each pattern where the item cuts the picture. Sizes and gaps come from the archive as
    // they are, so the arithmetic is wide enough for any of them.
    if (patternCountOf(e.picture.width(), e.picture.height(), e.patternWidth, e.patternHeight, e.skipWidth,
                       e.skipHeight) > 65536)
      continue;
    const int64_t w = e.patternWidth > 0 ? e.patternWidth : e.picture.width();
    const int64_t h = e.patternHeight > 0 ? e.patternHeight : e.picture.height();
    const int64_t w2 = w + e.skipWidth, h2 = h + e.skipHeight;
    if (w2 <= 0 || h2 <= 0) continue;
    for (int64_t ry = 0; ry + h <= e.picture.height(); ry += h2)
      for (int64_t rx = 0; rx + w <= e.picture.width(); rx += w2) {
        const int x0 = left + static_cast<int>(rx), y0 = top + static_cast<int>(ry);
        const int x1 = x0 + static_cast<int>(w) - 1, y1 = y0 + static_cast<int>(h) - 1;
        for (int k = x0; k <= x1; ++k) plot(k, y0, 0x00FFFF), plot(k, y1, 0x00FFFF);
        for (int k = y0; k <= y1; ++k) plot(x0, k, 0x00FFFF), plot(x1, k, 0x00FFFF);
      }
  }
  return TPicture(sheetWidth, sheetHeight, std::move(px));
}

}  // namespace mv::tools
