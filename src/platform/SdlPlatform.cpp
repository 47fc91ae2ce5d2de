#include "platform/SdlPlatform.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Cp1251.h"

namespace mv {

namespace {

bool envSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// A driver asked for by the environment or by a hint.
bool videoDriverChosen() {
  const char* hint = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return hint && *hint;
}

}  // namespace

std::unique_ptr<Platform> createSdlPlatform(const PlatformOptions& options) {
  return std::make_unique<SdlPlatform>(options);
}

SdlPlatform::SdlPlatform(const PlatformOptions& options) : options_(options), choice_(options.renderer) {
  // Aim speed must not depend on the window's size: relative motion stays in device units.
  SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_SCALING, "0");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  // Losing the focus in full screen should not minimise the game behind the player's back.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (SDL_Init(0) != 0) throw PlatformError(format("SDL cannot be initialized: %s", SDL_GetError()));
  // Sound and joystick are optional: without them the game is silent or keyboard-only.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    audio_ = std::make_unique<AudioDevice>(mixer_);
    if (!audio_->isOpen()) std::fprintf(stderr, "No sound device: %s\n", SDL_GetError());
  }
  joystickReady_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
  if (joystickReady_ && SDL_NumJoysticks() > 0) openJoystick(0);
  padsReady_ = joystickReady_ && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (padsReady_) {
    loadPadMappings();
    for (int i = 0; i < SDL_NumJoysticks(); ++i) openPad(i);
  }
  mixerClock_ = SDL_GetTicks();
}

SdlPlatform::~SdlPlatform() {
  for (SDL_GameController* pad : pads_)
    if (pad) SDL_GameControllerClose(pad);
  closeJoystick();
  audio_.reset();
  enlarged_.reset();
  texture_.reset();
  renderer_.reset();
  window_.reset();
  SDL_Quit();
}

void SdlPlatform::openDisplay(int width, int height) {
  if (width <= 0 || height <= 0)
    throw PlatformError(format("Display mode cannot be changed (%dx%d 16bit)", width, height));
  // SDL would otherwise try a console framebuffer or fail with a message that names no cause.
  if (!videoDriverChosen() && !envSet("DISPLAY") && !envSet("WAYLAND_DISPLAY"))
    throw PlatformError(
        "No display: neither DISPLAY nor WAYLAND_DISPLAY is set (start the game in a desktop session, "
        "or run it headless)");
  if (!videoReady_) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
      throw PlatformError(format("The display cannot be opened: %s", SDL_GetError()));
    videoReady_ = true;
  }
  enlarged_.reset();
  texture_.reset();
  renderer_.reset();
  window_.reset();

  fullscreen_ = !options_.windowed;
  Uint32 flags = SDL_WINDOW_RESIZABLE | (fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  // Made at the desktop's size from the start: without a window manager to honour the full-screen
  // request the window would otherwise keep the surface's size.
  int windowWidth = width, windowHeight = height;
  SDL_DisplayMode desktop{};
  if (fullscreen_ && SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
    windowWidth = desktop.w;
    windowHeight = desktop.h;
  }
  window_.reset(SDL_CreateWindow(options_.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                 windowWidth, windowHeight, flags));
  if (!window_) throw PlatformError(format("The window cannot be made: %s", SDL_GetError()));

  // A scaled frame costs tens of milliseconds in software at full HD, so take the GPU when there is one.
  renderer_.reset(
      SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
  if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED));
  if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
  if (!renderer_) throw PlatformError(format("The display cannot be drawn on: %s", SDL_GetError()));
  SDL_RendererInfo info{};
  maxTextureWidth_ = maxTextureHeight_ = 0;
  if (SDL_GetRendererInfo(renderer_.get(), &info) == 0) {
    maxTextureWidth_ = info.max_texture_width;
    maxTextureHeight_ = info.max_texture_height;
  }
  surfaceWidth_ = width;
  surfaceHeight_ = height;
  createTexture(width, height);
  hardware_ = rendererIsHardware();
  choosePresentation();

  SDL_DisplayMode mode{};
  int display = SDL_GetWindowDisplayIndex(window_.get());
  if (SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0 && mode.refresh_rate > 0)
    refreshRate_ = mode.refresh_rate;

  SDL_ShowCursor(SDL_DISABLE);
  setMouseCaptured(mouseCaptured_);
  SDL_StartTextInput();
  SDL_RaiseWindow(window_.get());

  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
  SDL_RenderClear(renderer_.get());
  SDL_RenderPresent(renderer_.get());
  lastPresentEnd_ = SDL_GetPerformanceCounter();
}

void SdlPlatform::createTexture(int width, int height) {
  // 5-6-5 is not a texture format every renderer has, so frames are converted on the way in, in vectors
  // (about two to three frame copies' time; the table lookup it replaced took seven or more).
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                   width, height));
  if (!texture_) throw PlatformError(format("The display surface cannot be made: %s", SDL_GetError()));
  // Every pixel is opaque: copying without blending spares a software renderer the work.
  SDL_SetTextureBlendMode(texture_.get(), SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(texture_.get(), SDL_ScaleModeNearest);
  textureWidth_ = width;
  textureHeight_ = height;
}

