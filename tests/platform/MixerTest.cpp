#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Mixer.h"

namespace mv {
namespace {

WaveFormat pcm(int channels, int rate, int bits) {
  WaveFormat f;
  f.channels = channels;
  f.samplesPerSec = rate;
  f.bitsPerSample = bits;
  f.blockAlign = channels * bits / 8;
  return f;
}

std::vector<uint8_t> mono16(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> bytes;
  for (int16_t s : samples) {
    bytes.push_back(static_cast<uint8_t>(s & 0xFF));
    bytes.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
  }
  return bytes;
}

// A mono 16-bit buffer of `frames` samples of one value at the output rate, so one source frame is one
// output frame.
int constant(Mixer& mixer, int16_t value, size_t frames) {
  auto bytes = mono16(std::vector<int16_t>(frames, value));
  return mixer.create(pcm(1, mixer.outputRate(), 16), bytes.data(), bytes.size());
}

// What a fresh mixer makes of these summed frames: the full-scale ones come out turned down.
std::vector<int16_t> limited(const std::vector<int32_t>& sums) {
  std::vector<int16_t> out(sums.size());
  Limiter(8000).process(sums.data(), out.data(), sums.size() / 2);
  return out;
}

std::vector<int16_t> mixFrames(Mixer& mixer, size_t frames) {
  std::vector<int16_t> out(frames * 2, 12345);
  mixer.mix(out.data(), frames);
  return out;
}

TEST(Mixer, VolumeIsHundredthsOfDecibelsOfAttenuation) {
  EXPECT_FLOAT_EQ(Mixer::gainOf(0), 1.0f);
  EXPECT_NEAR(Mixer::gainOf(-600), 0.501, 0.001);  // 6 dB
  EXPECT_NEAR(Mixer::gainOf(-2000), 0.1, 1e-6);
  EXPECT_NEAR(Mixer::gainOf(-200), 0.794, 0.001);  // 2 dB: a sound 100 pixels away
  EXPECT_EQ(Mixer::gainOf(-10000), 0.0f);

  Mixer mixer(8000);
  int h = constant(mixer, 10000, 64);
  ASSERT_NE(h, 0);
  ASSERT_TRUE(mixer.setVolume(h, -600));
  ASSERT_TRUE(mixer.play(h, false));
  auto out = mixFrames(mixer, 4);
  EXPECT_NEAR(out[0], 5012, 1);
  EXPECT_NEAR(out[1], 5012, 1);

  ASSERT_TRUE(mixer.setVolume(h, -10000));
  out = mixFrames(mixer, 4);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 0);
}

TEST(Mixer, TheMasterVolumeScalesTheWholeMix) {
  Mixer mixer(8000);
  int h = constant(mixer, 10000, 64);
  ASSERT_TRUE(mixer.play(h, true));
  for (auto [set, sample] : {std::pair{50, 5000}, {0, 0}, {-5, 0}, {150, 10000}}) {
    mixer.setMasterVolume(set);
    EXPECT_EQ(mixFrames(mixer, 1)[0], sample) << set;
  }
}

TEST(Mixer, PanAttenuatesTheOtherSide) {
  Mixer mixer(8000);
  int h = constant(mixer, 10000, 64);
  mixer.play(h, true);
  ASSERT_TRUE(mixer.setPan(h, 2000));  // right: the left side loses 20 dB
  auto out = mixFrames(mixer, 1);
  EXPECT_NEAR(out[0], 1000, 1);
  EXPECT_EQ(out[1], 10000);

  ASSERT_TRUE(mixer.setPan(h, -600));  // left: the right side loses 6 dB
  out = mixFrames(mixer, 1);
  EXPECT_EQ(out[0], 10000);
  EXPECT_NEAR(out[1], 5012, 1);

  ASSERT_TRUE(mixer.setPan(h, 10000));
  ASSERT_TRUE(mixer.setVolume(h, -600));  // volume and pan add up on the attenuated side
  out = mixFrames(mixer, 1);
  EXPECT_EQ(out[0], 0);
  EXPECT_NEAR(out[1], 5012, 1);
}

TEST(Mixer, RefusesValuesOutsideTheRangesAndKeepsTheOldOnes) {
  Mixer mixer;
  int h = constant(mixer, 0, 16);
  ASSERT_TRUE(mixer.setVolume(h, -300));
  EXPECT_FALSE(mixer.setVolume(h, 1));
  EXPECT_FALSE(mixer.setVolume(h, -10001));
  EXPECT_EQ(mixer.volume(h), -300);

  ASSERT_TRUE(mixer.setPan(h, 10000));
  EXPECT_FALSE(mixer.setPan(h, 10001));
  EXPECT_FALSE(mixer.setPan(h, -15000));
  EXPECT_EQ(mixer.pan(h), 10000);

  ASSERT_TRUE(mixer.setFrequency(h, 11025));
  EXPECT_FALSE(mixer.setFrequency(h, 99));
  EXPECT_FALSE(mixer.setFrequency(h, 200001));
  EXPECT_EQ(mixer.frequency(h), 11025u);
  EXPECT_TRUE(mixer.setFrequency(h, 0));

  // Released and never-made handles are refused everywhere.
  mixer.release(h);
  EXPECT_FALSE(mixer.setVolume(h, 0));
  EXPECT_FALSE(mixer.play(h, false));
  EXPECT_FALSE(mixer.isPlaying(h));
  EXPECT_EQ(mixer.duplicate(h), 0);
  EXPECT_FALSE(mixer.play(0, false));
}

TEST(Mixer, ConvertsEightBitUnsignedAndSixteenBitSigned) {
  Mixer mixer(8000);
  // 8-bit: 128 is silence, 0 the most negative, 255 just under the top.
  std::vector<uint8_t> eight = {128, 0, 255, 192};
  int h8 = mixer.create(pcm(1, 8000, 8), eight.data(), eight.size());
  ASSERT_NE(h8, 0);
  ASSERT_EQ(mixer.frameCount(h8), 4u);
  mixer.play(h8, false);
  auto out = mixFrames(mixer, 4);
  EXPECT_EQ(out, limited({0, 0, -32768, -32768, 32512, 32512, 16384, 16384}));  // mono on both sides

  // 16-bit stereo keeps its sides apart.
  Mixer stereo(8000);
  std::vector<int16_t> lr = {1000, -2000, -32768, 32767};
  auto bytes = mono16(lr);
  int hs = stereo.create(pcm(2, 8000, 16), bytes.data(), bytes.size());
  ASSERT_NE(hs, 0);
  EXPECT_EQ(stereo.frameCount(hs), 2u);
  stereo.play(hs, false);
  out = mixFrames(stereo, 2);
  EXPECT_EQ(out, limited({1000, -2000, -32768, 32767}));

  // A trailing partial frame is dropped.
  std::vector<uint8_t> odd(7, 0);
  EXPECT_EQ(mixer.frameCount(mixer.create(pcm(2, 8000, 16), odd.data(), odd.size())), 1u);
}

TEST(Mixer, RejectsFormatsItCannotPlay) {
  Mixer mixer;
  std::vector<uint8_t> data(16, 0);
  WaveFormat f = pcm(1, 22050, 16);
  f.formatTag = 2;  // ADPCM
  EXPECT_EQ(mixer.create(f, data.data(), data.size()), 0);
  EXPECT_EQ(mixer.create(pcm(3, 22050, 16), data.data(), data.size()), 0);
  EXPECT_EQ(mixer.create(pcm(1, 22050, 24), data.data(), data.size()), 0);
  EXPECT_EQ(mixer.create(pcm(1, 0, 16), data.data(), data.size()), 0);
  f = pcm(2, 22050, 16);
  f.blockAlign = 2;
  EXPECT_EQ(mixer.create(f, data.data(), data.size()), 0);
  // An empty wave is a buffer that is over as soon as it starts.
  int empty = mixer.create(pcm(1, 22050, 16), nullptr, 0);
  ASSERT_NE(empty, 0);
  mixer.play(empty, false);
  EXPECT_FALSE(mixer.isPlaying(empty));
  EXPECT_EQ(mixer.voiceCount(), 1u);
}

TEST(Mixer, ParsesTheFormatRecord) {
  // PCM, stereo, 11025 Hz, 44100 bytes/s, block 4, 16 bits.
  const uint8_t record[] = {1, 0, 2, 0, 0x11, 0x2B, 0, 0, 0x44, 0xAC, 0, 0, 4, 0, 16, 0, 0, 0};
  WaveFormat f;
  ASSERT_TRUE(parseWaveFormat(record, sizeof record, f));
  EXPECT_EQ(f.formatTag, 1);
  EXPECT_EQ(f.channels, 2);
  EXPECT_EQ(f.samplesPerSec, 11025);
  EXPECT_EQ(f.blockAlign, 4);
  EXPECT_EQ(f.bitsPerSample, 16);
  // The short record without a bit count.
  ASSERT_TRUE(parseWaveFormat(record, 14, f));
  EXPECT_EQ(f.bitsPerSample, 16);
  EXPECT_FALSE(parseWaveFormat(record, 13, f));
}

TEST(Mixer, DuplicatesShareSamplesButNotPositionOrSettings) {
  Mixer mixer(8000);
  auto bytes = mono16({100, 200, 300, 400});
  int main = mixer.create(pcm(1, 8000, 16), bytes.data(), bytes.size());
  mixer.setVolume(main, -600);
  int copy = mixer.duplicate(main);
  ASSERT_NE(copy, 0);
  EXPECT_NE(copy, main);
  EXPECT_EQ(mixer.volume(copy), -600);  // starts with the original's settings
  EXPECT_EQ(mixer.frameCount(copy), 4u);

  mixer.setVolume(copy, 0);
  mixer.play(copy, false);
  auto out = mixFrames(mixer, 2);
  EXPECT_EQ(out[0], 100);
  EXPECT_EQ(out[2], 200);
  EXPECT_FALSE(mixer.isPlaying(main));
  EXPECT_EQ(mixer.position(main), 0.0);
  EXPECT_EQ(mixer.volume(main), -600);

  // The samples outlive the buffer they were made for.
  mixer.release(main);
  out = mixFrames(mixer, 2);
  EXPECT_EQ(out[0], 300);
  EXPECT_EQ(out[2], 400);

  // A finished voice can be rewound and played again.
  EXPECT_FALSE(mixer.isPlaying(copy));
  mixer.rewind(copy);
  mixer.play(copy, false);
  EXPECT_EQ(mixFrames(mixer, 1)[0], 100);
}

TEST(Mixer, OncePlaysToTheEndAndLoopingWrapsAround) {
  Mixer mixer(8000);
  auto bytes = mono16({1, 2, 3});
  int once = mixer.create(pcm(1, 8000, 16), bytes.data(), bytes.size());
  mixer.play(once, false);
  auto out = mixFrames(mixer, 5);
  EXPECT_EQ(out[4], 3);
  EXPECT_EQ(out[6], 0);  // silence after the end
  EXPECT_EQ(out[8], 0);
  EXPECT_FALSE(mixer.isPlaying(once));

  int loop = mixer.create(pcm(1, 8000, 16), bytes.data(), bytes.size());
  mixer.play(loop, true);
  out = mixFrames(mixer, 7);
  std::vector<int16_t> left;
  for (size_t i = 0; i < 7; ++i) left.push_back(out[2 * i]);
  EXPECT_EQ(left, (std::vector<int16_t>{1, 2, 3, 1, 2, 3, 1}));
  EXPECT_TRUE(mixer.isPlaying(loop));

  // Stop keeps the place; rewind goes back to the start.
  mixer.stop(loop);
  EXPECT_FALSE(mixer.isPlaying(loop));
  EXPECT_EQ(mixer.position(loop), 1.0);
  EXPECT_EQ(mixFrames(mixer, 1)[0], 0);
  mixer.rewind(loop);
  mixer.play(loop, true);
  EXPECT_EQ(mixFrames(mixer, 1)[0], 1);
}

// One voice under the knee comes out sample for sample as it went in. Sixteen full-scale voices of both
// signs on top of it, one panned, never reach full scale: the sum stays loud, keeps its sign and its
// quieter side. A second after them the quiet voice is exact again.
TEST(Mixer, TheLimiterNeverClampsAndLeavesAQuietVoiceAlone) {
  Mixer mixer(8000);
  std::vector<int16_t> tone, square;
  for (int i = 0; i < 16000; ++i)
    tone.push_back(static_cast<int16_t>(std::lround(Limiter::kKnee * std::sin(i * 0.3))));
  for (int i = 0; i < 800; ++i) square.push_back(i / 20 % 2 ? int16_t(-32768) : int16_t(32767));
  auto quiet = mono16(tone), loud = mono16(square);
  mixer.play(mixer.create(pcm(1, 8000, 16), quiet.data(), quiet.size()), false);
  auto out = mixFrames(mixer, 2000);
  for (size_t i = 0; i < 2000; ++i) ASSERT_EQ(out[2 * i], tone[i]) << i;

  for (int v = 0; v < 16; ++v) {
    int h = mixer.create(pcm(1, 8000, 16), loud.data(), loud.size());
    mixer.setPan(h, v == 0 ? 10000 : 0);
    mixer.play(h, false);
  }
  out = mixFrames(mixer, 800);
  for (size_t i = 0; i < out.size(); i += 2) {
    ASSERT_LE(std::abs(out[i + 1]), Limiter::kCeiling);
    ASSERT_LE(std::abs(out[i]), std::abs(out[i + 1]) + 1);
  }
  EXPECT_GT(*std::max_element(out.begin(), out.end()), 31000);
  EXPECT_LT(out[2 * 30 + 1], -31000);
  mixFrames(mixer, 8400);
  out = mixFrames(mixer, 2000);
  for (size_t i = 0; i < 2000; ++i) ASSERT_EQ(out[2 * i + 1], tone[11200 + i]) << i;
}

TEST(Mixer, FrequencyStepsThroughTheSource) {
  Mixer mixer(8000);
  auto bytes = mono16({0, 1000, 2000, 3000, 4000, 5000, 6000, 7000});
  // A 4000 Hz wave at 8000 Hz output: every source frame lasts two output frames, the second halfway.
  int slow = mixer.create(pcm(1, 4000, 16), bytes.data(), bytes.size());
  mixer.play(slow, false);
  auto out = mixFrames(mixer, 4);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[2], 500);
  EXPECT_EQ(out[4], 1000);
  EXPECT_EQ(out[6], 1500);
  EXPECT_DOUBLE_EQ(mixer.position(slow), 2.0);

