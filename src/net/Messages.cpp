#include "net/Messages.h"

#include <algorithm>

namespace mv {
namespace {

constexpr size_t kMaxDataFiles = 4096;
constexpr size_t kMaxLevelName = 64;
constexpr size_t kMaxRefusal = 255;

WireWriter begin(MessageKind kind) {
  WireWriter out;
  out.u8(static_cast<uint8_t>(kind));
  return out;
}

WireReader open(std::span<const uint8_t> packet, MessageKind kind, const char* what) {
  WireReader in(packet);
  if (in.u8(what) != static_cast<uint8_t>(kind)) WireReader::fail(what, "not this kind of packet");
  return in;
}

bool printable(const std::string& s) {
  return std::none_of(s.begin(), s.end(), [](char c) { return static_cast<uint8_t>(c) < 0x20; });
}

// A person's name: what "name" would keep, shown in tables and above the fighter.
std::string readName(WireReader& in) {
  std::string name = in.text("name", kMaxNameLength);
  if (!printable(name)) WireReader::fail("name", "control characters");
  return name;
}

// A level is a file of the Maps folder: a name, never a path out of it.
std::string readLevel(WireReader& in) {
  std::string level = in.text("level", kMaxLevelName);
  if (level.empty() || !printable(level) || level.find_first_of("/\\") != std::string::npos ||
      level.find("..") != std::string::npos)
    WireReader::fail("level", "not a level name");
  return level;
}

std::vector<std::string> readNames(WireReader& in, size_t min) {
  const size_t n = in.u8("people");
  if (n < min || n > kMaxPeople) WireReader::fail("people", "out of range");
  std::vector<std::string> names;
  for (size_t i = 0; i < n; ++i) names.push_back(readName(in));
  return names;
}

void writeNames(WireWriter& out, const std::vector<std::string>& names) {
  out.u8(static_cast<uint8_t>(names.size()));
  for (const std::string& name : names) out.text(name);
}

int64_t readTick(WireReader& in) {
  const uint64_t tick = in.varint("tick");
  if (tick > static_cast<uint64_t>(kMaxTick)) WireReader::fail("tick", "out of range");
  return static_cast<int64_t>(tick);
}

}  // namespace

MessageKind messageKind(std::span<const uint8_t> packet) {
  if (packet.empty()) WireReader::fail("packet", "empty");
  const uint8_t kind = packet[0];
  if (kind < static_cast<uint8_t>(MessageKind::Hello) || kind > static_cast<uint8_t>(MessageKind::End))
    WireReader::fail("packet", "unknown kind");
  return static_cast<MessageKind>(kind);
}

Bytes encode(const Hello& m) {
  WireWriter out = begin(MessageKind::Hello);
  out.u16(m.protocol);
  out.text(m.version);
  out.text(m.build);
  out.text(m.name);
  out.varint(m.data.size());
  for (const NamedDigest& file : m.data) {
    out.text(file.name);
    out.text(file.digest);
  }
  return out.take();
}

Hello decodeHello(std::span<const uint8_t> packet) {
  WireReader in = open(packet, MessageKind::Hello, "hello");
  Hello m;
  m.protocol = in.u16("protocol");
  // Another protocol may lay out everything after this differently: what it says is not read.
  if (m.protocol != kProtocol) return m;
  m.version = in.text("version", 32);
  m.build = in.text("build", 64);
  m.name = readName(in);
  const uint64_t files = in.varint("data files");
  if (files > kMaxDataFiles) WireReader::fail("data files", "too many");
  for (uint64_t i = 0; i < files; ++i) {
    NamedDigest file;
    file.name = in.text("data file", 255);
    file.digest = in.text("data digest", 64);
    if (!printable(file.name) || !printable(file.digest)) WireReader::fail("data file", "control characters");
    m.data.push_back(std::move(file));
  }
  in.end("hello");
  return m;
}

Bytes encode(const Refuse& m) {
  WireWriter out = begin(MessageKind::Refuse);
  out.text(m.text);
  return out.take();
}

Refuse decodeRefuse(std::span<const uint8_t> packet) {
  WireReader in = open(packet, MessageKind::Refuse, "refusal");
  Refuse m{in.text("refusal", kMaxRefusal)};
  in.end("refusal");
  return m;
}

Bytes encode(const Lobby& m) {
  WireWriter out = begin(MessageKind::Lobby);
  writeNames(out, m.names);
  out.u8(m.wanted);
  return out.take();
}

Lobby decodeLobby(std::span<const uint8_t> packet) {
  WireReader in = open(packet, MessageKind::Lobby, "lobby");
  Lobby m;
  m.names = readNames(in, 1);
  m.wanted = static_cast<uint8_t>(in.u8("wanted"));
  if (m.wanted != 0 && (m.wanted < 2 || m.wanted > kMaxPeople)) WireReader::fail("wanted", "out of range");
  in.end("lobby");
  return m;
}

Bytes encode(const StartInfo& m) {
  WireWriter out = begin(MessageKind::Start);
  out.u32(m.seed);
  out.text(m.level);
  out.signedVarint(m.bots);
  out.signedVarint(m.skill);
  out.signedVarint(m.meatOff);
  out.signedVarint(m.fragLimit);
  out.signedVarint(m.timeLimit);
  writeNames(out, m.names);
  out.u8(m.you);
  return out.take();
}

StartInfo decodeStart(std::span<const uint8_t> packet) {
  WireReader in = open(packet, MessageKind::Start, "start");
  StartInfo m;
  m.seed = in.u32("seed");
  m.level = readLevel(in);
  m.bots = static_cast<int32_t>(in.ranged("bots", 0, 100));
  m.skill = static_cast<int32_t>(in.ranged("skill", 0, 100));
  m.meatOff = static_cast<int32_t>(in.ranged("meatoff", 0, 1));
  m.fragLimit = static_cast<int32_t>(in.ranged("fraglimit", 0, 999));
  m.timeLimit = static_cast<int32_t>(in.ranged("timelimit", 0, 999));
  m.names = readNames(in, 2);
  m.you = in.u8("your place");
  if (m.you >= m.names.size()) WireReader::fail("your place", "out of range");
  in.end("start");
  return m;
}

Bytes encodeInput(int64_t tick, const PersonInput& input, InputFrames& frames) {
  WireWriter out = begin(MessageKind::Input);
  out.varint(static_cast<uint64_t>(tick));
  frames.write(out, input);
  return out.take();
}

std::pair<int64_t, PersonInput> decodeInput(std::span<const uint8_t> packet, InputFrames& frames) {
  WireReader in = open(packet, MessageKind::Input, "input");
  const int64_t tick = readTick(in);
  PersonInput input = frames.read(in);
  in.end("input");
  return {tick, std::move(input)};
}

Bytes encode(const Bundle& m, std::vector<InputFrames>& people) {
  WireWriter out = begin(MessageKind::Bundle);
  out.varint(static_cast<uint64_t>(m.tick));
  uint8_t playing = 0, leaving = 0;
  for (const auto& [person, input] : m.inputs) playing |= static_cast<uint8_t>(1u << person);
  for (uint8_t person : m.leaving) leaving |= static_cast<uint8_t>(1u << person);
  out.u8(playing);
  out.u8(leaving);
  for (const auto& [person, input] : m.inputs) people[person].write(out, input);
  return out.take();
}

Bundle decodeBundle(std::span<const uint8_t> packet, std::vector<InputFrames>& people,
                    const std::vector<bool>& gone) {
  WireReader in = open(packet, MessageKind::Bundle, "bundle");
  Bundle m;
  m.tick = readTick(in);
  const uint8_t playing = in.u8("people with input");
  const uint8_t leaving = in.u8("people leaving");
  // Everyone still in the match has input or leaves now, never both; nobody else appears.
  for (size_t person = 0; person < kMaxPeople; ++person) {
    const bool has = playing >> person & 1, leaves = leaving >> person & 1;
    const bool present = person < people.size() && !gone[person];
    if ((has || leaves) != present || (has && leaves)) WireReader::fail("bundle", "people do not add up");
    if (leaves) m.leaving.push_back(static_cast<uint8_t>(person));
  }
  for (size_t person = 0; person < people.size(); ++person)
    if (playing >> person & 1) m.inputs.emplace_back(static_cast<uint8_t>(person), people[person].read(in));
  in.end("bundle");
  return m;
}

Bytes encode(const WorldHashAt& m) {
  WireWriter out = begin(MessageKind::Hash);
  out.varint(static_cast<uint64_t>(m.tick));
  out.u64(m.hash);
  return out.take();
}

WorldHashAt decodeHash(std::span<const uint8_t> packet) {
  WireReader in = open(packet, MessageKind::Hash, "world hash");
  WorldHashAt m;
  m.tick = readTick(in);
  m.hash = in.u64("world hash");
  in.end("world hash");
  return m;
}

Bytes encode(const Ping& m) {
  WireWriter out = begin(MessageKind::Ping);
  out.u32(m.stamp);
  out.u16(m.roundTrip);
  out.u8(m.delay);
  return out.take();
}

Ping decodePing(std::span<const uint8_t> packet) {
  WireReader in = open(packet, MessageKind::Ping, "ping");
  Ping m;
  m.stamp = in.u32("ping");
  m.roundTrip = in.u16("round trip");
  m.delay = in.u8("delay");
  in.end("ping");
  return m;
}

Bytes encodePong(uint32_t stamp) {
  WireWriter out = begin(MessageKind::Pong);
  out.u32(stamp);
  return out.take();
}

uint32_t decodePong(std::span<const uint8_t> packet) {
  WireReader in = open(packet, MessageKind::Pong, "pong");
  const uint32_t stamp = in.u32("pong");
  in.end("pong");
  return stamp;
}

Bytes encode(const std::vector<PersonStatus>& m) {
  WireWriter out = begin(MessageKind::Status);
  out.u8(static_cast<uint8_t>(m.size()));
  for (const PersonStatus& s : m) {
    out.u16(s.roundTrip);
    out.u8(s.delay);
  }
  return out.take();
}

std::vector<PersonStatus> decodeStatus(std::span<const uint8_t> packet) {
  WireReader in = open(packet, MessageKind::Status, "status");
  const size_t n = in.u8("status count");
  if (n > kMaxPeople) WireReader::fail("status count", "out of range");
  std::vector<PersonStatus> m(n);
  for (PersonStatus& s : m) {
    s.roundTrip = in.u16("round trip");
    s.delay = in.u8("delay");
  }
  in.end("status");
  return m;
}

Bytes encodeLeave() {
  return begin(MessageKind::Leave).take();
}

void decodeLeave(std::span<const uint8_t> packet) {
  open(packet, MessageKind::Leave, "leave").end("leave");
}

Bytes encode(const End& m) {
  WireWriter out = begin(MessageKind::End);
  out.u8(static_cast<uint8_t>(m.reason));
  out.varint(static_cast<uint64_t>(m.tick));
  return out.take();
}

End decodeEnd(std::span<const uint8_t> packet) {
  WireReader in = open(packet, MessageKind::End, "end");
  End m;
  const uint8_t reason = in.u8("end reason");
  if (reason < 1 || reason > static_cast<uint8_t>(EndReason::Dropped)) WireReader::fail("end reason", "unknown");
  m.reason = static_cast<EndReason>(reason);
  m.tick = readTick(in);
  in.end("end");
  return m;
}

}  // namespace mv