void SdlPlatform::present(const uint16_t* pixels, int width, int height, int pitch) {
  if (!mixer_.hasDevice()) {
    uint32_t now = SDL_GetTicks();
    mixer_.advance(now - mixerClock_);
    mixerClock_ = now;
  }
  if (!renderer_ || !pixels || width <= 0 || height <= 0 || pitch < width) return;
  const double frequency = static_cast<double>(SDL_GetPerformanceFrequency());
  const uint64_t start = SDL_GetPerformanceCounter();
  surfaceWidth_ = width;
  surfaceHeight_ = height;
  int outW = 0, outH = 0;
  SDL_GetRendererOutputSize(renderer_.get(), &outW, &outH);
  const Viewport v = viewport(outW, outH);
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
  // The card's pass is the sharp scaling; nearest pixels and whole multiples are the processor path's.
  const bool card = onCard_ && scaling_ == Scaling::Sharp;
  if (!card || !presentOnCard(pixels, width, height, pitch, v)) presentOnProcessor(pixels, width, height, pitch, v);
  uint64_t before = SDL_GetPerformanceCounter();
  SDL_RenderPresent(renderer_.get());
  const uint64_t end = SDL_GetPerformanceCounter();
  lastPresentMs_ = static_cast<double>(end - before) * 1000.0 / frequency;
  lastFrameMs_ = static_cast<double>(end - start) * 1000.0 / frequency;
  pace();
}

void SdlPlatform::pace() {
  // When the present waited for the display, a whole refresh has passed since the previous one and
  // nothing is left to wait. When the driver ignores vsync it returns at once; the rest of the refresh
  // is slept away instead of drawing frames nobody sees.
  const double frequency = static_cast<double>(SDL_GetPerformanceFrequency());
  const double interval = 1000.0 / refreshRate_;
  uint64_t now = SDL_GetPerformanceCounter();
  double elapsed = static_cast<double>(now - lastPresentEnd_) * 1000.0 / frequency;
  if (elapsed < interval - 1.0) {
    SDL_Delay(static_cast<Uint32>(interval - elapsed));
    now = SDL_GetPerformanceCounter();
  }
  lastPresentEnd_ = now;
}

void SdlPlatform::setMouseCaptured(bool captured) {
  mouseCaptured_ = captured;
  if (!window_) return;
  // Relative mode keeps aiming going at the screen's edge; some drivers cannot give it, and then the
  // pointer's own movement stands in.
  relativeMouse_ = SDL_SetRelativeMouseMode(captured ? SDL_TRUE : SDL_FALSE) == 0 && captured;
}

void SdlPlatform::setFullScreen(bool on) {
  if (!window_) {
    options_.windowed = !on;
    return;
  }
  if (on != fullscreen_) toggleFullscreen();
}

void SdlPlatform::toggleFullscreen() {
  if (!window_) return;
  fullscreen_ = !fullscreen_;
  SDL_SetWindowFullscreen(window_.get(), fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (!fullscreen_) {
    SDL_SetWindowSize(window_.get(), surfaceWidth_, surfaceHeight_);
    SDL_SetWindowPosition(window_.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
}

Viewport SdlPlatform::viewport(int outputWidth, int outputHeight) const {
  if (scaling_ == Scaling::Whole)
    return wholeMultipleViewport(surfaceWidth_, surfaceHeight_, outputWidth, outputHeight);
  return letterbox(surfaceWidth_, surfaceHeight_, outputWidth, outputHeight);
}

Viewport SdlPlatform::windowViewport() const {
  int w = 0, h = 0;
  if (window_) SDL_GetWindowSize(window_.get(), &w, &h);
  // The renderer's output may have more pixels than the window has points (a high-density screen):
  // the picture's place scales with it.
  int outW = w, outH = h;
  if (renderer_) SDL_GetRendererOutputSize(renderer_.get(), &outW, &outH);
  Viewport v = viewport(outW, outH);
  if (outW > 0 && outH > 0 && (outW != w || outH != h)) {
    v.x = v.x * w / outW;
    v.width = v.width * w / outW;
    v.y = v.y * h / outH;
    v.height = v.height * h / outH;
  }
  return v;
}

void SdlPlatform::toSurface(int windowX, int windowY, int& x, int& y) const {
  outputToSurface(windowViewport(), surfaceWidth_, surfaceHeight_, windowX, windowY, x, y);
}

std::string SdlPlatform::rendererName() const {
  SDL_RendererInfo info{};
  if (!renderer_ || SDL_GetRendererInfo(renderer_.get(), &info) != 0) return "none";
  std::string name = info.name ? info.name : "?";
  if (info.flags & SDL_RENDERER_ACCELERATED) name += " accelerated";
  if (info.flags & SDL_RENDERER_PRESENTVSYNC) name += " vsync";
  return name;
}

void SdlPlatform::messageBox(const std::string& caption, const std::string& text) {
  std::string utf8Caption = cp1251ToUtf8(caption), utf8Text = cp1251ToUtf8(text);
  if (window_) {
    // The player needs a pointer to press the button.
    bool relative = SDL_GetRelativeMouseMode();
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
    int shown = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, utf8Caption.c_str(), utf8Text.c_str(),
                                         window_.get());
    SDL_ShowCursor(SDL_DISABLE);
    if (relative) SDL_SetRelativeMouseMode(SDL_TRUE);
    if (shown == 0) return;
  }
  std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
}

}  // namespace mv
