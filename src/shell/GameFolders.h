#pragma once
// The folders a run reads and writes, chosen once at start-up. A game run from its own folder (the
// build's) reads and writes as it always has: data and settings beside the program, screenshots and
// dumps in the working folder. An installed game cannot write beside its data, so the player's files
// move to their home.

#include <functional>
#include <string>
#include <vector>

#include "platform/Paths.h"

namespace mv {

struct GameFolders {
  std::string data;    // the data folder (Globals::dataFolder)
  std::string config;  // empty: the data folder's SYSTEM (Globals::configFolder)
  std::string output;  // empty: the working folder (Globals::outputFolder)
  // Console lines (Windows-1251) that tell the player where their files went, when not where they were.
  std::vector<std::string> notices;
};

// Whether a file can be made in a folder; tests stand a refusal in for a read-only folder, which the
// permission bits alone cannot make when they run as root.
using WritableCheck = std::function<bool(const std::string& folder)>;

// With a data folder whose SYSTEM cannot be written, the player's own files go to
// `user.config`/mashvolt, which gets a copy of autoexec.cfg the first time, for the player to edit; with
// a working folder that cannot be written, screenshots, dumps and recordings go to `user.data`/mashvolt.
// The folders are made on the way; one that cannot be made or written leaves things as they were.
GameFolders setUpGameFolders(const std::string& dataFolder, const UserFolders& user,
                             const WritableCheck& writable = canCreateFileIn);

// A file a run wrote for the player (a recording), to be read back: in the working folder, else where
// the output went when the working folder could not take it.
std::string earlierOutput(const GameFolders& folders, const std::string& name);

}  // namespace mv
