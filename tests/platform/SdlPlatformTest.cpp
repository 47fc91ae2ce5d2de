// The SDL back end against a real display when there is one (DISPLAY), else SDL's offscreen driver.
// Events are pushed into SDL's queue as the system would deliver them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "platform/Cp1251.h"
#include "platform/Presentation.h"
#include "platform/SdlPlatform.h"
#include "platform/SharpScale.h"

namespace mv {
namespace {

// Sets an environment variable for the life of the object and puts the old value back after.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_.c_str(), old_->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// The display and audio drivers SDL loads keep allocations for the life of the process and are unloaded
// before the leak check can name them; what they hold is not ours to free.
class DriverAllocationsIgnored {
 public:
#if defined(__SANITIZE_ADDRESS__)
  DriverAllocationsIgnored() { __lsan_disable(); }
  ~DriverAllocationsIgnored() { __lsan_enable(); }
#endif
};

class SdlPlatformTest : public testing::Test {
 protected:
  DriverAllocationsIgnored drivers_;
  // The ALSA library prints pages of complaints on machines without a sound card.
  ScopedEnv audio_{"SDL_AUDIODRIVER",
                   std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "dummy"};
};

// A window on the real display, or on SDL's offscreen driver when there is none. Null when SDL can
// give neither (a build without the offscreen driver): the caller skips.
std::unique_ptr<SdlPlatform> openWindow(std::optional<ScopedEnv>& driver, bool windowed = true,
                                        RendererChoice renderer = RendererChoice::Auto) {
  if (!std::getenv("DISPLAY") && !std::getenv("SDL_VIDEODRIVER"))
    driver.emplace("SDL_VIDEODRIVER", "offscreen");
  PlatformOptions options;
  options.windowed = windowed;
  options.renderer = renderer;
  try {
    auto platform = std::make_unique<SdlPlatform>(options);
    platform->openDisplay(800, 600);
    return platform;
  } catch (const PlatformError&) {
    return nullptr;
  }
}

// The next event that is not the window system's own focus or pointer traffic. SDL ends a round of
// polling once at the marker it leaves in its queue, so an empty answer is asked again before it counts.
std::optional<Event> next(Platform& platform) {
  Event e;
  for (int round = 0; round < 3; ++round)
    while (platform.pollEvent(e))
      if (e.kind != EventKind::FocusGained && e.kind != EventKind::FocusLost &&
          e.kind != EventKind::MouseMove)
        return e;
  return std::nullopt;
}

void pushKey(Uint32 type, SDL_Scancode scancode, Uint16 mod = KMOD_NONE) {
  SDL_Event e{};
  e.type = type;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.scancode = scancode;
  e.key.keysym.mod = mod;
  SDL_PushEvent(&e);
}

TEST_F(SdlPlatformTest, WithoutAnyDisplayOpeningFailsClearly) {
  ScopedEnv display("DISPLAY", nullptr), wayland("WAYLAND_DISPLAY", nullptr),
      driver("SDL_VIDEODRIVER", nullptr);
  auto platform = createSdlPlatform(PlatformOptions{});
  try {
    platform->openDisplay(800, 600);
    FAIL() << "opened a display without one";
  } catch (const PlatformError& e) {
    EXPECT_NE(std::string(e.what()).find("DISPLAY"), std::string::npos) << e.what();
  }
  // Without a window there is no focus, so devices read idle, and messages go to standard error.
  EXPECT_FALSE(platform->hasFocus());
  EXPECT_EQ(platform->pollDevices().mouseX, 0);
  testing::internal::CaptureStderr();
  platform->messageBox("Mashvolt", utf8ToCp1251("Ошибка"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Mashvolt: Ошибка\n");
}

TEST_F(SdlPlatformTest, KeysAndTextBecomeWindowsEvents) {
  std::optional<ScopedEnv> driver;
  auto platform = openWindow(driver);
  if (!platform) GTEST_SKIP() << "no display and no offscreen video driver";
  while (next(*platform)) {
  }

  pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN);
  auto e = next(*platform);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, EventKind::KeyDown);
  EXPECT_EQ(e->key, 13);
  e = next(*platform);  // Enter also arrives as its character
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, EventKind::Char);
  EXPECT_EQ(e->ch, 13);

  pushKey(SDL_KEYDOWN, SDL_SCANCODE_GRAVE, KMOD_LCTRL | KMOD_RSHIFT);
  pushKey(SDL_KEYUP, SDL_SCANCODE_GRAVE);
  e = next(*platform);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, EventKind::KeyDown);
  EXPECT_EQ(e->key, 192);
  EXPECT_EQ(e->shift, ssCtrl | ssShift);
  e = next(*platform);  // no character for a printing key: that comes as text
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, EventKind::KeyUp);
  EXPECT_EQ(e->key, 192);

  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  std::strcpy(text.text.text, "жZ");
  SDL_PushEvent(&text);
  e = next(*platform);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, EventKind::Char);
  EXPECT_EQ(e->ch, 0xE6);
  e = next(*platform);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->ch, 'Z');

  // Alt+Enter belongs to the platform (full screen on and off), not to the game.
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT);  // and back
  EXPECT_FALSE(next(*platform));

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  e = next(*platform);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, EventKind::Quit);
}

