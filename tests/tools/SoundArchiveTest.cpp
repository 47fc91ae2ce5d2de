// The generated sound archive: every sound the game plays is there, in a format the mixer takes, loud
// enough to hear and never clipping.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "common/ArchiveModel.h"
#include "engine/archive/Picture.h"
#include "engine/sound/Wave.h"
#include "platform/Error.h"

namespace mv {
namespace {

using namespace mv::tools;

const char* const kPlayedNames[] = {
    "Weapon0",       "Weapon1",   "Weapon2",   "Weapon3",   "Weapon4",    "Weapon5",       "Weapon6",
    "Weapon7",       "Talk",      "Respawn",   "Health25",  "MegaHealth", "ArmorGet",      "WeaponGet",
    "AmmoGet",       "RocketFly", "Ricoshet1", "Ricoshet2", "Ricoshet3",  "BulletAttack1", "BulletAttack2",
    "BulletAttack3", "DiscRico",  "Explode",   "Death1",    "Death2",     "Death3",        "HeadCut",
    "Headsmack",     "Headshot",  "SmackDown",
};

struct SoundEntry {
  TWave wave;
  int32_t maxPlaying = 0;
  bool looped = false;
};

std::vector<int16_t> pcm16Samples(const TWave& wave) {
  std::vector<int16_t> samples(wave.dataSize() / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(wave.data[2 * i] | (wave.data[2 * i + 1] << 8));
  return samples;
}

std::map<std::string, SoundEntry> loadSounds() {
  const Archive archive = readArchive(readWholeFile("SYSTEM/sounds.dat"));
  EXPECT_EQ(archive.className, "TWaveCollectionComponent");
  std::map<std::string, SoundEntry> sounds;
  for (const ArchiveItem& item : archive.items) {
    const ArchiveValue* name = item.find("Name");
    const ArchiveValue* wave = item.find("Wave.WAVE");
    EXPECT_TRUE(name && wave) << "an item without a name or wave";
    if (!name || !wave) continue;
    EXPECT_EQ(sounds.count(name->text), 0u) << name->text << " twice";
    SoundEntry entry;
    entry.wave.loadFromImage(wave->bytes);
    if (const ArchiveValue* max = item.find("MaxPlayingCount")) entry.maxPlaying = max->number;
    if (const ArchiveValue* looped = item.find("Looped")) entry.looped = looped->tag == ValueTag::True;
    sounds[name->text] = std::move(entry);
  }
  return sounds;
}

TEST(SoundArchive, HoldsEveryPlayedSoundAsAudiblePcmThatNeverClips) {
  const auto sounds = loadSounds();
  EXPECT_EQ(sounds.size(), std::size(kPlayedNames));
  for (const char* name : kPlayedNames) {
    SCOPED_TRACE(name);
    const auto it = sounds.find(name);
    ASSERT_NE(it, sounds.end());
    const TWave& f = it->second.wave;
    EXPECT_EQ(f.formatTag(), 1);
    EXPECT_EQ(f.channels(), 1);
    EXPECT_EQ(f.bitsPerSample(), 16);
    EXPECT_EQ(f.samplesPerSec(), 22050u);
    EXPECT_EQ(f.avgBytesPerSec(), 44100u);
    EXPECT_EQ(f.blockAlign(), 2);
    const uint32_t ms = f.milliseconds();
    EXPECT_GE(ms, 80u);
    EXPECT_LE(ms, 2000u);

    const std::vector<int16_t> samples = pcm16Samples(f);
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_LT(peak, 32767 * 95 / 100) << "too close to full scale";
    EXPECT_GT(peak, 32767 / 3) << "too quiet";
    // A sound that stops abruptly clicks: the last samples fade to silence.
    EXPECT_LT(std::abs(static_cast<int>(samples.back())), 64);
  }
}

TEST(SoundArchive, PlaybackSettingsSuitEachSound) {
  const auto sounds = loadSounds();
  for (const auto& [name, entry] : sounds) {
    EXPECT_FALSE(entry.looped) << name << ": every sound is played once per event";
    EXPECT_GE(entry.maxPlaying, 1) << name;
  }
  EXPECT_EQ(sounds.at("Headshot").maxPlaying, 1);  // one announcer voice at a time
  EXPECT_EQ(sounds.at("Talk").maxPlaying, 1);
  EXPECT_GT(sounds.at("Weapon7").maxPlaying, sounds.at("Weapon1").maxPlaying);  // minigun vs rifle
  EXPECT_GT(sounds.at("Weapon0").maxPlaying, sounds.at("Weapon4").maxPlaying);
  // RocketFly repeats every 300 ms while a rocket flies: each play must reach the next.
  EXPECT_GE(sounds.at("RocketFly").wave.milliseconds(), 300u);
}

TEST(SoundArchive, SoundsAreDistinct) {
  const auto sounds = loadSounds();
  for (auto a = sounds.begin(); a != sounds.end(); ++a)
    for (auto b = std::next(a); b != sounds.end(); ++b)
      EXPECT_NE(a->second.wave.data, b->second.wave.data) << a->first << " and " << b->first;
}

}  // namespace
}  // namespace mv
