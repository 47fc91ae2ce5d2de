// The generated sound archive: every sound the game plays is there, in a format the mixer takes, loud
// enough to hear and never clipping; and the wave reader walks chunks exactly and refuses bad ones.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "common/ArchiveModel.h"
#include "common/WaveImage.h"
#include "engine/archive/Picture.h"
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
  WaveImage wave;
  int32_t maxPlaying = 0;
  bool looped = false;
};

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
    entry.wave = parseWave(std::string(wave->bytes.begin(), wave->bytes.end()));
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
    const WaveFormatInfo f = formatInfo(it->second.wave.format);
    EXPECT_EQ(f.formatTag, 1);
    EXPECT_EQ(f.channels, 1);
    EXPECT_EQ(f.bitsPerSample, 16);
    EXPECT_EQ(f.sampleRate, 22050u);
    EXPECT_EQ(f.bytesPerSecond, 44100u);
    EXPECT_EQ(f.blockAlign, 2);
    const uint32_t ms = waveMilliseconds(it->second.wave);
    EXPECT_GE(ms, 80u);
    EXPECT_LE(ms, 2000u);

    const std::vector<int16_t> samples = pcm16Samples(it->second.wave);
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
  EXPECT_GE(waveMilliseconds(sounds.at("RocketFly").wave), 300u);
}

TEST(SoundArchive, SoundsAreDistinct) {
  const auto sounds = loadSounds();
  for (auto a = sounds.begin(); a != sounds.end(); ++a)
    for (auto b = std::next(a); b != sounds.end(); ++b)
      EXPECT_NE(a->second.wave.data, b->second.wave.data) << a->first << " and " << b->first;
}

std::string chunk(const std::string& id, const std::string& body) {
  std::string out = id;
  const auto n = static_cast<uint32_t>(body.size());
  for (int i = 0; i < 4; ++i) out += static_cast<char>((n >> (8 * i)) & 0xFF);
  return out + body;
}

TEST(WaveImage, ChunkWalkFollowsLengthsExactlyAndRefusesBadImages) {
  const std::string fmt = parseWave(makePcm16Wave({1, 2}, 22050)).format;
  // An odd-length chunk is followed directly by the next header, without a pad byte.
  const std::string odd = "RIFF" + std::string(4, '\0') + "WAVE" + chunk("LIST", "abc") + chunk("fmt ", fmt) +
                          chunk("data", std::string("\x10\x00\x20\x00", 4));
  const WaveImage wave = parseWave(odd);
  EXPECT_EQ(wave.format, fmt);
  EXPECT_EQ(wave.data, std::string("\x10\x00\x20\x00", 4));
  EXPECT_EQ(pcm16Samples(wave), (std::vector<int16_t>{16, 32}));

  // A round trip through the writer keeps every sample, negative ones included.
  const std::vector<int16_t> samples{0, -1, 32767, -32768, 1234};
  EXPECT_EQ(pcm16Samples(parseWave(makePcm16Wave(samples, 22050))), samples);

  const std::string good = makePcm16Wave(samples, 22050);
  for (const std::string& bad :
       {std::string("RIFX") + good.substr(4), good.substr(0, 11),
        good.substr(0, good.size() - 1),                                  // data chunk runs past the end
        "RIFF" + std::string(4, '\0') + "WAVE" + chunk("fmt ", fmt),      // no data
        "RIFF" + std::string(4, '\0') + "WAVE" + chunk("data", "ab")}) {  // no format
    try {
      parseWave(bad);
      ADD_FAILURE() << "accepted a bad wave of " << bad.size() << " bytes";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Wave is invalid");
    }
  }
  // A huge declared chunk length is checked against what is left, not trusted.
  std::string huge = "RIFF" + std::string(4, '\0') + "WAVE" + "data" + std::string("\xFF\xFF\xFF\x7F", 4);
  EXPECT_THROW(parseWave(huge), Error);
}

}  // namespace
}  // namespace mv