  // Set to twice the output rate it skips every other frame and ends twice as soon.
  mixer.rewind(slow);
  ASSERT_TRUE(mixer.setFrequency(slow, 16000));
  out = mixFrames(mixer, 4);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[2], 2000);
  EXPECT_EQ(out[4], 4000);
  EXPECT_EQ(out[6], 6000);
  EXPECT_FALSE(mixer.isPlaying(slow));

  // Frequency 0 goes back to the wave's own rate.
  mixer.setFrequency(slow, 0);
  mixer.play(slow, false);
  mixFrames(mixer, 4);
  EXPECT_DOUBLE_EQ(mixer.position(slow), 2.0);
}

TEST(Mixer, StepsBetweenTheLoudestSamplesStayInRange) {
  // From the lowest sample to the highest the difference times the fraction does not fit 32 bits; a
  // full-scale square wave meets it on every edge (found by fuzzing the sound archive).
  for (int channels : {1, 2}) {
    SCOPED_TRACE(channels);
    Mixer mixer(8000);
    std::vector<int16_t> samples;
    for (int16_t s : {int16_t(-32768), int16_t(32767), int16_t(32767), int16_t(32767)})
      samples.insert(samples.end(), static_cast<size_t>(channels), s);
    auto bytes = mono16(samples);
    // A quarter of a source frame per output frame: fractions 0, 1/4, 1/2, 3/4 between the first two.
    int h = mixer.create(pcm(channels, 2000, 16), bytes.data(), bytes.size());
    mixer.play(h, false);
    auto out = mixFrames(mixer, 4);
    // The limiter turns the loud ends down, so the steps show as a steady rise through zero.
    EXPECT_LT(out[0], -Limiter::kKnee);
    EXPECT_LT(out[0], out[2]);
    EXPECT_LT(out[2], out[4]);
    EXPECT_NEAR(out[4], 0, 1);
    EXPECT_LT(out[4], out[6]);
    EXPECT_GT(out[6], 10000);
    EXPECT_EQ(out[7], out[6]);
  }
}

