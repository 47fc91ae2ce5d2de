// Positioned playback: volume and pan at known distances, who the listener is, the "sound" setting,
// missing names, the shipped archive, and a headless recording that holds each sound at the frame,
// volume and side it was played with.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <vector>

#include "engine/archive/Picture.h"
#include "engine/sound/DXWaveList.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/SoundPlay.h"
#include "game/combatants/Player.h"
#include "game/console/Additions.h"
#include "platform/HeadlessPlatform.h"
#include "platform/Mixer.h"
#include "platform/WaveFileWriter.h"

namespace mv {
namespace {

TEST(PlaceSound, QuieterByTwoHundredthsOfADecibelPerPixelAndPannedTowardTheSource) {
  EXPECT_EQ(placeSound(100, 50, 100, 50).volume, 0);
  EXPECT_EQ(placeSound(100, 50, 100, 50).pan, 0);
  // 100 pixels: 2 dB quieter; to the right it leans right, to the left it leans left.
  EXPECT_EQ(placeSound(100, 50, 200, 50).volume, -200);
  EXPECT_EQ(placeSound(100, 50, 200, 50).pan, 300);
  EXPECT_EQ(placeSound(100, 50, 0, 50).pan, -300);
  // Straight above: quieter, centred. A 3-4-5 triangle: 50 pixels away.
  EXPECT_EQ(placeSound(100, 50, 100, -450).volume, -1000);
  EXPECT_EQ(placeSound(100, 50, 100, -450).pan, 0);
  EXPECT_EQ(placeSound(0, 0, 30, 40).volume, -100);
  // Whole pixels count: 99.9 pixels is 99.
  EXPECT_EQ(placeSound(0, 0, 99.9, 0).volume, -198);
  EXPECT_EQ(placeSound(0, 0, 99.9, 0).pan, 297);
  // At the edge of the screen the far ear still hears it.
  EXPECT_EQ(placeSound(400, 300, 800, 300).pan, 1200);
  EXPECT_GT(Mixer::gainOf(-placeSound(400, 300, 800, 300).pan), 0.25f - 1e-3f);
  // Far away: the quietest volume and the fullest pan, never beyond the mixer's ranges.
  EXPECT_EQ(placeSound(0, 0, 5000, 0).volume, Mixer::kVolumeMin);
  EXPECT_EQ(placeSound(0, 0, 5000, 0).pan, Mixer::kPanRight);
  EXPECT_EQ(placeSound(0, 0, -1e12, 0).pan, Mixer::kPanLeft);
  EXPECT_EQ(placeSound(0, 0, -1e12, 0).volume, Mixer::kVolumeMin);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(placeSound(0, 0, nan, 0).volume, Mixer::kVolumeMin);
  EXPECT_EQ(placeSound(0, 0, nan, 0).pan, 0);
}

constexpr int kRate = 22050;

// Keeps what the game would show the player.
struct ReportingShell : ShellServices {
  std::vector<std::string>* reports = nullptr;
  void saveScreenshot() override {}
  void reportError(const std::string& message) override { reports->push_back(message); }
};

class SoundPlay : public testing::Test {
 protected:
  SoundPlay() {
    g().soundList = &list;
    g().settings.soundOn = 1;
    shell.reports = &reports;
    g().shell = &shell;
    beep = &list.Items.add();
    beep->setName("Beep");
    beep->Wave.setPcm16(std::vector<int16_t>(kRate / 20, 10000), kRate);  // 50 ms of a steady level
    beep->restore();
  }
  Globals& g() { return scope.get(); }
  // A human whose ears (its body's middle) are at (earX, earY).
  TPlayer* human(double earX, double earY) {
    auto* p = new TPlayer(&root);
    p->x = earX - 24;
    p->y = earY - 16;
    return p;
  }
  int lastVoice() const { return beep->voices().back(); }

