#pragma once
// The levels the setup screen offers: the ".lvx" files of a folder, named without their extension.

#include <string>
#include <vector>

namespace mv {

// Sorted bytewise, so "the first level" is the same on every machine whatever order the folder
// lists in. The extension is matched without regard to case; a missing folder lists nothing.
std::vector<std::string> listLevels(const std::string& folder);

}  // namespace mv