TEST(Mixer, AdvanceMovesVoicesByTheClockWithoutSound) {
  Mixer mixer(44100);
  int once = constant(mixer, 1, 4410);  // 100 ms
  int loop = constant(mixer, 1, 4410);
  mixer.play(once, false);
  mixer.play(loop, true);
  mixer.advance(99);
  EXPECT_TRUE(mixer.isPlaying(once));
  mixer.advance(1);
  EXPECT_FALSE(mixer.isPlaying(once));
  EXPECT_EQ(mixer.position(once), 0.0);
  EXPECT_TRUE(mixer.isPlaying(loop));
  mixer.advance(150);
  EXPECT_DOUBLE_EQ(mixer.position(loop), 2205.0);  // 250 ms = 2.5 laps
  // Milliseconds that are not whole frames add up rather than being lost.
  Mixer odd(1000 * 3 / 2);  // 1.5 frames per ms
  int h = constant(odd, 1, 1000);
  odd.setFrequency(h, 0);
  odd.play(h, true);
  for (int i = 0; i < 10; ++i) odd.advance(1);
  EXPECT_DOUBLE_EQ(odd.position(h), 15.0);
  // A clock moved on by days does not overflow the position.
  odd.advance(0xFFFFFFFFu);
  EXPECT_LT(odd.position(h), 1000.0);
}

}  // namespace
}  // namespace mv
