#include "game/Version.h"

#include "BuildId.h"

namespace mv {

const char* buildId() {
  return MASHVOLT_BUILD_ID;
}

}  // namespace mv
