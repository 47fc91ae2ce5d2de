#include "platform/Platform.h"

namespace mv {

const char* rendererChoiceName(RendererChoice choice) {
  switch (choice) {
    case RendererChoice::Gpu:
      return "gpu";
    case RendererChoice::Cpu:
      return "cpu";
    default:
      return "auto";
  }
}

bool parseRendererChoice(const std::string& text, RendererChoice& choice) {
  for (RendererChoice c : {RendererChoice::Auto, RendererChoice::Gpu, RendererChoice::Cpu})
    if (text == rendererChoiceName(c)) {
      choice = c;
      return true;
    }
  return false;
}

}  // namespace mv
