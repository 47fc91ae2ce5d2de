// The sound archive and its playback rules: round trip through the component stream, look-up by name,
// buffers made on the mixer, voices limited by MaxPlayingCount, looping on the main buffer, settings
// taken to the mixer's ranges.

#include <gtest/gtest.h>

#include <vector>

#include "engine/archive/ComponentStream.h"
#include "engine/sound/DXWaveList.h"
#include "engine/sound/WaveCollection.h"
#include "platform/Error.h"
#include "platform/Mixer.h"

namespace mv {
namespace {

constexpr int kRate = 8000;  // the mixer's and the waves' rate: one source frame per output frame

// `frames` samples of one value, so the mixer's output shows which voices are sounding.
void fill(TWaveCollectionItem& item, size_t frames, int16_t value = 1000) {
  const std::vector<int16_t> samples(frames, value);
  item.Wave.setPcm16(samples, kRate);
}

class WaveList : public testing::Test {
 protected:
  TWaveCollectionItem& item(const std::string& name, size_t frames = 100) {
    TWaveCollectionItem& it = list.Items.add();
    it.setName(name);
    fill(it, frames);
    it.restore();
    return it;
  }
  // The mixer moves on by `frames` output frames; the first left sample is returned.
  int16_t mix(size_t frames) {
    std::vector<int16_t> out(frames * 2);
    mixer.mix(out.data(), frames);
    return out[0];
  }

