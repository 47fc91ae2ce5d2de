#pragma once
// Which game this is: the version it introduces itself with, and the identity of this very build, which
// a recording carries so that only a build that plays it the same way replays it.

namespace mv {

#define MASHVOLT_VERSION "1.1"
inline constexpr char kVersion[] = MASHVOLT_VERSION;
inline constexpr char kVersionTitle[] = "Mashvolt " MASHVOLT_VERSION;
#undef MASHVOLT_VERSION

// A digest of the sources this program was built from.
const char* buildId();

}  // namespace mv