  GlobalsScope scope;
  TSpriteEngine root;
  HeadlessPlatform platform{16};
  TDXWaveList list{&platform.mixer()};
  TWaveCollectionItem* beep = nullptr;
  std::vector<std::string> reports;
  ReportingShell shell;
};

TEST_F(SoundPlay, FirstPlayerIsTheListener) {
  g().player1 = human(500, 300);
  playSoundAt("beep", 400, 300);
  ASSERT_EQ(beep->voices().size(), 1u);
  EXPECT_EQ(platform.mixer().volume(lastVoice()), -200);
  EXPECT_EQ(platform.mixer().pan(lastVoice()), -300);
  EXPECT_TRUE(platform.mixer().isPlaying(lastVoice()));

  // A sound far away is as quiet as the mixer goes, not left at the last (louder) setting.
  playSoundAt("Beep", 500, 300 + 9000);
  EXPECT_EQ(platform.mixer().volume(lastVoice()), Mixer::kVolumeMin);
  EXPECT_EQ(platform.mixer().pan(lastVoice()), 0);

  // playSound keeps whatever the item last received.
  beep->setVolume(-700);
  beep->setPan(-50);
  playSound("BEEP");
  EXPECT_EQ(platform.mixer().volume(lastVoice()), -700);
  EXPECT_EQ(platform.mixer().pan(lastVoice()), -50);
  EXPECT_TRUE(reports.empty());
}

TEST_F(SoundPlay, HotseatTakesTheNearerHumanAndCentresThePan) {
  g().settings.hotseatSound = 1;
  g().player1 = human(0, 0);
  g().player2 = human(1000, 0);
  playSoundAt("Beep", 900, 0);
  EXPECT_EQ(platform.mixer().volume(lastVoice()), -200);
  EXPECT_EQ(platform.mixer().pan(lastVoice()), 0);
  playSoundAt("Beep", 50, 0);
  EXPECT_EQ(platform.mixer().volume(lastVoice()), -100);
  EXPECT_EQ(platform.mixer().pan(lastVoice()), 0);

  // Classic Hotseat plays each sound as it was last placed.
  setClassic(g().settings, true);
  beep->setVolume(-700);
  beep->setPan(-50);
  playSoundAt("Beep", 900, 0);
  EXPECT_EQ(platform.mixer().volume(lastVoice()), -700);
  EXPECT_EQ(platform.mixer().pan(lastVoice()), -50);
}

TEST_F(SoundPlay, WithoutAPlayerSoundsAreFullAndCentred) {
  beep->setVolume(Mixer::kVolumeMin);
  beep->setPan(Mixer::kPanRight);
  playSoundAt("Beep", 12345, -678);
  EXPECT_EQ(platform.mixer().volume(lastVoice()), 0);
  EXPECT_EQ(platform.mixer().pan(lastVoice()), 0);
}

TEST_F(SoundPlay, SoundOffLooksNothingUpAndPlaysNothing) {
  g().settings.soundOn = 0;
  g().player1 = human(0, 0);
  playSoundAt("Beep", 10, 0);
  playSoundAt("NoSuchSound", 10, 0);
  playSound("Beep");
  playSound("NoSuchSound");
  EXPECT_TRUE(beep->voices().empty());
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(beep->volume(), 0);  // not even positioned

  g().settings.soundOn = 1;
  g().soundList = nullptr;  // before the main window has one
  playSoundAt("Beep", 10, 0);
  EXPECT_TRUE(beep->voices().empty());
}

TEST_F(SoundPlay, AMissingNameIsReportedOnceAndTheCallerGoesOn) {
  for (int i = 0; i < 3; ++i) {
    EXPECT_NO_THROW(playSoundAt("Respawn", 1, 2));
    EXPECT_NO_THROW(playSound("Headshot"));
  }
  EXPECT_EQ(reports, (std::vector<std::string>{"Wave 'Respawn' not found", "Wave 'Headshot' not found"}));
  g().shell = nullptr;
  EXPECT_NO_THROW(playSoundAt("Respawn", 1, 2));
}

TEST(ShippedSounds, EveryNameTheGamePlaysLoadsAndMakesABuffer) {
  Mixer mixer;
  TDXWaveList list(&mixer);
  list.Items.loadFromFile("SYSTEM/sounds.dat");
  const char* const played[] = {
      "Respawn",       "Weapon0",       "Weapon1",      "Weapon2",  "Weapon3",    "Weapon4",   "Weapon5",
      "Weapon6",       "Weapon7",       "RocketFly",    "Explode",  "Ricoshet1",  "Ricoshet2", "Ricoshet3",
      "DiscRico",      "Death1",        "Death2",       "Death3",   "HeadCut",    "Headsmack", "Headshot",
      "SmackDown",     "WeaponGet",     "AmmoGet",      "Health25", "MegaHealth", "ArmorGet",  "Talk",
      "BulletAttack1", "BulletAttack2", "BulletAttack3"};
  for (const char* name : played) {
    SCOPED_TRACE(name);
    TWaveCollectionItem* item = list.Items.findOrNull(name);
    ASSERT_NE(item, nullptr);
    EXPECT_GT(mixer.frameCount(item->buffer()), 0u);
  }
}

// Reads back the recording through the game's own wave reader.
std::vector<int16_t> readRecording(const std::string& path, TWave& wave) {
  wave.loadFromImage(readWholeFile(path));
  std::vector<int16_t> samples(wave.dataSize() / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(wave.data[2 * i] | (wave.data[2 * i + 1] << 8));
  return samples;
}

// The first stereo frame at or after `from` where either side is not silent.
size_t onset(const std::vector<int16_t>& s, size_t from) {
  for (size_t f = from; 2 * f + 1 < s.size(); ++f)
    if (s[2 * f] != 0 || s[2 * f + 1] != 0) return f;
  return SIZE_MAX;
}

TEST_F(SoundPlay, RecordingHoldsEachSoundAtItsFrameVolumeAndSide) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("mv-audio-" + std::to_string(::getpid()) + ".wav")).string();
  {
    WaveFileWriter writer(path, platform.mixer().outputRate(), 2);
    platform.setAudioSink([&](const int16_t* frames, size_t count) { writer.write(frames, count); });
    g().player1 = human(100, 200);
    // A frame: the game plays during the move pass, then the finished frame is presented.
    for (int frame = 1; frame <= 40; ++frame) {
      if (frame == 10) playSoundAt("Beep", 400, 200);  // 300 px to the right
      if (frame == 25) playSoundAt("Beep", 100, 200);  // at the listener
      platform.present(nullptr, 0, 0, 0);
    }
    platform.setAudioSink(nullptr);
    ASSERT_TRUE(writer.close());
  }
  TWave wave;
  const std::vector<int16_t> s = readRecording(path, wave);
  std::filesystem::remove(path);
  EXPECT_EQ(wave.channels(), 2);
  EXPECT_EQ(wave.samplesPerSec(), 44100u);
  ASSERT_EQ(s.size(), 2u * 40 * 16 * 44100 / 1000);

  // Frame k runs while the clock reads (k - 1) x 16 ms.
  const size_t first = onset(s, 0);
  EXPECT_EQ(first, 9u * 16 * 44100 / 1000);
  // 300 px: 6 dB down; panned 900 to the right, so the left ear loses 9 dB more.
  const float gain = Mixer::gainOf(-600);
  EXPECT_NEAR(s[2 * first + 1], 10000 * gain, 1);
  EXPECT_NEAR(s[2 * first], 10000 * gain * Mixer::gainOf(-900), 1);
  EXPECT_NEAR(s[2 * (first + 1000) + 1], 10000 * gain, 1);  // steady through the sound
  // 50 ms of sound, then silence until the next one.
  const size_t second = onset(s, first + 44100 / 20 + 1);
  EXPECT_EQ(second, 24u * 16 * 44100 / 1000);
  EXPECT_EQ(s[2 * second], 10000);
  EXPECT_EQ(s[2 * second + 1], 10000);
}

}  // namespace
}  // namespace mv
