#pragma once
// A decoded picture (a device-independent bitmap, a bitmap file or a JPEG image) with its pixels as
// 0x00RRGGBB, rows top to bottom. A picture read from an archive keeps its original block so that an
// archive can be written back without recompressing.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/archive/Files.h"
#include "platform/Error.h"

namespace mv {

// Whether a decoded picture keeps a copy of the data it came from. Only what writes archives back needs
// it; a program that only draws would hold every picture twice.
enum class SourceData { Keep, Drop };

class TPicture {
 public:
  TPicture() = default;  // empty: no graphic
  // A picture made in memory; it is written to archives as a device-independent bitmap.
  TPicture(int width, int height, std::vector<uint32_t> rgb);

  bool empty() const { return width_ <= 0 || height_ <= 0; }
  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const uint32_t* row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const std::vector<uint32_t>& pixels() const { return pixels_; }

  // The graphic class the picture came as: "TDIB", "TBitmap" or "TJPEGImage".
  const std::string& className() const { return className_; }
  // The class's own data as it was read (empty for pictures made in memory or changed since, and for
  // those decoded with SourceData::Drop).
  const std::vector<uint8_t>& sourceData() const { return sourceData_; }

  // A left-right mirrored copy (the fighters' left-facing pictures).
  TPicture mirrored() const;

  // Internal: used by the decoders.
  static TPicture fromDecoded(int width, int height, std::vector<uint32_t> rgb, std::string className,
                              std::span<const uint8_t> sourceData, SourceData source);

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
  std::string className_ = "TDIB";
  std::vector<uint8_t> sourceData_;
};

// The largest side a picture may have; larger headers are refused as invalid.
constexpr int kMaxPictureSide = 16384;
// And the most pixels it may have: a small hostile file must not expand to gigabytes.
constexpr int64_t kMaxPicturePixels = int64_t(1) << 26;
// Run-length and JPEG pictures expand from a few bytes; they are held to what a screen-sized picture needs.
constexpr int64_t kMaxCompressedPicturePixels = int64_t(1) << 22;

// Decoding. Each throws mv::Error with the format's message on malformed data and never reads past the
// bytes given.
TPicture decodeDib(std::span<const uint8_t> data,  // a bitmap without a file header ("TDIB")
                   SourceData source = SourceData::Keep);
TPicture decodeBitmapFile(std::span<const uint8_t> data,  // a Windows bitmap file starting "BM"
                          SourceData source = SourceData::Keep);
TPicture decodeJpeg(std::span<const uint8_t> data,  // a JFIF/JPEG file
                    SourceData source = SourceData::Keep);

// A picture block of an archive item: a short-string class name, then that class's data. A class that
// is not registered gives an empty picture.
TPicture readPictureBlock(std::span<const uint8_t> block, SourceData source = SourceData::Keep);
// The block for an archive item: the original data of its class when it has one, else a 24-bit "TDIB".
std::vector<uint8_t> writePictureBlock(const TPicture& picture);

// A picture file chosen by extension: "bmp", "jpg"/"jpeg", "dib"; else "Unknown picture file
// extension (.%s)". A missing file: "Cannot open file %s".
TPicture loadPictureFile(const std::string& path);

// Encoders for the writer side.
std::vector<uint8_t> encodeDib(const TPicture& picture);         // 40-byte header, 24 bits, bottom-up
std::vector<uint8_t> encodeBitmapFile(const TPicture& picture);  // "BM" file, 24 bits
std::vector<uint8_t> encodeJpeg(const TPicture& picture, int quality = 90);
void saveBitmapFile(const TPicture& picture, const std::string& path);
void saveJpegFile(const TPicture& picture, const std::string& path, int quality = 90);

// A damaged file's message names the file: "Stream read error in SYSTEM/graphics.dat".
std::string inFile(const std::string& path, const std::string& message);

}  // namespace mv
