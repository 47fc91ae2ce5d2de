// Game pads through SDL's game-controller interface: the pads SDL knows by its own mappings, or by a
// gamecontrollerdb.txt beside the program or in ~/.config/mashvolt, plugged in and out while the game runs.

#include <sys/stat.h>

#include <cstdio>

#include "platform/Paths.h"
#include "platform/SdlPlatform.h"

namespace mv {

void SdlPlatform::loadPadMappings() {
  // Beside the program, or, where the program's folder is the system's, in the player's own folder.
  const std::string userConfig = userFolders().config;
  for (const std::string& folder :
       {executableFolder(), userConfig.empty() ? userConfig : userConfig + "mashvolt/"}) {
    if (folder.empty()) continue;
    const std::string file = folder + "gamecontrollerdb.txt";
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) continue;
    if (SDL_GameControllerAddMappingsFromFile(file.c_str()) < 0)
      std::fprintf(stderr, "%s: %s\n", file.c_str(), SDL_GetError());
  }
}

void SdlPlatform::openPad(int deviceIndex) {
  if (!padsReady_ || !SDL_IsGameController(deviceIndex)) return;
  // SDL announces the pads present at start-up once more; a pad has one slot.
  const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  for (SDL_GameController* pad : pads_)
    if (pad && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == instance) return;
  for (SDL_GameController*& slot : pads_) {
    if (slot) continue;
    slot = SDL_GameControllerOpen(deviceIndex);
    return;
  }
}

void SdlPlatform::closePad(SDL_JoystickID instance) {
  for (SDL_GameController*& slot : pads_) {
    if (!slot || SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(slot)) != instance) continue;
    SDL_GameControllerClose(slot);
    slot = nullptr;
  }
  // A pad waiting for a slot takes the one that came free.
  for (int i = 0; i < SDL_NumJoysticks(); ++i) openPad(i);
}

void SdlPlatform::readPads(DeviceState& state) const {
  for (size_t i = 0; i < pads_.size(); ++i) {
    SDL_GameController* pad = pads_[i];
    if (!pad) continue;
    PadState& out = state.pads[i];
    out.present = true;
    for (int axis = 0; axis < PadAxisCount; ++axis)
      out.axes[static_cast<size_t>(axis)] =
          SDL_GameControllerGetAxis(pad, static_cast<SDL_GameControllerAxis>(axis));
    for (int button = 0; button < PadButtonCount; ++button)
      if (SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(button)))
        out.buttons |= 1u << button;
  }
}

}  // namespace mv
