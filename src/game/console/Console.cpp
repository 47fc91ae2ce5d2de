#include "game/console/Console.h"

namespace mv {

void TConsol::add(const std::string&) {}
void TConsol::runLine(const std::string&, TMan*) {}

}  // namespace mv
