// Recording a headless run's mix: the sink gets exactly as much sound as the clock moved, with the
// remainder of a frame carried over, and the WAV file's header holds the lengths written.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/HeadlessPlatform.h"
#include "platform/Mixer.h"
#include "platform/WaveFileWriter.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

TEST(AudioCapture, TheSinkKeepsPaceWithTheClock) {
  HeadlessPlatform platform(16);
  std::vector<int16_t> heard;
  size_t calls = 0;
  platform.setAudioSink([&](const int16_t* frames, size_t count) {
    heard.insert(heard.end(), frames, frames + 2 * count);
    ++calls;
  });
  WaveFormat f;
  f.samplesPerSec = 44100;
  std::vector<uint8_t> steady;
  for (int i = 0; i < 1000; ++i) steady.insert(steady.end(), {0x10, 0x27});  // 10000
  const int h = platform.mixer().create(f, steady.data(), steady.size());
  ASSERT_NE(h, 0);

  platform.present(nullptr, 0, 0, 0);  // 16 ms = 705.6 frames: 705 now, the rest carried
  EXPECT_EQ(heard.size(), 2u * 705);
  platform.mixer().play(h, false);
  for (int i = 0; i < 4; ++i) platform.present(nullptr, 0, 0, 0);
  platform.delay(920);  // a long wait is handed over in pieces
  EXPECT_EQ(heard.size(), 2u * (44100 * (80 + 920) / 1000));
  EXPECT_GT(calls, 6u);
  // The sound began exactly where the clock stood when it was started, and played its 1000 frames.
  EXPECT_EQ(heard[2 * 704], 0);
  EXPECT_EQ(heard[2 * 705], 10000);
  EXPECT_EQ(heard[2 * 705 + 1], 10000);
  EXPECT_EQ(heard[2 * 1704], 10000);
  EXPECT_EQ(heard[2 * 1705], 0);
  EXPECT_FALSE(platform.mixer().isPlaying(h));

  // Without a sink the voices only move on.
  platform.setAudioSink(nullptr);
  platform.mixer().play(h, false);
  platform.present(nullptr, 0, 0, 0);
  EXPECT_EQ(heard.size(), 2u * 44100);
  EXPECT_NEAR(platform.mixer().position(h), 705, 1);
}

TEST(AudioCapture, WaveFileHeaderHoldsTheLengthsWritten) {
  const fs::path path = fs::temp_directory_path() / ("mv-capture-" + std::to_string(::getpid()) + ".wav");
  {
    WaveFileWriter writer(path.string(), 44100, 2);
    const int16_t frames[] = {1, -1, 0x1234, -0x1234, 7, 8};
    writer.write(frames, 3);
    writer.write(frames, 1);
    EXPECT_EQ(writer.framesWritten(), 4u);
    EXPECT_TRUE(writer.close());
    writer.write(frames, 3);  // after closing: dropped
  }
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> b{std::istreambuf_iterator<char>(in), {}};
  fs::remove(path);
  ASSERT_EQ(b.size(), 44u + 16u);
  auto le32 = [&](size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24; };
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(le32(4), 36u + 16u);
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(le32(24), 44100u);
  EXPECT_EQ(le32(28), 44100u * 4);
  EXPECT_EQ(le32(40), 16u);
  EXPECT_EQ(b[44 + 4], 0x34);  // the second frame's left sample, little-endian
  EXPECT_EQ(b[44 + 5], 0x12);
  EXPECT_EQ(b[44 + 8], 7);

  try {
    WaveFileWriter nowhere("/nonexistent-folder/x.wav", 44100, 2);
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot create file /nonexistent-folder/x.wav");
  }
}

}  // namespace
}  // namespace mv
