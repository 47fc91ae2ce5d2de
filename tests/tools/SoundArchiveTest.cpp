// The generated sound archive: every sound the game plays is there, in a format the mixer takes, loud
// enough to hear and never clipping, starting and ending without a click, centred on zero, and as loud
// as its place in a fight asks for.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "common/ArchiveModel.h"
#include "engine/archive/Picture.h"
#include "engine/sound/Wave.h"
#include "platform/Error.h"
#include "platform/Limiter.h"

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
    // One sound at full volume passes the mixer's limiter untouched.
    EXPECT_LT(peak, Limiter::kKnee) << "too close to full scale";
    EXPECT_GT(peak, 32767 / 10) << "too quiet";
  }
}

// Figures of one sound as a listener meets them.
struct Measure {
  double firstSample = 0, lastSample = 0;  // fractions of full scale
  double opening = 0;                      // the largest sample of the first half millisecond, of the peak
  double dcOffset = 0;                     // the mean, a fraction of the sound's peak
  double peak = 0;
  double tailDb = 0;         // how far the last 50 ms stay under the peak, dB
  double loudnessDb = -200;  // the loudest 50 ms, low end weighted down as the ear does, dB of full scale
};

Measure measure(const std::vector<int16_t>& pcm) {
  Measure m;
  if (pcm.empty()) return m;
  std::vector<double> x(pcm.size());
  double sum = 0;
  for (size_t i = 0; i < pcm.size(); ++i) {
    x[i] = pcm[i] / 32768.0;
    sum += x[i];
    m.peak = std::max(m.peak, std::abs(x[i]));
  }
  double tail = 0;
  for (size_t i = x.size() - std::min<size_t>(x.size(), 22050 / 20); i < x.size(); ++i)
    tail = std::max(tail, std::abs(x[i]));
  m.tailDb = 20 * std::log10(m.peak / std::max(tail, 1e-9));
  m.firstSample = x.front();
  m.lastSample = x.back();
  for (size_t i = 0; i < std::min<size_t>(x.size(), 11); ++i) m.opening = std::max(m.opening, std::abs(x[i]));
  if (m.peak > 0) m.opening /= m.peak;
  m.dcOffset = m.peak > 0 ? std::abs(sum / x.size()) / m.peak : 0;
  // Two first-order high passes at 150 Hz stand in for the ear's deafness to the lowest notes.
  const double a = 1 / (1 + 2 * 3.14159265358979 * 150 / 22050.0);
  std::vector<double> w(x.size());
  double x1 = 0, y1 = 0, y2 = 0, z1 = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    y1 = a * (y1 + x[i] - x1);
    x1 = x[i];
    y2 = a * (y2 + y1 - z1);
    z1 = y1;
    w[i] = y2;
  }
  const size_t window = 22050 / 20, hop = 22050 / 200;
  double best = 0;
  for (size_t start = 0; start == 0 || start + window <= w.size(); start += hop) {
    const size_t end = std::min(w.size(), start + window);
    double energy = 0;
    for (size_t i = start; i < end; ++i) energy += w[i] * w[i];
    best = std::max(best, energy / window);
    if (end == w.size()) break;
  }
  m.loudnessDb = best > 0 ? 10 * std::log10(best) : -200;
  return m;
}

TEST(SoundArchive, SoundsStartAndEndAtRestAroundZeroAndDieAwayBeforeTheirEnd) {
  const auto sounds = loadSounds();
  for (const auto& [name, entry] : sounds) {
    SCOPED_TRACE(name);
    const Measure m = measure(pcm16Samples(entry.wave));
    std::printf(
        "%-14s first %+.4f last %+.4f opening %.3f dc %5.2f%% peak %.2f tail -%4.1f dB loudness %6.1f dB\n",
        name.c_str(), m.firstSample, m.lastSample, m.opening, 100 * m.dcOffset, m.peak, m.tailDb,
        m.loudnessDb);
    // A sound that starts or stops away from zero clicks, and so does one that is at full strength at once.
    EXPECT_LT(std::abs(m.firstSample), 0.002);
    EXPECT_LT(std::abs(m.lastSample), 0.002);
    EXPECT_LT(m.opening, 0.1);
    // It has died away on its own before its end: cut off while still sounding, it ends in a thud.
    EXPECT_GE(m.tailDb, 40);
    // An offset wastes headroom and thumps when the sound starts and stops.
    EXPECT_LT(m.dcOffset, 0.01);
  }
}

TEST(SoundArchive, LoudnessFollowsHowOftenAndHowFarASoundIsHeard) {
  const auto sounds = loadSounds();
  std::map<std::string, double> db;
  for (const auto& [name, entry] : sounds) db[name] = measure(pcm16Samples(entry.wave)).loudnessDb;
  for (const auto& [name, level] : db) {
    EXPECT_GT(level, -30) << name << " is lost under the fight";
    EXPECT_LT(level, -6) << name << " leaves the mixer no room";
  }
  // The explosion and the heavy guns stand out over what repeats many times a second: the minigun's
  // every round, the energy gun, a rocket's flight, ricochets and hits.
  for (const char* big : {"Explode", "Weapon2", "Weapon3", "Weapon4"})
    for (const char* busy : {"Weapon7", "Weapon0", "RocketFly", "Ricoshet1", "Ricoshet2", "Ricoshet3",
                             "BulletAttack1", "AmmoGet", "Talk"})
      EXPECT_GT(db[big], db[busy] + 3) << big << " against " << busy;
  // The flight hum sits under everything else, and a chat chirp under the pick-ups.
  for (const auto& [name, level] : db) {
    if (name != "RocketFly") {
      EXPECT_GT(level, db["RocketFly"]) << name;
    }
  }
  EXPECT_LT(db["Talk"], db["WeaponGet"]);
  // Sounds of one family are matched, so no ricochet or death cry jumps out of its set.
  for (const auto& family : {std::vector<std::string>{"Ricoshet1", "Ricoshet2", "Ricoshet3"},
                             {"BulletAttack1", "BulletAttack2", "BulletAttack3"},
                             {"Death1", "Death2", "Death3"}})
    for (const std::string& a : family)
      for (const std::string& b : family) EXPECT_NEAR(db[a], db[b], 1.5) << a << " against " << b;
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
