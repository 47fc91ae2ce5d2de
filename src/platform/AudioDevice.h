#pragma once
// The sound output: the default device, 16-bit stereo, fed by a Mixer from the device's own thread.
// When no device can be had the object stays closed and the game plays silently.

#include <cstdint>

#include "platform/Mixer.h"

namespace mv {

class AudioDevice {
 public:
  // Opens the default output at the mixer's rate and starts it. Needs SDL's audio subsystem.
  explicit AudioDevice(Mixer& mixer);
  ~AudioDevice();
  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;

  bool isOpen() const { return device_ != 0; }

 private:
  static void callback(void* userdata, uint8_t* stream, int length);

  Mixer& mixer_;
  uint32_t device_ = 0;
};

}  // namespace mv
