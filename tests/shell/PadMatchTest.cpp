// A match driven by a pad through SDL's game-controller interface: a virtual pad plugged in while the
// game runs (SDL's offscreen display, no sound device), then walking, aiming, firing and pausing.
#include <SDL.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "game/combatants/Player.h"
#include "shell/MainForm.h"
#include "shell/record/PlatformRelay.h"

namespace mv {
namespace {

// The offscreen display gives no window the focus, and without it the input component reads the
// devices as idle and SDL ignores the pads: here the window counts as focused.
class FocusedPlatform : public PlatformRelay {
 public:
  using PlatformRelay::PlatformRelay;
  bool hasFocus() const override { return true; }
};

// SDL's offscreen display and no sound device, whatever the machine has (hints, which the programs
// other tests start do not inherit).
std::unique_ptr<Platform> offscreenSdl() {
#if defined(__SANITIZE_ADDRESS__)
  __lsan_disable();  // what SDL's drivers keep for the life of the process is not ours to free
#endif
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
  SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  return createSdlPlatform(PlatformOptions{.windowed = true});
}

struct PadMatch : ::testing::Test {
#if defined(__SANITIZE_ADDRESS__)
  ~PadMatch() override {
    __lsan_enable();
  }
#endif
  std::unique_ptr<Platform> sdl = offscreenSdl();
  FocusedPlatform platform{*sdl};
  std::optional<TMainForm> form;
  SDL_Joystick* pad = nullptr;
  int padIndex = -1;

  void SetUp() override {
    form.emplace(platform);
    form->state().dataFolder = std::string(MASHVOLT_GAME_DIR) + "/";
    form->fixedSeed = 1;
    form->FormCreate();
    form->show();
    padIndex = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                         SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(padIndex, 0) << SDL_GetError();
    pad = SDL_JoystickOpen(padIndex);
    ASSERT_NE(pad, nullptr);
  }
  void TearDown() override {
    form.reset();
    SDL_JoystickClose(pad);
    if (padIndex >= 0) SDL_JoystickDetachVirtual(padIndex);
  }
  // One turn of the loop: the window's events (the pad's coming and going among them), then a frame.
  void frames(int n = 1) {
    for (int i = 0; i < n; ++i) {
      for (Event e; platform.pollEvent(e);) continue;
      form->DXTimerTimer(16);
    }
  }
  // An axis pulled for n frames, then let go.
  void pull(SDL_GameControllerAxis a, int value, int n) {
    SDL_JoystickSetVirtualAxis(pad, a, static_cast<Sint16>(value));
    frames(n);
    SDL_JoystickSetVirtualAxis(pad, a, 0);
  }
  void press(SDL_GameControllerButton b) {
    SDL_JoystickSetVirtualButton(pad, b, 1);
    frames(2);
    SDL_JoystickSetVirtualButton(pad, b, 0);
    frames(2);
  }
};

TEST_F(PadMatch, APadWalksAimsFiresAndPauses) {
  form->startMatch({.level = "steelcage", .bots = 0, .skill = 0, .hotseat = false});
  Globals& g = form->state();
  frames(120);  // in, and standing
  TPlayer& p = *g.player1;
  ASSERT_TRUE(p.alive());
  ASSERT_TRUE(form->Input.Pads[0].present);

  const double x = p.x;
  pull(SDL_CONTROLLER_AXIS_LEFTX, 32767, 20);
  EXPECT_GT(p.x, x + 20);
  const int32_t aim = p.aimAngle;
  pull(SDL_CONTROLLER_AXIS_RIGHTY, -32768, 10);
  EXPECT_LT(p.aimAngle, aim - 10);  // up on the screen
  const int sprites = form->SpriteEngine.engine.count();
  pull(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767, 1);
  EXPECT_GT(form->SpriteEngine.engine.count(), sprites);  // the shot
  press(SDL_CONTROLLER_BUTTON_START);
  ASSERT_EQ(g.screenState, PauseMenu);
  press(SDL_CONTROLLER_BUTTON_B);
  EXPECT_EQ(g.screenState, Match);

  // Pulled out, the pad is gone from the poll.
  SDL_JoystickDetachVirtual(padIndex);
  padIndex = -1;
  frames(2);
  EXPECT_FALSE(form->Input.Pads[0].present);
}

}  // namespace
}  // namespace mv
