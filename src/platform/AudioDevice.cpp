#include "platform/AudioDevice.h"

#include <SDL.h>

namespace mv {

AudioDevice::AudioDevice(Mixer& mixer) : mixer_(mixer) {
  SDL_AudioSpec want{};
  want.freq = mixer.outputRate();
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  // About 12 ms at 44.1 kHz: short enough that a shot is heard with its flash.
  want.samples = 512;
  want.callback = &AudioDevice::callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the hardware wants, so the mixer always writes this.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) return;
  SDL_AudioDeviceID id = device_;
  mixer_.setDeviceLock([id] { SDL_LockAudioDevice(id); }, [id] { SDL_UnlockAudioDevice(id); });
  mixer_.setHasDevice(true);
  SDL_PauseAudioDevice(device_, 0);
}

AudioDevice::~AudioDevice() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  mixer_.setDeviceLock(nullptr, nullptr);
  mixer_.setHasDevice(false);
}

void AudioDevice::callback(void* userdata, uint8_t* stream, int length) {
  auto* self = static_cast<AudioDevice*>(userdata);
  // SDL holds the device lock around the callback, which is the lock the mixer's callers take.
  size_t frames = static_cast<size_t>(length) / (2 * sizeof(int16_t));
  self->mixer_.mix(reinterpret_cast<int16_t*>(stream), frames);
}

}  // namespace mv
