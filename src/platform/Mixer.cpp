#include "platform/Mixer.h"

#include <algorithm>
#include <cmath>

namespace mv {

namespace {

constexpr int kFormatPcm = 1;
constexpr int kFormatExtensible = 0xFFFE;

unsigned readU16(const uint8_t* p) {
  return p[0] | (p[1] << 8);
}
uint32_t readU32(const uint8_t* p) {
  return readU16(p) | (static_cast<uint32_t>(readU16(p + 2)) << 16);
}

}  // namespace

bool parseWaveFormat(const uint8_t* bytes, size_t size, WaveFormat& format) {
  // The oldest record (14 bytes) has no bit count; it follows from the block alignment.
  if (size < 14) return false;
  WaveFormat f;
  f.formatTag = static_cast<int>(readU16(bytes));
  f.channels = static_cast<int>(readU16(bytes + 2));
  f.samplesPerSec = static_cast<int>(std::min<uint32_t>(readU32(bytes + 4), 0x7FFFFFFF));
  f.blockAlign = static_cast<int>(readU16(bytes + 12));
  if (size >= 16) {
    f.bitsPerSample = static_cast<int>(readU16(bytes + 14));
  } else {
    f.bitsPerSample = f.channels > 0 ? f.blockAlign * 8 / f.channels : 0;
  }
  // The extensible record names its sample kind by a GUID whose first two bytes are the old tag.
  if (f.formatTag == kFormatExtensible && size >= 26) f.formatTag = static_cast<int>(readU16(bytes + 24));
  format = f;
  return true;
}

class Mixer::Guard {
 public:
  explicit Guard(const Mixer& mixer) : mixer_(mixer) {
    if (mixer_.lock_) mixer_.lock_();
  }
  ~Guard() {
    if (mixer_.unlock_) mixer_.unlock_();
  }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

 private:
  const Mixer& mixer_;
};

Mixer::Mixer(int outputRate) : outputRate_(std::max(outputRate, 1)), limiter_(outputRate_) {}

Mixer::~Mixer() = default;

void Mixer::setDeviceLock(std::function<void()> lock, std::function<void()> unlock) {
  lock_ = std::move(lock);
  unlock_ = std::move(unlock);
}

void Mixer::setMasterVolume(int percent) {
  Guard guard(*this);
  masterVolume_ = std::clamp(percent, 0, 100);
  masterGain_ = static_cast<float>(masterVolume_) / 100.0f;
}

int Mixer::masterVolume() const {
  Guard guard(*this);
  return masterVolume_;
}

float Mixer::gainOf(int attenuation) {
  if (attenuation <= kVolumeMin) return 0.0f;
  if (attenuation >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, attenuation / 2000.0));
}

int Mixer::create(const WaveFormat& format, const uint8_t* data, size_t size) {
  if (format.formatTag != kFormatPcm) return 0;
  if (format.channels != 1 && format.channels != 2) return 0;
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return 0;
  if (format.samplesPerSec < static_cast<int>(kFrequencyMin) ||
      format.samplesPerSec > static_cast<int>(kFrequencyMax))
    return 0;
  int bytesPerSample = format.bitsPerSample / 8;
  if (format.blockAlign != format.channels * bytesPerSample) return 0;
  if (data == nullptr) size = 0;

  auto samples = std::make_shared<Samples>();
  samples->channels = format.channels;
  samples->rate = format.samplesPerSec;
  size_t frames = size / static_cast<size_t>(format.blockAlign);
  size_t count = frames * static_cast<size_t>(format.channels);
  samples->data.resize(count);
  for (size_t i = 0; i < count; ++i) {
    if (bytesPerSample == 1) {
      samples->data[i] = static_cast<int16_t>((static_cast<int>(data[i]) - 128) * 256);
    } else {
      samples->data[i] = static_cast<int16_t>(readU16(data + 2 * i));
    }
  }

  Voice voice;
  voice.samples = std::move(samples);
  Guard guard(*this);
  int handle = nextHandle_++;
  voices_.emplace(handle, std::move(voice));
  return handle;
}

int Mixer::duplicate(int handle) {
  Guard guard(*this);
  const Voice* source = find(handle);
  if (!source) return 0;
  Voice copy;
  copy.samples = source->samples;
  copy.frequency = source->frequency;
  copy.pan = source->pan;
  copy.volume = source->volume;
  updateGains(copy);
  int id = nextHandle_++;
  voices_.emplace(id, std::move(copy));
  return id;
}

void Mixer::release(int handle) {
  Guard guard(*this);
  voices_.erase(handle);
}

bool Mixer::play(int handle, bool looping) {
  Guard guard(*this);
  Voice* voice = find(handle);
  if (!voice) return false;
  voice->looping = looping;
  // An empty buffer has nothing to play and is over at once.
  voice->playing = voice->samples->frames() > 0;
  return true;
}

void Mixer::stop(int handle) {
  Guard guard(*this);
  if (Voice* voice = find(handle)) voice->playing = false;
}

void Mixer::rewind(int handle) {
  Guard guard(*this);
  if (Voice* voice = find(handle)) voice->position = 0;
}

bool Mixer::isPlaying(int handle) const {
  Guard guard(*this);
  const Voice* voice = find(handle);
  return voice && voice->playing;
}

bool Mixer::setFrequency(int handle, uint32_t hz) {
  if (hz != 0 && (hz < kFrequencyMin || hz > kFrequencyMax)) return false;
  Guard guard(*this);
  Voice* voice = find(handle);
  if (!voice) return false;
  voice->frequency = hz;
  return true;
}

