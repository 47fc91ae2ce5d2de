// JPEG pictures through libjpeg: the level backgrounds and the archives' "TJPEGImage" blocks.

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
// libjpeg's header needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "engine/archive/Picture.h"
#include "platform/Error.h"

namespace mv {
namespace {

// libjpeg reports fatal errors through a callback that must not return; it jumps back to the caller,
// which then throws. Nothing with a destructor lives between the setjmp and the jump.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  int code = 0;
};

void onFatal(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  err->code = err->base.msg_code;
  std::longjmp(err->jump, 1);
}

void onMessage(j_common_ptr) {}  // warnings (a truncated file, say) are not worth reporting

[[noreturn]] void jpegError(int code) {
  throw Error(format("JPEG error #%d", code));
}

// Returns false on a libjpeg error; the picture is filled on success.
// Buffers belong to the caller, so that a jump skips no destructor here.
bool decodeInto(std::span<const uint8_t> data, std::vector<uint32_t>& pixels, std::vector<uint8_t>& rowBuffer,
                int& width, int& height, ErrorManager& err) {
  jpeg_decompress_struct info;
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = onFatal;
  err.base.output_message = onMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  if (info.image_width > static_cast<unsigned>(kMaxPictureSide) ||
      info.image_height > static_cast<unsigned>(kMaxPictureSide) ||
      static_cast<int64_t>(info.image_width) * info.image_height > kMaxCompressedPicturePixels) {
    err.code = -1;
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  pixels.assign(static_cast<size_t>(width) * height, 0);
  rowBuffer.assign(static_cast<size_t>(width) * 3, 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = rowBuffer.data();
    const int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, &row, 1);
    uint32_t* out = pixels.data() + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) out[x] = (row[3 * x] << 16) | (row[3 * x + 1] << 8) | row[3 * x + 2];
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool encodeInto(const TPicture& picture, int quality, std::vector<uint8_t>& row, unsigned char*& buffer,
                unsigned long& size, ErrorManager& err) {
  jpeg_compress_struct info;
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = onFatal;
  err.base.output_message = onMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(picture.width());
  info.image_height = static_cast<JDIMENSION>(picture.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  row.assign(static_cast<size_t>(picture.width()) * 3, 0);
  while (info.next_scanline < info.image_height) {
    const uint32_t* src = picture.row(static_cast<int>(info.next_scanline));
    for (int x = 0; x < picture.width(); ++x) {
      row[3 * x] = static_cast<uint8_t>(src[x] >> 16);
      row[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(src[x]);
    }
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

TPicture decodeJpeg(std::span<const uint8_t> data, SourceData source) {
  ErrorManager err;
  std::vector<uint32_t> pixels;
  std::vector<uint8_t> rowBuffer;
  int width = 0, height = 0;
  if (data.empty()) jpegError(0);
  if (!decodeInto(data, pixels, rowBuffer, width, height, err)) jpegError(err.code);
  return TPicture::fromDecoded(width, height, std::move(pixels), "TJPEGImage", data, source);
}

std::vector<uint8_t> encodeJpeg(const TPicture& picture, int quality) {
  if (picture.empty()) throw Error("JPEG error #0");
  ErrorManager err;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<uint8_t> row;
  const bool ok = encodeInto(picture, quality, row, buffer, size, err);
  std::vector<uint8_t> out;
  if (ok) out.assign(buffer, buffer + size);
  std::free(buffer);
  if (!ok) jpegError(err.code);
  return out;
}

}  // namespace mv
