#pragma once
// A recording: everything that decides a run, so that it can be played again frame for frame. It is a
// readable text file, the timed-input format (InputScript.h) after a header:
//
//   # Mashvolt recording: watch it with mashvolt --replay FILE
//   version 1.1 build 0123456789ab
//   seed 3141592653
//   data 9f2c0e77a1b3d4c5 Maps/canyon.lvx
//   data 1b7f00c2d34e5a69 SYSTEM/autoexec.cfg
//   0 match canyon bots 3 skill 50
//   0 lag 16
//   ...
//
// The build names the sources the program was made from: another build may step the world differently,
// so it does not replay the file. The data lines name every file the game may read that decides play
// (the archives and scripts of SYSTEM, the levels of Maps) with a digest of its bytes, so an edited
// autoexec.cfg or a new level is caught before the replay goes astray.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/record/InputScript.h"

namespace mv {

struct DataFile {
  std::string name;    // relative to the game's folder, "/" between folders
  std::string digest;  // 16 hexadecimal digits
  bool operator==(const DataFile&) const = default;
};

// The files of SYSTEM and Maps under the game's folder (with its trailing separator), sorted by name;
// the files of the player's config folder, when there is one, stand in SYSTEM beside or for its own.
std::vector<DataFile> fingerprintGameData(const std::string& gameFolder,
                                          const std::string& configFolder = "");

struct Recording {
  std::string version;  // as the game introduced itself, "1.1"
  std::string build;
  uint32_t seed = 0;
  std::vector<DataFile> data;
  std::vector<TimedEvent> events;  // in tick order, without the end
  // The tick whose frame is not played; its lines, if any, came before the run stopped. A recording cut
  // short (the program was killed) ends after the last tick it holds.
  int64_t end = 0;
};

// The header of a recording of this build.
std::string recordingHeader(uint32_t seed, const std::vector<DataFile>& data);

// Reads a recording named name (for the messages). A file that is no recording, or that another build
// made, is refused with an Error that says so, before anything else of it is read.
Recording parseRecording(const std::string& text, const std::string& name);
// "Cannot open file %s" for anything but a plain file (a pipe would hang the start), "File too large:
// %s" past kRecordingFileLimit.
Recording loadRecording(const std::string& path);
// Why the recording cannot be replayed with the data found here, or empty when it can.
std::string dataRefusal(const Recording& recording, const std::string& name,
                        const std::vector<DataFile>& here);

}  // namespace mv
