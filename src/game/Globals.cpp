#include "game/Globals.h"

#include "platform/Paths.h"

namespace mv {
namespace {

Globals defaultGlobals;
Globals* current = &defaultGlobals;

}  // namespace

Globals& globals() { return *current; }

std::string dataPath(const std::string& relative) { return current->dataFolder + relative; }

std::string configPath(const std::string& name) {
  return current->configFolder.empty() ? dataPath("SYSTEM/" + name) : current->configFolder + name;
}

std::string outputPath(const std::string& name) { return placeIn(current->outputFolder, name); }

GlobalsScope::GlobalsScope() : previous_(current) { current = &own_; }

GlobalsScope::~GlobalsScope() { current = previous_; }

}  // namespace mv
