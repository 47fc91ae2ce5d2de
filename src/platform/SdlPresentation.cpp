// How SdlPlatform puts a finished frame on the screen: on the graphics card, or scaled by the processor.
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/SdlPlatform.h"

namespace mv {
namespace {

// OpenGL drivers that draw on the processor call themselves accelerated all the same; on them the card
// path's linear pass over a whole-multiple picture costs more than the processor's sharp scaling.
bool softwareOpenGl() {
  if (!SDL_GL_GetCurrentContext()) return false;
  using GetString = const unsigned char* (*)(unsigned);
  constexpr unsigned kGlRenderer = 0x1F01;
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
  if (!name) return false;
  const std::string renderer = reinterpret_cast<const char*>(name);
  for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "SwiftShader"})
    if (renderer.find(software) != std::string::npos) return true;
  return false;
}

}  // namespace

bool SdlPlatform::rendererIsHardware() const {
  SDL_RendererInfo info{};
  if (!renderer_ || SDL_GetRendererInfo(renderer_.get(), &info) != 0) return false;
  return (info.flags & SDL_RENDERER_ACCELERATED) && !softwareOpenGl();
}

void SdlPlatform::choosePresentation() {
  SDL_RendererInfo info{};
  const bool targets = renderer_ && SDL_GetRendererInfo(renderer_.get(), &info) == 0 &&
                       (info.flags & SDL_RENDERER_TARGETTEXTURE) && SDL_RenderTargetSupported(renderer_.get());
  onCard_ = targets && (choice_ == RendererChoice::Gpu || (choice_ == RendererChoice::Auto && hardware_));
  enlarged_.reset();
}

void SdlPlatform::setRendererChoice(RendererChoice choice) {
  choice_ = choice;
  choosePresentation();
}

std::string SdlPlatform::presentationName() const {
  SDL_RendererInfo info{};
  std::string name = renderer_ && SDL_GetRendererInfo(renderer_.get(), &info) == 0 && info.name ? info.name : "none";
  return (onCard_ ? "gpu:" : "cpu:") + name;
}

std::vector<uint32_t> SdlPlatform::readScreen(int& width, int& height) const {
  width = height = 0;
  if (!renderer_ || SDL_GetRendererOutputSize(renderer_.get(), &width, &height) != 0) return {};
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  if (SDL_RenderReadPixels(renderer_.get(), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) != 0)
    pixels.clear();
  return pixels;
}

void SdlPlatform::upload(const uint16_t* pixels, int width, int height, int pitch, int textureW, int textureH) {
  if (textureW != textureWidth_ || textureH != textureHeight_) createTexture(textureW, textureH);
  void* target = nullptr;
  int targetPitch = 0;
  if (SDL_LockTexture(texture_.get(), nullptr, &target, &targetPitch) != 0) return;
  if (textureW == width && textureH == height)
    convertFrame565To8888(pixels, width, height, pitch, target, targetPitch);
  else
    scaler_.scale(pixels, width, height, pitch, static_cast<uint32_t*>(target), textureW, textureH, targetPitch / 4);
  SDL_UnlockTexture(texture_.get());
}

void SdlPlatform::presentOnProcessor(const uint16_t* pixels, int width, int height, int pitch, const Viewport& v) {
  // At a whole multiple the renderer's nearest-pixel stretch is exact; anywhere else the frame is
  // scaled here to the view's size and copied one to one.
  const bool fits = (maxTextureWidth_ <= 0 || v.width <= maxTextureWidth_) &&
                    (maxTextureHeight_ <= 0 || v.height <= maxTextureHeight_);
  const bool sharp = sharpScaling_ && fits && v.width > 0 && v.height > 0 &&
                     !wholeMultiple(width, height, v.width, v.height);
  upload(pixels, width, height, pitch, sharp ? v.width : width, sharp ? v.height : height);
  const SDL_Rect dst{v.x, v.y, v.width, v.height};
  SDL_RenderClear(renderer_.get());
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, &dst);
}

bool SdlPlatform::presentOnCard(const uint16_t* pixels, int width, int height, int pitch, const Viewport& v) {
  if (v.width <= 0 || v.height <= 0) return false;
  // The smallest whole multiple at least as large as the view: enlarged by it with nearest sampling,
  // every surface pixel is a block of the same size, and the linear pass down to the view blends only
  // the one screen pixel where two blocks meet, as the processor's sharp scaling does.
  int factor = std::max((v.width + width - 1) / width, (v.height + height - 1) / height);
  if (maxTextureWidth_ > 0) factor = std::min(factor, maxTextureWidth_ / width);
  if (maxTextureHeight_ > 0) factor = std::min(factor, maxTextureHeight_ / height);
  factor = std::max(factor, 1);
  const int enlargedW = width * factor, enlargedH = height * factor;
  if (!enlarged_ || enlargedWidth_ != enlargedW || enlargedHeight_ != enlargedH) {
    enlarged_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                      enlargedW, enlargedH));
    if (!enlarged_) {
      onCard_ = false;  // no target of that size: the processor from now on
      return false;
    }
    SDL_SetTextureBlendMode(enlarged_.get(), SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(enlarged_.get(), SDL_ScaleModeLinear);
    enlargedWidth_ = enlargedW;
    enlargedHeight_ = enlargedH;
  }
  upload(pixels, width, height, pitch, width, height);
  if (SDL_SetRenderTarget(renderer_.get(), enlarged_.get()) != 0) {
    onCard_ = false;
    return false;
  }
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
  SDL_SetRenderTarget(renderer_.get(), nullptr);
  const SDL_Rect dst{v.x, v.y, v.width, v.height};
  SDL_RenderClear(renderer_.get());
  SDL_RenderCopy(renderer_.get(), enlarged_.get(), nullptr, &dst);
  return true;
}

}  // namespace mv
