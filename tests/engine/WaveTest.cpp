// The RIFF WAVE reader on good and damaged images: the chunk walk only ever moves forward inside the
// image, lengths that overrun are cut to what is there, and a missing or short format is refused.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/sound/Wave.h"
#include "platform/Error.h"

namespace mv {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes text(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

Bytes le32(uint32_t v) {
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 24)};
}

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes chunk(const std::string& id, const Bytes& body) {
  return text(id) + le32(static_cast<uint32_t>(body.size())) + body;
}
Bytes chunkClaiming(const std::string& id, uint32_t length, const Bytes& body) {
  return text(id) + le32(length) + body;
}

const Bytes kHeader = text("RIFF") + le32(0) + text("WAVE");

// A 16-byte PCM format record: 22050 Hz mono 16-bit.
Bytes pcmFormat() {
  TWave w;
  const int16_t none[1] = {0};
  w.setPcm16(std::span(none, 0), 22050);
  return w.format;
}

void expectInvalid(const Bytes& image, const char* what) {
  TWave wave;
  try {
    wave.loadFromImage(image);
    ADD_FAILURE() << "accepted " << what;
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Wave is invalid") << what;
  }
}

TEST(Wave, WalksChunksWithoutPaddingAndSkipsUnknownOnes) {
  // An odd-length chunk is followed directly by the next header.
  const Bytes image = kHeader + chunk("LIST", text("abc")) + chunk("fmt ", pcmFormat()) +
                      chunk("fact", text("12345")) + chunk("data", {0x10, 0x00, 0x20, 0x00});
  TWave wave;
  wave.loadFromImage(image);
  EXPECT_EQ(wave.format, pcmFormat());
  EXPECT_EQ(wave.data, (Bytes{0x10, 0x00, 0x20, 0x00}));
  EXPECT_EQ(wave.samplesPerSec(), 22050u);
  EXPECT_EQ(wave.avgBytesPerSec(), 44100u);
  EXPECT_EQ(wave.blockAlign(), 2);
  EXPECT_EQ(wave.bitsPerSample(), 16);

  // A zero identifier ends the walk: what follows it is not read.
  TWave cut;
  cut.loadFromImage(kHeader + chunk("fmt ", pcmFormat()) + Bytes(8, 0) + chunk("data", {1, 2}));
  EXPECT_EQ(cut.dataSize(), 0u);
}

TEST(Wave, DamagedLengthsStayInsideTheImage) {
  // A length of 2^31 or more would walk backwards if read as signed; here it runs to the end, so the
  // format after it is never seen.
  expectInvalid(kHeader + chunkClaiming("junk", 0xFFFFFFF0u, {}) + chunk("fmt ", pcmFormat()),
                "a format hidden behind a huge chunk");
  TWave huge;
  huge.loadFromImage(kHeader + chunk("fmt ", pcmFormat()) + chunkClaiming("junk", 0x80000000u, text("xy")) +
                     chunk("data", {1, 2}));
  EXPECT_EQ(huge.dataSize(), 0u);

  // A data chunk claiming more than is there keeps what is there.
  TWave shortData;
  shortData.loadFromImage(kHeader + chunk("fmt ", pcmFormat()) + chunkClaiming("data", 1000, {1, 2, 3, 4}));
  EXPECT_EQ(shortData.data, (Bytes{1, 2, 3, 4}));

  // A header cut off by the end is filled up with zeros and has no room for a body.
  TWave tail;
  tail.loadFromImage(kHeader + chunk("fmt ", pcmFormat()) + text("da"));
  EXPECT_EQ(tail.dataSize(), 0u);
}

TEST(Wave, RefusesBadHeadersAndMissingOrShortFormats) {
  expectInvalid(text("RIFX") + le32(0) + text("WAVE") + chunk("fmt ", pcmFormat()), "a wrong signature");
  expectInvalid(text("RIFF") + le32(0) + text("AVI ") + chunk("fmt ", pcmFormat()), "a wrong form type");
  expectInvalid(text("RIFF"), "a cut header");
  expectInvalid({}, "nothing");
  expectInvalid(kHeader + chunk("data", {1, 2}), "no format");
  // The old 14-byte record lacks the bit count every reader takes for granted.
  Bytes fourteen = pcmFormat();
  fourteen.resize(14);
  expectInvalid(kHeader + chunk("fmt ", fourteen) + chunk("data", {1, 2}), "a 14-byte format");
  // A format chunk whose length overruns the image is cut to what is there, and then is too short.
  Bytes cutFormat = kHeader + chunkClaiming("fmt ", 16, pcmFormat());
  cutFormat.resize(cutFormat.size() - 4);
  expectInvalid(cutFormat, "a format cut by the end");
  // A longer (extended) record is kept whole.
  TWave extended;
  extended.loadFromImage(kHeader + chunk("fmt ", pcmFormat() + Bytes{0, 0}));
  EXPECT_EQ(extended.formatSize(), 18u);
}

TEST(Wave, ImageRoundTripAndEveryTruncationIsSafe) {
  const std::vector<int16_t> samples{0, -1, 32767, -32768, 1234};
  TWave wave;
  wave.setPcm16(samples, 11025, 1);
  EXPECT_EQ(wave.milliseconds(), 0u);  // 10 bytes at 22050 bytes a second
  const Bytes image = wave.saveToImage();
  ASSERT_EQ(image.size(), 44u + 10u);
  TWave back;
  back.loadFromImage(image);
  EXPECT_EQ(back.format, wave.format);
  EXPECT_EQ(back.data, wave.data);
  EXPECT_EQ(back.data[4], 0xFF);  // 32767, little-endian
  EXPECT_EQ(back.data[5], 0x7F);

  // Every prefix either loads (with no more data than it holds) or is refused.
  for (size_t n = 0; n <= image.size(); ++n) {
    TWave part;
    try {
      part.loadFromImage(std::span(image.data(), n));
      EXPECT_LE(part.dataSize() + part.formatSize(), n);
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Wave is invalid");
    }
  }

  TWave second;
  const std::vector<int16_t> stereo(22050 * 2, 5);
  second.setPcm16(stereo, 22050, 2);
  EXPECT_EQ(second.milliseconds(), 1000u);
  EXPECT_EQ(second.channels(), 2);
  EXPECT_EQ(second.blockAlign(), 4);
}

}  // namespace
}  // namespace mv