TEST_F(SdlPlatformTest, MouseButtonsAndWheel) {
  std::optional<ScopedEnv> driver;
  auto platform = openWindow(driver);
  if (!platform) GTEST_SKIP() << "no display and no offscreen video driver";
  while (next(*platform)) {
  }
  int w = 0, h = 0;
  SDL_GetWindowSize(SDL_GetWindowFromID(1), &w, &h);
  SDL_Event down{};
  down.type = SDL_MOUSEBUTTONDOWN;
  down.button.button = SDL_BUTTON_RIGHT;
  down.button.x = w / 2;
  down.button.y = h / 2;
  SDL_PushEvent(&down);
  auto e = next(*platform);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, EventKind::MouseDown);
  EXPECT_TRUE(e->shift & ssRight);
  EXPECT_NEAR(e->x, 400, 2);
  EXPECT_NEAR(e->y, 300, 2);

  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = -2;
  SDL_PushEvent(&wheel);
  e = next(*platform);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, EventKind::WheelDown);
  e = next(*platform);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, EventKind::WheelDown);
  EXPECT_FALSE(next(*platform));
}

TEST_F(SdlPlatformTest, PresentsFramesOfAnySizeAndPlaysSoundToTheEnd) {
  std::optional<ScopedEnv> driver;
  auto platform = openWindow(driver);
  if (!platform) GTEST_SKIP() << "no display and no offscreen video driver";
  std::vector<uint16_t> frame(400 * 300, 0xF800);
  platform->present(frame.data(), 320, 200, 400);  // a smaller picture inside wider rows
  platform->present(frame.data(), 400, 300, 400);
  platform->present(nullptr, 400, 300, 400);  // ignored

  Mixer& mixer = platform->mixer();
  WaveFormat f;
  f.samplesPerSec = 22050;
  std::vector<uint8_t> samples(22050 / 20 * 2, 0);  // 50 ms of 16-bit silence
  int h = mixer.create(f, samples.data(), samples.size());
  ASSERT_NE(h, 0);
  ASSERT_TRUE(mixer.play(h, false));
  // With a device its callback moves the voice on; without one, present() does by the clock.
  for (int i = 0; i < 200 && mixer.isPlaying(h); ++i) {
    SDL_Delay(10);
    platform->present(frame.data(), 400, 300, 400);
  }
  EXPECT_FALSE(mixer.isPlaying(h));
}

// SDL's software renderer stands in for a graphics card: it is no hardware one, so auto leaves the
// enlarging to the processor, and gpu puts it through the card path all the same. Both fill the same
// picture rectangle; inside the surface's flat patches they agree to the unit, and where two patches
// meet the card's smoothing stays between their colours.
TEST_F(SdlPlatformTest, TheRendererChoiceDecidesWhoEnlargesTheFrame) {
  std::optional<ScopedEnv> driver;
  ScopedEnv software("SDL_RENDER_DRIVER", "software");
  auto platform = openWindow(driver, false);
  if (!platform) GTEST_SKIP() << "no display and no offscreen video driver";
  EXPECT_EQ(platform->rendererChoice(), RendererChoice::Auto);
  EXPECT_EQ(platform->presentationName(), "cpu:software");
  // Patches of 8 x 8 surface pixels in colours that differ in every channel.
  std::vector<uint16_t> frame(800 * 600);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x)
      frame[static_cast<size_t>(y) * 800 + x] = static_cast<uint16_t>(((x / 8) * 2654435761u + (y / 8) * 40503u) >> 7);
  auto shown = [&](RendererChoice choice, int& w, int& h) {
    platform->setRendererChoice(choice);
    platform->present(frame.data(), 800, 600, 800);
    return platform->readScreen(w, h);
  };
  int w = 0, h = 0, gw = 0, gh = 0;
  const std::vector<uint32_t> processor = shown(RendererChoice::Cpu, w, h);
  EXPECT_EQ(platform->presentationName(), "cpu:software");
  const std::vector<uint32_t> card = shown(RendererChoice::Gpu, gw, gh);
  EXPECT_EQ(platform->presentationName(), "gpu:software");
  ASSERT_FALSE(processor.empty());
  ASSERT_EQ(card.size(), processor.size());
  const Viewport v = letterbox(800, 600, w, h);
  if (wholeMultiple(800, 600, v.width, v.height)) GTEST_SKIP() << "a screen of a whole multiple: nothing to blend";
  auto channel = [](uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); };
  int64_t differences = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t a = processor[static_cast<size_t>(y) * w + x], b = card[static_cast<size_t>(y) * w + x];
      const bool inside = x >= v.x && x < v.x + v.width && y >= v.y && y < v.y + v.height;
      if (!inside) {
        for (uint32_t p : {a, b}) ASSERT_EQ(p & 0xFFFFFF, 0u) << "bars are black";
        continue;
      }
      for (int c = 0; c < 3; ++c) {
        // The channel's range over the surface pixels under this screen pixel and its neighbours.
        int low = 255, high = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            int sx = 0, sy = 0;
            outputToSurface(v, 800, 600, x + dx, y + dy, sx, sy);
            const int s = channel(rgb565ToArgb8888(frame[static_cast<size_t>(sy) * 800 + sx]), c * 8);
            low = std::min(low, s);
            high = std::max(high, s);
          }
        ASSERT_GE(channel(b, c * 8), low - 1) << x << "," << y;
        ASSERT_LE(channel(b, c * 8), high + 1) << x << "," << y;
        if (low == high) {
          ASSERT_NEAR(channel(b, c * 8), channel(a, c * 8), 1) << x << "," << y;
        }
        differences += std::abs(channel(a, c * 8) - channel(b, c * 8));
      }
    }
  const double meanDifference = static_cast<double>(differences) / (3.0 * v.width * v.height);
  EXPECT_LT(meanDifference, 2.5) << "the same picture on the whole, at " << w << "x" << h;
  // The option gives the card from the first frame.
  platform.reset();
  platform = openWindow(driver, false, RendererChoice::Gpu);
  ASSERT_TRUE(platform);
  EXPECT_EQ(platform->presentationName(), "gpu:software");
}

}  // namespace
}  // namespace mv
