#include "engine/archive/Picture.h"

#include <algorithm>
#include <iterator>

#include "engine/archive/NameIndex.h"
#include "platform/Error.h"

namespace mv {

TPicture::TPicture(int width, int height, std::vector<uint32_t> rgb)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), pixels_(std::move(rgb)) {
  pixels_.resize(static_cast<size_t>(width_) * height_, 0);
}

TPicture TPicture::fromDecoded(int width, int height, std::vector<uint32_t> rgb, std::string className,
                               std::span<const uint8_t> sourceData, SourceData source) {
  TPicture p(width, height, std::move(rgb));
  p.className_ = std::move(className);
  if (source == SourceData::Keep) p.sourceData_.assign(sourceData.begin(), sourceData.end());
  return p;
}

TPicture TPicture::mirrored() const {
  std::vector<uint32_t> out(pixels_.size());
  for (int y = 0; y < height_; ++y) {
    const uint32_t* src = row(y);
    std::reverse_copy(src, src + width_, out.begin() + static_cast<size_t>(y) * width_);
  }
  return TPicture(width_, height_, std::move(out));
}

namespace {

uint32_t readLength(std::span<const uint8_t>& rest) {
  if (rest.size() < 4) throw Error("Stream read error");
  const uint32_t length = rest[0] | (rest[1] << 8) | (rest[2] << 16) | (uint32_t(rest[3]) << 24);
  rest = rest.subspan(4);
  if (length > rest.size()) throw Error("Stream read error");
  return length;
}

void appendLength(std::vector<uint8_t>& out, size_t length) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(length >> (8 * i)));
}

std::string extensionOf(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return path.substr(dot + 1);
}

}  // namespace

TPicture readPictureBlock(std::span<const uint8_t> block, SourceData source) {
  if (block.empty()) throw Error("Stream read error");
  const size_t nameLength = block[0];
  if (nameLength + 1 > block.size()) throw Error("Stream read error");
  const std::string className(block.begin() + 1, block.begin() + 1 + nameLength);
  std::span<const uint8_t> rest = block.subspan(1 + nameLength);
  if (sameTextCp1251(className, "TDIB")) return decodeDib(rest, source);
  if (sameTextCp1251(className, "TBitmap")) {
    const uint32_t length = readLength(rest);
    return length == 0 ? TPicture() : decodeBitmapFile(rest.first(length), source);
  }
  if (sameTextCp1251(className, "TJPEGImage")) {
    const uint32_t length = readLength(rest);
    return length == 0 ? TPicture() : decodeJpeg(rest.first(length), source);
  }
  return {};
}

std::vector<uint8_t> writePictureBlock(const TPicture& picture) {
  std::vector<uint8_t> out;
  const bool original = !picture.sourceData().empty();
  const std::string className = original ? picture.className() : "TDIB";
  out.push_back(static_cast<uint8_t>(className.size()));
  out.insert(out.end(), className.begin(), className.end());
  if (!original) {
    std::vector<uint8_t> dib = encodeDib(picture);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
  }
  if (className != "TDIB") appendLength(out, picture.sourceData().size());
  out.insert(out.end(), picture.sourceData().begin(), picture.sourceData().end());
  return out;
}

TPicture loadPictureFile(const std::string& path) {
  const std::string ext = extensionOf(path);
  const std::string lower = lowerCaseCp1251(ext);
  if (lower != "bmp" && lower != "jpg" && lower != "jpeg" && lower != "dib")
    throw Error(format("Unknown picture file extension (.%s)", ext.c_str()));
  const std::vector<uint8_t> data = readWholeFile(path, kPictureFileLimit);
  try {
    if (lower == "bmp") return decodeBitmapFile(data);
    if (lower == "dib") {
      // A bitmap file under another name; its block in an archive is the bare bitmap, made afresh.
      TPicture p =
          data.size() >= 2 && data[0] == 'B' && data[1] == 'M' ? decodeBitmapFile(data) : decodeDib(data);
      return TPicture(p.width(), p.height(), p.pixels());
    }
    return decodeJpeg(data);
  } catch (const Error& e) {
    throw Error(inFile(path, e.what()));
  }
}

void saveBitmapFile(const TPicture& picture, const std::string& path) {
  writeWholeFile(path, encodeBitmapFile(picture));
}

void saveJpegFile(const TPicture& picture, const std::string& path, int quality) {
  writeWholeFile(path, encodeJpeg(picture, quality));
}

std::string inFile(const std::string& path, const std::string& message) {
  return message + " in " + path;
}

}  // namespace mv
