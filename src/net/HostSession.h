#pragma once
// The host's side: it lets in machines that run the same game, keeps the lobby, starts the match, and
// then gathers every person's input into the bundle of each tick, which it sends to all and runs itself.
// It compares the world hashes, tells everyone each person's round trip and delay, and drops a machine
// that quits, falls silent or sends what no machine of this build would, at a tick everyone agrees on.

#include <map>

#include "net/BundleAssembler.h"
#include "net/DesyncWatch.h"
#include "net/Session.h"

namespace mv {

class HostSession : public Session {
 public:
  static constexpr uint32_t kStatusEveryMs = 1000;

  // ours: this machine's hello (its person's name and data), which joining machines must match. wanted:
  // the people to wait for (0: started by hand), which also caps the lobby.
  HostSession(std::unique_ptr<Link> link, Hello ours, uint8_t wanted, SessionClock clock = {});

  bool isHost() const override { return true; }
  // Begins the match for everyone in the lobby: the setup's names and places are filled in here.
  void start(StartInfo setup);
  void sendInputs(const std::vector<TimedInput>& inputs) override;
  void sendHash(int64_t tick, uint64_t hash) override;
  void leave() override;

 protected:
  void handle(const LinkEvent& event) override;
  void due(uint32_t now) override;

 private:
  struct Peer {
    bool joined = false;   // said hello and was let in
    bool dropped = false;  // nothing more from it counts
    std::string name;
    int person = -1;  // in the match
    uint32_t lastHeard = 0;
    InputFrames frames;
    int64_t lastHashTick = 0;
  };

  void receive(PeerId id, Peer& peer, const Bytes& packet);
  void hello(PeerId id, Peer& peer, const Bytes& packet);
  void hash(Peer& peer, const Bytes& packet);
  // The peer goes: out of the lobby, or out of the match at the next bundle. reason, when given, is
  // told the peer (End Dropped) and this machine's person.
  void drop(PeerId id, Peer& peer, const std::string& reason, bool report);
  void emitBundles();
  void desync(int64_t tick);
  void broadcast(const Bytes& packet, Delivery how = Delivery::Reliable);
  void lobbyChanged();

  Hello ours_;
  std::map<PeerId, Peer> peers_;
  std::optional<BundleAssembler> assembler_;
  std::vector<InputFrames> bundleFrames_;
  DesyncWatch desync_;
  bool stopped_ = false;  // a desync ended the match: no more bundles
  uint32_t lastStatus_ = 0;
};

}  // namespace mv
