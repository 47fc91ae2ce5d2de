#pragma once
// A digest of the shared world, compared between machines every so many ticks: the match's clock, the
// fighters (place, motion, health, armour, ammunition, weapons, frags, deaths, aim), every projectile,
// every pick-up, and the random generator's state. Machines that agree on these run the same match; the first difference
// shows where a replay of the recordings should look.

#include <cstdint>

namespace mv {

struct Globals;

// How often, in ticks, the machines compare.
constexpr int64_t kHashEvery = 60;

uint64_t worldHash(const Globals& g);

}  // namespace mv