  Mixer mixer{kRate};
  TDXWaveList list{&mixer};
};

TEST_F(WaveList, ArchiveRoundTripKeepsNamesSettingsAndWaves) {
  TWaveCollection source;
  TWaveCollectionItem& a = source.add();
  a.setName("Headshot");
  a.setMaxPlayingCount(3);
  fill(a, 10, 7);
  TWaveCollectionItem& b = source.add();
  b.setName("RocketFly");
  b.setLooped(true);
  fill(b, 4, -7);
  source.add();  // nameless and empty

  list.Items.loadFromStream(source.saveToStream());
  ASSERT_EQ(list.Items.count(), 3);
  EXPECT_EQ(list.Items[0].MaxPlayingCount(), 3);
  EXPECT_FALSE(list.Items[0].Looped());
  EXPECT_TRUE(list.Items[1].Looped());
  EXPECT_EQ(list.Items[1].Wave.data, b.Wave.data);
  EXPECT_EQ(list.Items[0].Wave.format, a.Wave.format);
  // Loading on a mixer makes every buffer; the empty item has none and stays silent.
  EXPECT_NE(list.Items[0].buffer(), 0);
  EXPECT_EQ(mixer.frameCount(list.Items[0].buffer()), 10u);
  EXPECT_EQ(list.Items[2].buffer(), 0);
  list.Items[2].play();
  EXPECT_EQ(list.Items.saveToStream(), source.saveToStream());

  // Names are found ignoring case; the later of two equal names wins.
  EXPECT_EQ(&list.Items.find("headshot"), &list.Items[0]);
  list.Items[2].setName("HEADSHOT");
  EXPECT_EQ(&list.Items.find("Headshot"), &list.Items[2]);
  try {
    list.Items.find("Respawn");
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Wave 'Respawn' not found");
  }
}

TEST_F(WaveList, ArchiveErrorsNameTheProblem) {
  auto load = [&](const std::function<void(TComponentWriter&)>& property) {
    TComponentWriter w;
    w.writeHeader("TWaveCollectionComponent");
    w.writePropertyName("List");
    w.beginCollection();
    w.beginItem();
    property(w);
    w.endItem();
    w.endCollection();
    w.endProperties();
    w.endChildren();
    try {
      list.Items.loadFromStream(w.bytes());
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  EXPECT_EQ(load([](TComponentWriter& w) { w.writePropertyName("Volume"), w.writeInteger(1); }),
            "Error reading Volume: Property does not exist");
  EXPECT_EQ(load([](TComponentWriter& w) { w.writePropertyName("Looped"), w.writeInteger(1); }),
            "Error reading Looped: Invalid property value");
  EXPECT_EQ(load([](TComponentWriter& w) {
              w.writePropertyName("Wave.WAVE");
              const uint8_t junk[] = {'R', 'I', 'F', 'F'};
              w.writeBinary(junk);
            }),
            "Wave is invalid");
  EXPECT_EQ(load([](TComponentWriter& w) { w.writePropertyName("MaxPlayingCount"), w.writeInteger(-5); }),
            "");
  EXPECT_EQ(list.Items[0].MaxPlayingCount(), 0);

  // A format the mixer cannot play fails when its buffer is made.
  TWaveCollectionItem& odd = list.Items.add();
  fill(odd, 4);
  odd.Wave.format[14] = 12;  // 12 bits per sample
  try {
    odd.restore();
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Sound Buffer cannot be made");
  }
}

TEST_F(WaveList, MaxPlayingCountCutsOffTheOldestVoice) {
  TWaveCollectionItem& shot = item("Weapon1");
  shot.setMaxPlayingCount(2);
  shot.play();
  mix(10);
  shot.play();
  mix(10);
  ASSERT_EQ(shot.voices().size(), 2u);
  const int first = shot.voices()[0], second = shot.voices()[1];
  EXPECT_DOUBLE_EQ(mixer.position(first), 20);
  EXPECT_DOUBLE_EQ(mixer.position(second), 10);
  EXPECT_EQ(mix(1), 2000);  // both sound

  // The third play takes the oldest voice, restarts it and makes it the newest.
  shot.play();
  EXPECT_EQ(shot.voices(), (std::vector<int>{second, first}));
  EXPECT_DOUBLE_EQ(mixer.position(first), 0);
  EXPECT_TRUE(mixer.isPlaying(first));
  EXPECT_DOUBLE_EQ(mixer.position(second), 11);

  // A finished voice is taken before any is cut off.
  mix(95);
  EXPECT_FALSE(mixer.isPlaying(second));
  shot.play();
  EXPECT_EQ(shot.voices(), (std::vector<int>{second, first}));
  EXPECT_DOUBLE_EQ(mixer.position(first), 95);
}

TEST_F(WaveList, WithoutALimitEveryBusyPlayAddsAVoice) {
  TWaveCollectionItem& step = item("Ricoshet1");
  for (int i = 0; i < 5; ++i) {
    step.play();
    mix(1);
  }
  EXPECT_EQ(step.voices().size(), 5u);
  EXPECT_EQ(mix(1), 5000);
  // Once they are over, the next plays reuse them.
  mix(200);
  step.play();
  step.play();
  EXPECT_EQ(step.voices().size(), 5u);

  // Setting a limit frees the voices; the main buffer is never one of them.
  step.setMaxPlayingCount(1);
  EXPECT_TRUE(step.voices().empty());
  EXPECT_EQ(mixer.voiceCount(), 1u);
  EXPECT_FALSE(mixer.isPlaying(step.buffer()));
}

TEST_F(WaveList, LoopedSoundsRestartOnTheMainBufferAndStopWhenUnlooped) {
  TWaveCollectionItem& hum = item("RocketFly", 50);
  hum.setLooped(true);
  hum.play();
  EXPECT_TRUE(hum.voices().empty());
  mix(130);  // twice round and 30 more
  EXPECT_TRUE(mixer.isPlaying(hum.buffer()));
  EXPECT_DOUBLE_EQ(mixer.position(hum.buffer()), 30);
  hum.play();
  EXPECT_DOUBLE_EQ(mixer.position(hum.buffer()), 0);
  mix(10);

  hum.setLooped(false);
  EXPECT_FALSE(mixer.isPlaying(hum.buffer()));
  hum.play();
  EXPECT_EQ(hum.voices().size(), 1u);
  mix(60);
  EXPECT_FALSE(mixer.isPlaying(hum.voices()[0]));
}

TEST_F(WaveList, SettingsGoToTheMainBufferAndToEveryPlayWithinTheMixersRanges) {
  TWaveCollectionItem& boom = item("Explode");
  boom.setVolume(-600);
  boom.setPan(2500);
  boom.setFrequency(4000);
  EXPECT_EQ(mixer.volume(boom.buffer()), -600);
  EXPECT_EQ(mixer.pan(boom.buffer()), 2500);
  boom.play();
  const int voice = boom.voices()[0];
  EXPECT_EQ(mixer.volume(voice), -600);
  EXPECT_EQ(mixer.pan(voice), 2500);
  EXPECT_EQ(mixer.frequency(voice), 4000u);

  // Out of range is the nearest end, never a refusal that would keep the louder value.
  boom.setVolume(-25000);
  boom.setPan(-40000);
  boom.setFrequency(-3);
  boom.play();
  EXPECT_EQ(boom.volume(), Mixer::kVolumeMin);
  EXPECT_EQ(mixer.volume(boom.voices().back()), Mixer::kVolumeMin);
  EXPECT_EQ(mixer.pan(boom.voices().back()), Mixer::kPanLeft);
  EXPECT_EQ(mixer.frequency(boom.voices().back()), 0u);
  boom.setVolume(300);
  EXPECT_EQ(boom.volume(), 0);
}

TEST(WaveListUnbound, SilentWithoutAMixerAndBuffersComeWithIt) {
  TDXWaveList list;
  TWaveCollectionItem& a = list.Items.add();
  a.setName("Talk");
  fill(a, 10);
  a.restore();
  EXPECT_FALSE(a.ready());
  a.play();
  a.setVolume(-100);
  EXPECT_EQ(a.buffer(), 0);

  Mixer mixer(kRate);
  list.setMixer(&mixer);
  EXPECT_TRUE(a.ready());
  EXPECT_EQ(mixer.volume(a.buffer()), -100);
  a.play();
  EXPECT_EQ(mixer.voiceCount(), 2u);
  // Items give their buffers back when they go.
  list.Items.clear();
  EXPECT_EQ(mixer.voiceCount(), 0u);
}

}  // namespace
}  // namespace mv
