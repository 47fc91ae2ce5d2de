#pragma once
// Whether a machine that says hello runs the same game as the host: the same protocol and build (another
// build may step the world differently) and the same data (an edited script or level would too).

#include <string>
#include <vector>

#include "net/Messages.h"

namespace mv {

// This machine's hello: the version and build of this program, its person's name and its data files.
Hello thisMachine(const std::string& name, std::vector<NamedDigest> data);

// Why `theirs` may not join a game hosted by `ours`, told to the one who joins; empty when it may.
std::string joinRefusal(const Hello& theirs, const Hello& ours);

}  // namespace mv
