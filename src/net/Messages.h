#pragma once
// The packets of network play. The first byte names the kind; each kind has its encoder and a decoder
// that checks sizes, counts, ranges and texts before anything is used, throwing MalformedPacket.
//
// A joining machine says Hello (its build and data); the host answers Refuse, or Lobby to everyone
// whenever the people change; Start begins the match on every machine. In the match each machine sends
// Input for a tick ahead, the host sends every tick's Bundle to all, and Hash, Ping / Pong and Status go
// alongside. Leave says goodbye; End from the host finishes the match for everyone.

#include <cstdint>
#include <string>
#include <vector>

#include "net/InputFrames.h"
#include "net/Wire.h"

namespace mv {

constexpr uint16_t kProtocol = 1;
constexpr size_t kMaxPeople = 8;
constexpr size_t kMaxNameLength = 10;  // as the console's "name" keeps it
constexpr uint16_t kDefaultPort = 27960;

enum class MessageKind : uint8_t {
  Hello = 1,
  Refuse,
  Lobby,
  Start,
  Input,
  Bundle,
  Hash,
  Ping,
  Pong,
  Status,
  Leave,
  End,
};

struct NamedDigest {
  std::string name;  // a data file relative to the game folder
  std::string digest;
  bool operator==(const NamedDigest&) const = default;
};

struct Hello {
  uint16_t protocol = kProtocol;
  std::string version, build, name;
  std::vector<NamedDigest> data;
  bool operator==(const Hello&) const = default;
};

struct Refuse {
  std::string text;  // Windows-1251, shown to the person refused
  bool operator==(const Refuse&) const = default;
};

struct Lobby {
  std::vector<std::string> names;  // the host first
  uint8_t wanted = 0;              // people the host waits for before it starts; 0: it starts by hand
  bool operator==(const Lobby&) const = default;
};

// Everything every machine needs to build the same match.
struct StartInfo {
  uint32_t seed = 0;
  std::string level;
  int32_t bots = 0, skill = 0;
  int32_t meatOff = 0, fragLimit = 0, timeLimit = 0;  // the host's settings of the shared world
  std::vector<std::string> names;                     // the people, in the order of their fighters
  uint8_t you = 0;                                    // the receiver's place among them
  bool operator==(const StartInfo&) const = default;
};

struct Bundle {
  int64_t tick = 0;
  std::vector<std::pair<uint8_t, PersonInput>> inputs;  // by person, in person order
  std::vector<uint8_t> leaving;  // people whose fighters leave the match at this tick, in order
  bool operator==(const Bundle&) const = default;
};

struct WorldHashAt {
  int64_t tick = 0;
  uint64_t hash = 0;
  bool operator==(const WorldHashAt&) const = default;
};

struct Ping {
  uint32_t stamp = 0;      // the sender's clock, echoed back
  uint16_t roundTrip = 0;  // the sender's measured round trip, milliseconds
  uint8_t delay = 0;       // and its input delay, ticks
  bool operator==(const Ping&) const = default;
};

struct PersonStatus {
  uint16_t roundTrip = 0;
  uint8_t delay = 0;
  bool operator==(const PersonStatus&) const = default;
};

enum class EndReason : uint8_t { HostLeft = 1, Desync, Dropped };

struct End {
  EndReason reason = EndReason::HostLeft;
  int64_t tick = 0;  // Desync: the tick the worlds differed at
  bool operator==(const End&) const = default;
};

constexpr int64_t kMaxTick = INT32_MAX;

MessageKind messageKind(std::span<const uint8_t> packet);

Bytes encode(const Hello& m);
Bytes encode(const Refuse& m);
Bytes encode(const Lobby& m);
Bytes encode(const StartInfo& m);
Bytes encode(const WorldHashAt& m);
Bytes encode(const Ping& m);
Bytes encodePong(uint32_t stamp);
Bytes encode(const std::vector<PersonStatus>& m);
Bytes encodeLeave();
Bytes encode(const End& m);
// Input and bundles carry frames whose held controls go as changes, so they read and write through the
// stream of each person's frames.
Bytes encodeInput(int64_t tick, const PersonInput& input, InputFrames& frames);
Bytes encode(const Bundle& m, std::vector<InputFrames>& people);

// Each decoder checks the kind byte and reads the whole packet.
Hello decodeHello(std::span<const uint8_t> packet);
Refuse decodeRefuse(std::span<const uint8_t> packet);
Lobby decodeLobby(std::span<const uint8_t> packet);
StartInfo decodeStart(std::span<const uint8_t> packet);
WorldHashAt decodeHash(std::span<const uint8_t> packet);
Ping decodePing(std::span<const uint8_t> packet);
uint32_t decodePong(std::span<const uint8_t> packet);
std::vector<PersonStatus> decodeStatus(std::span<const uint8_t> packet);
void decodeLeave(std::span<const uint8_t> packet);
End decodeEnd(std::span<const uint8_t> packet);
std::pair<int64_t, PersonInput> decodeInput(std::span<const uint8_t> packet, InputFrames& frames);
// people: how many the match began with; gone: who left before this bundle (and may not appear in it).
Bundle decodeBundle(std::span<const uint8_t> packet, std::vector<InputFrames>& people,
                    const std::vector<bool>& gone);

}  // namespace mv
