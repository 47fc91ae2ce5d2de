// Arbitrary bytes as the picture files a level names (a bitmap file, a JPEG) and as a bare
// device-independent bitmap: each decoder either gives a picture or refuses with a message. A picture
// it gives is mirrored (as the fighters' pictures are) and written back as an archive block, which must
// read back to the same pixels.

#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/archive/Picture.h"

using namespace mv;

namespace {

void check(const TPicture& picture) {
  const TPicture mirrored = picture.mirrored();
  if (mirrored.width() != picture.width() || mirrored.height() != picture.height()) __builtin_trap();
  const TPicture back = readPictureBlock(writePictureBlock(picture));
  if (back.width() != picture.width() || back.height() != picture.height() ||
      back.pixels() != picture.pixels())
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  for (auto decode : {decodeBitmapFile, decodeJpeg, decodeDib}) {
    try {
      check(decode(bytes, SourceData::Keep));
    } catch (const Error&) {
    }
  }
  return 0;
}
