#pragma once
// The game's world without its window: a fresh set of globals, a display surface in memory, the image
// archives, a console for the bots' chat, a match and the sprite tree, with one level loaded. Sound stays
// off. The playtest runs its match in it and draws its level pictures from it.

#include <string>

#include "engine/draw/DXDraw.h"
#include "engine/draw/DXImageList.h"
#include "engine/sprite/SpriteEngine.h"
#include "game/Globals.h"
#include "game/console/Console.h"
#include "game/world/Match.h"

namespace mv::tools {

class PlaytestWorld {
 public:
  // Throws mv::Error (or what the loader throws) when the data or the level cannot be read.
  PlaytestWorld(const std::string& gameDir, const std::string& level, uint32_t seed);
  ~PlaytestWorld();
  PlaytestWorld(const PlaytestWorld&) = delete;
  PlaytestWorld& operator=(const PlaytestWorld&) = delete;

  Globals& state() { return scope_.get(); }

  GlobalsScope scope_;
  TDXDraw display;
  TDXImageList images{&display}, models{&display};
  TConsol console;
  TMatch match;
  TSpriteEngine root;
};

}  // namespace mv::tools
