#pragma once
// What the machine says about this process, for the headless statistics lines of long runs: its
// resident memory and a wall clock. Neither is game time; the game never steers by them.

#include <cstdint>

namespace mv {

// Resident memory in KiB; 0 where the system does not tell.
int64_t residentMemoryKb();
// Microseconds of a monotonic wall clock since an arbitrary start.
int64_t wallMicroseconds();

}  // namespace mv
