#pragma once
// The sound device's voices and their mixing. Both back ends own one Mixer; with an output device the
// device's callback pulls mixed frames through mix(), without one the back end moves the mixer's clock
// with advance() so sounds still start, end and loop on time, only silently.
//
// A buffer is made once from PCM bytes of any common wave format and converted to 16-bit samples at
// its own rate; duplicates share those samples and differ only in position and settings. Handles are
// plain ints (0 is never a valid handle); a released or unknown handle is refused by every call.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/Limiter.h"

namespace mv {

// The leading fields of a wave format record ("fmt " chunk).
struct WaveFormat {
  int formatTag = 1;  // 1 = PCM, the only kind the mixer plays
  int channels = 1;   // 1 or 2
  int samplesPerSec = 22050;
  int blockAlign = 2;      // bytes per frame
  int bitsPerSample = 16;  // 8 (unsigned) or 16 (signed)
};

// Reads the fields above from the raw bytes of a "fmt " chunk. False when it is too short for them.
bool parseWaveFormat(const uint8_t* bytes, size_t size, WaveFormat& format);

class Mixer {
 public:
  // The ranges the device accepts; anything outside is refused and the old value kept.
  static constexpr int kVolumeMin = -10000;  // hundredths of a decibel of attenuation; the minimum is silence
  static constexpr int kVolumeMax = 0;
  static constexpr int kPanLeft = -10000;
  static constexpr int kPanRight = 10000;
  static constexpr uint32_t kFrequencyMin = 100;  // Hz; 0 also accepted, meaning the wave's own rate
  static constexpr uint32_t kFrequencyMax = 200000;

  // outputRate: frames per second of the stereo 16-bit output.
  explicit Mixer(int outputRate = 44100);
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  int outputRate() const { return outputRate_; }

  // The SDL back end wraps every call made from the game's thread in the audio device's lock, so the
  // callback never sees a voice half changed. mix() itself takes no lock: its caller holds it.
  void setDeviceLock(std::function<void()> lock, std::function<void()> unlock);
  // Whether a real output device plays the mix (false headless or when the device could not be had).
  bool hasDevice() const { return hasDevice_; }
  void setHasDevice(bool value) { hasDevice_ = value; }

  // A stopped buffer at position 0, volume 0, pan 0, frequency 0 holding the converted samples of
  // `size` bytes of `format` (a trailing partial frame is dropped). 0 when the format cannot be played
  // (not PCM, not 8 or 16 bits, not 1 or 2 channels, no rate, block alignment not matching).
  int create(const WaveFormat& format, const uint8_t* data, size_t size);
  // A new buffer sharing the samples of `handle`, with its volume, pan and frequency, stopped at 0.
  // 0 for an unknown handle.
  int duplicate(int handle);
  void release(int handle);

  // Starts from the current position; a buffer already playing only changes its looping.
  bool play(int handle, bool looping);
  void stop(int handle);  // keeps the position, as a paused buffer would
  void rewind(int handle);
  bool isPlaying(int handle) const;

  bool setFrequency(int handle, uint32_t hz);
  bool setPan(int handle, int pan);
  bool setVolume(int handle, int volume);
  uint32_t frequency(int handle) const;
  int pan(int handle) const;
  int volume(int handle) const;
  // The play position in source frames (for tests and diagnostics).
  double position(int handle) const;
  size_t frameCount(int handle) const;
  size_t voiceCount() const;

  // While paused every voice keeps its place and the mix is silence; afterwards they go on from there.
  void setPaused(bool paused);
  bool paused() const { return paused_; }
  // Every voice stops where it is.
  void stopAll();

  // Writes `frames` interleaved stereo frames (left, right) of every playing voice summed and brought
  // into int16 by the limiter; advances the voices. Called by the device callback under the device lock.
  void mix(int16_t* out, size_t frames);
  // Moves every playing voice on by `ms` of output time without producing sound (no device).
  void advance(uint32_t ms);

  // The master volume, 0 (silent) .. 100 (as mixed), a plain gain on every voice; outside is taken to
  // the nearest end.
  void setMasterVolume(int percent);
  int masterVolume() const;

  // Linear gain of an attenuation in hundredths of a decibel: 10^(volume / 2000); exactly 0 at the
  // minimum.
  static float gainOf(int attenuation);

 private:
  struct Samples {
    std::vector<int16_t> data;  // interleaved when stereo
    int channels = 1;
    int rate = 22050;
    size_t frames() const { return data.size() / static_cast<size_t>(channels); }
  };
  struct Voice {
    std::shared_ptr<const Samples> samples;
    uint64_t position = 0;  // source frames in 32.32 fixed point
    bool playing = false;
    bool looping = false;
    uint32_t frequency = 0;
    int pan = 0;
    int volume = 0;
    float gainLeft = 1.0f, gainRight = 1.0f;
  };
  class Guard;

  Voice* find(int handle);
  const Voice* find(int handle) const;
  static void updateGains(Voice& voice);
  uint64_t stepOf(const Voice& voice) const;
  // Moves the voice on by `frames` output frames, adding into `accumulator` when given.
  void render(Voice& voice, int32_t* accumulator, size_t frames);

  int outputRate_;
  bool hasDevice_ = false;
  bool paused_ = false;
  std::function<void()> lock_, unlock_;
  std::unordered_map<int, Voice> voices_;
  int nextHandle_ = 1;
  std::vector<int32_t> accumulator_;
  Limiter limiter_;
  uint64_t advanceRemainder_ = 0;  // output frames times 1000 not yet moved by advance()
  int masterVolume_ = 100;
  float masterGain_ = 1.0f;
};

}  // namespace mv
