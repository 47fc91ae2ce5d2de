#include "game/Globals.h"

#include "platform/Paths.h"

namespace mv {
namespace {

Globals defaultGlobals;

}  // namespace

Globals* detail::currentGlobals = &defaultGlobals;

std::string dataPath(const std::string& relative) { return globals().dataFolder + relative; }

std::string configPath(const std::string& name) {
  return globals().configFolder.empty() ? dataPath("SYSTEM/" + name) : globals().configFolder + name;
}

std::string outputPath(const std::string& name) { return placeIn(globals().outputFolder, name); }

GlobalsScope::GlobalsScope() : previous_(detail::currentGlobals) { detail::currentGlobals = &own_; }

GlobalsScope::~GlobalsScope() { detail::currentGlobals = previous_; }

}  // namespace mv
