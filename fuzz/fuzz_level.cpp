// Arbitrary text as a level file: reading either refuses it with a message or gives a level, and a
// level is then built the way the match start builds it (pick-ups placed, respawn points taken) and
// played for half a second by a person and a bot, with the tile layers drawn. So the grid, the layers,
// the physics and the bot's path finding see hostile maps too, not only the reader.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzWorld.h"
#include "game/world/LevelFile.h"
#include "platform/Error.h"

using namespace mv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::MatchWorld world;
  LevelData level;
  try {
    level = parseLevel(splitLines(std::string_view(reinterpret_cast<const char*>(data), size)));
    // The checks loadLevel makes before it changes anything: every pick-up must be drawable and takeable.
    for (const LevelObject& object : level.objects) {
      if (object.kind == "Respawn") continue;
      globals().imageList->Items.find(object.kind);
      checkPickupKind(object.kind);
    }
    applyLevel(level);
  } catch (const Error&) {
    return 0;
  }
  const TPoint at = world.match.respawnCount() > 0 ? world.match.respawnPoint(0) : TPoint{};
  globals().player1 = world.join<TPlayer>(at.x, at.y);
  world.join<TBot>(at.x + 40, at.y);
  world.frames(30);
  return 0;
}
