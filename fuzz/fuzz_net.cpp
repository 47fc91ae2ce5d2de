// Arbitrary packets as a machine of network play receives them: every decoder on its own (what reads
// must write back the same bytes), and a run of packets into a host from a machine in its match, and into
// a joined machine from its host. Reading fails with MalformedPacket or succeeds; nothing else happens:
// no crash, no hang, no memory that grows without end.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <span>

#include "net/ClientSession.h"
#include "net/HostSession.h"
#include "net/JoinCheck.h"

using namespace mv;

namespace {

// Delivers what the test puts in and forgets what the session sends.
class Inbox : public Link {
 public:
  bool poll(LinkEvent& event, uint32_t) override {
    if (events.empty()) return false;
    event = std::move(events.front());
    events.pop_front();
    return true;
  }
  void send(PeerId, const Bytes&, Delivery) override {}
  void disconnect(PeerId) override {}
  bool delivered(PeerId) const override { return true; }
  void hangUp(PeerId) override {}
  void flush() override {}
  uint64_t bytesSent() const override { return 0; }
  uint64_t bytesReceived() const override { return 0; }
  std::deque<LinkEvent> events;
};

template <typename Decoded, typename Decode, typename Encode>
void roundTrip(const Bytes& packet, Decode decode, Encode encode) {
  try {
    const Decoded first = decode(packet);
    if (encode(first) != packet && decode(encode(first)) != first) __builtin_trap();
  } catch (const MalformedPacket&) {
  }
}

void decoders(const Bytes& p) {
  roundTrip<Hello>(p, decodeHello, [](const Hello& m) { return encode(m); });
  roundTrip<Lobby>(p, decodeLobby, [](const Lobby& m) { return encode(m); });
  roundTrip<StartInfo>(p, decodeStart, [](const StartInfo& m) { return encode(m); });
  roundTrip<End>(p, decodeEnd, [](const End& m) { return encode(m); });
  roundTrip<std::vector<PersonStatus>>(p, decodeStatus, [](const std::vector<PersonStatus>& m) { return encode(m); });
  try {
    InputFrames in, out;
    auto [tick, input] = decodeInput(p, in);
    InputFrames again;
    if (decodeInput(encodeInput(tick, input, out), again).second != input) __builtin_trap();
    std::vector<InputFrames> people(3);
    decodeBundle(p, people, {false, true, false});
  } catch (const MalformedPacket&) {
  }
}

std::vector<Bytes> packets(std::span<const uint8_t> data) {
  std::vector<Bytes> out;
  for (size_t at = 0; at < data.size();) {
    const size_t n = std::min<size_t>(data[at], data.size() - at - 1);
    out.emplace_back(data.begin() + static_cast<std::ptrdiff_t>(at + 1),
                     data.begin() + static_cast<std::ptrdiff_t>(at + 1 + n));
    at += n + 1;
  }
  return out;
}

const std::vector<NamedDigest> kData = {{"SYSTEM/autoexec.cfg", "0123456789abcdef"}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::vector<Bytes> arriving = packets({data + 1, size - 1});
  uint32_t now = 0;
  auto clock = [&now] { return now; };
  if (data[0] % 3 == 0) {
    for (const Bytes& p : arriving) decoders(p);
  } else if (data[0] % 3 == 1) {
    // A host in its match with one joined machine, which then sends these.
    auto inbox = std::make_unique<Inbox>();
    Inbox& in = *inbox;
    HostSession host(std::move(inbox), thisMachine("Host", kData), 2, clock);
    in.events.push_back({LinkEvent::Kind::Connected, 1, {}});
    in.events.push_back({LinkEvent::Kind::Received, 1, encode(thisMachine("Guest", kData))});
    host.service(0);
    host.start(StartInfo{1, "steelcage", 1, 100, 0, 0, 0, {}, 0});
    host.sendInputs(InputSchedule().begin(3));
    for (const Bytes& p : arriving) {
      in.events.push_back({LinkEvent::Kind::Received, 1, p});
      now += 16;
      host.service(0);
      while (host.nextBundle()) host.popBundle();
    }
  } else {
    // A joined machine whose host started a match, and then sends these.
    auto inbox = std::make_unique<Inbox>();
    Inbox& in = *inbox;
    ClientSession client(std::move(inbox), thisMachine("Guest", kData), "host", clock);
    in.events.push_back({LinkEvent::Kind::Connected, 0, {}});
    in.events.push_back({LinkEvent::Kind::Received, 0, encode(StartInfo{1, "steelcage", 1, 100, 0, 0, 0, {"Host", "Guest", "Third"}, 1})});
    client.service(0);
    // Input sent far ahead, so the host's bundles may come for any of those ticks.
    client.sendInputs(InputSchedule().begin(DelayControl::kMaxDelay));
    for (const Bytes& p : arriving) {
      in.events.push_back({LinkEvent::Kind::Received, 0, p});
      now += 16;
      client.service(0);
      while (client.nextBundle()) client.popBundle();
    }
  }
  return 0;
}
