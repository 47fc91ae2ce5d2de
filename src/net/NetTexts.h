#pragma once
// What network play tells the person, in Russian as every text of the game: Windows-1251 bytes,
// converted once from the readable literals in NetTexts.cpp. Some are patterns for format().

#include <string>

namespace mv {

enum class NetText {
  CannotListen,       // %u: the port
  CannotConnect,      // %s: the address
  OtherBuild,         // %s %s: the host's version and build, %s %s: this machine's
  OtherFile,          // %s: a data file that differs
  FileMissingThere,   // %s: a file the host lacks
  FileMissingHere,    // %s: a file this machine lacks
  GameFull,
  MatchRunning,
  HostLeft,
  HostSilent,
  ConnectionLost,
  HostMalformed,      // %s: what was wrong
  Desync,             // %lld: the tick
  DroppedYou,
  PeerMalformed,      // %s: the name, %s: what was wrong
  PeerSilent,         // %s: the name
  PeerLeft,           // %s: the name
  PeerRefused,        // %s: the reason, told the host
  LineRefused,
  DefaultName,        // %d: the person's number from 1
  GoneMark,           // after the name of one who left, in the frag tables
  StatusNote,         // %d %d: round trip, input delay; in the frag table
  LobbyTimeout,       // %d: seconds
  Count
};

const std::string& netText(NetText which);

}  // namespace mv