bool Mixer::setPan(int handle, int pan) {
  if (pan < kPanLeft || pan > kPanRight) return false;
  Guard guard(*this);
  Voice* voice = find(handle);
  if (!voice) return false;
  voice->pan = pan;
  updateGains(*voice);
  return true;
}

bool Mixer::setVolume(int handle, int volume) {
  if (volume < kVolumeMin || volume > kVolumeMax) return false;
  Guard guard(*this);
  Voice* voice = find(handle);
  if (!voice) return false;
  voice->volume = volume;
  updateGains(*voice);
  return true;
}

uint32_t Mixer::frequency(int handle) const {
  Guard guard(*this);
  const Voice* voice = find(handle);
  return voice ? voice->frequency : 0;
}

int Mixer::pan(int handle) const {
  Guard guard(*this);
  const Voice* voice = find(handle);
  return voice ? voice->pan : 0;
}

int Mixer::volume(int handle) const {
  Guard guard(*this);
  const Voice* voice = find(handle);
  return voice ? voice->volume : 0;
}

double Mixer::position(int handle) const {
  Guard guard(*this);
  const Voice* voice = find(handle);
  return voice ? static_cast<double>(voice->position) / 4294967296.0 : 0.0;
}

size_t Mixer::frameCount(int handle) const {
  Guard guard(*this);
  const Voice* voice = find(handle);
  return voice ? voice->samples->frames() : 0;
}

size_t Mixer::voiceCount() const {
  Guard guard(*this);
  return voices_.size();
}

Mixer::Voice* Mixer::find(int handle) {
  auto it = voices_.find(handle);
  return it == voices_.end() ? nullptr : &it->second;
}

const Mixer::Voice* Mixer::find(int handle) const {
  auto it = voices_.find(handle);
  return it == voices_.end() ? nullptr : &it->second;
}

void Mixer::updateGains(Voice& voice) {
  // Pan attenuates only the far side, by as many hundredths of a decibel as it is off centre.
  float gain = gainOf(voice.volume);
  voice.gainLeft = gain * (voice.pan > 0 ? gainOf(-voice.pan) : 1.0f);
  voice.gainRight = gain * (voice.pan < 0 ? gainOf(voice.pan) : 1.0f);
}

uint64_t Mixer::stepOf(const Voice& voice) const {
  uint64_t rate = voice.frequency != 0 ? voice.frequency : static_cast<uint64_t>(voice.samples->rate);
  return (rate << 32) / static_cast<uint64_t>(outputRate_);
}

void Mixer::render(Voice& voice, int32_t* accumulator, size_t frames) {
  const Samples& s = *voice.samples;
  const size_t count = s.frames();
  if (count == 0) {
    voice.playing = false;
    return;
  }
  const uint64_t end = static_cast<uint64_t>(count) << 32;
  const uint64_t step = stepOf(voice);

  if (!accumulator) {
    // Wide enough for a clock moved on by days at once.
    unsigned __int128 target = voice.position + static_cast<unsigned __int128>(step) * frames;
    if (target < end) {
      voice.position = static_cast<uint64_t>(target);
    } else if (voice.looping) {
      voice.position = static_cast<uint64_t>(target % end);
    } else {
      voice.playing = false;
      voice.position = 0;
    }
    return;
  }

  const int16_t* data = s.data.data();
  const bool stereo = s.channels == 2;
  for (size_t i = 0; i < frames; ++i) {
    if (voice.position >= end) {
      if (!voice.looping) {
        // A finished buffer stops and starts over from the beginning when played again.
        voice.playing = false;
        voice.position = 0;
        return;
      }
      voice.position %= end;
    }
    size_t index = static_cast<size_t>(voice.position >> 32);
    size_t next = index + 1 < count ? index + 1 : (voice.looping ? 0 : index);
    int32_t frac = static_cast<int32_t>((voice.position >> 16) & 0xFFFF);
    // Between the lowest and the highest sample the step times the fraction needs more than 32 bits.
    auto between = [frac](int32_t a, int32_t b) {
      return a + static_cast<int32_t>((static_cast<int64_t>(b - a) * frac) >> 16);
    };
    int32_t left, right;
    if (stereo) {
      left = between(data[2 * index], data[2 * next]);
      right = between(data[2 * index + 1], data[2 * next + 1]);
    } else {
      left = right = between(data[index], data[next]);
    }
    accumulator[2 * i] += static_cast<int32_t>(std::lround(left * voice.gainLeft * masterGain_));
    accumulator[2 * i + 1] += static_cast<int32_t>(std::lround(right * voice.gainRight * masterGain_));
    voice.position += step;
  }
  if (voice.position >= end && !voice.looping) {
    voice.playing = false;
    voice.position = 0;
  }
}

void Mixer::setPaused(bool paused) {
  Guard guard(*this);
  paused_ = paused;
}

void Mixer::stopAll() {
  Guard guard(*this);
  for (auto& [handle, voice] : voices_) voice.playing = false;
}

void Mixer::mix(int16_t* out, size_t frames) {
  accumulator_.assign(frames * 2, 0);
  for (auto& [handle, voice] : voices_)
    if (voice.playing && !paused_) render(voice, accumulator_.data(), frames);
  limiter_.process(accumulator_.data(), out, frames);
}

void Mixer::advance(uint32_t ms) {
  Guard guard(*this);
  uint64_t total = static_cast<uint64_t>(ms) * static_cast<uint64_t>(outputRate_) + advanceRemainder_;
  size_t frames = static_cast<size_t>(total / 1000);
  advanceRemainder_ = total % 1000;
  if (frames == 0 || paused_) return;
  for (auto& [handle, voice] : voices_)
    if (voice.playing) render(voice, nullptr, frames);
}

}  // namespace mv
