#pragma once
// An in-memory network for the sessions: a host's link and the links of the machines that join it,
// each packet delivered in order on the next poll, and a clock the test moves on by hand.

#include <deque>
#include <map>
#include <memory>

#include "net/Link.h"
#include "net/Session.h"

namespace mv {

struct FakeNetwork {
  uint32_t now = 1000;
  SessionClock clock() {
    return [this] { return now; };
  }

  class End : public Link {
   public:
    End(FakeNetwork& net, bool host) : net_(net), host_(host) {}
    bool poll(LinkEvent& event, uint32_t) override {
      if (inbox.empty()) return false;
      event = std::move(inbox.front());
      inbox.pop_front();
      received_ += event.bytes.size();
      return true;
    }
    void send(PeerId peer, const Bytes& packet, Delivery) override {
      End* to = host_ ? net_.clients[peer] : net_.host;
      if (!to || cut) return;
      sent_ += packet.size();
      to->inbox.push_back({LinkEvent::Kind::Received, host_ ? 0 : id, packet});
    }
    void disconnect(PeerId peer) override {
      End* other = host_ ? net_.clients[peer] : net_.host;
      if (!other) return;
      other->inbox.push_back({LinkEvent::Kind::Disconnected, host_ ? 0 : id, {}});
      inbox.push_back({LinkEvent::Kind::Disconnected, host_ ? peer : 0, {}});
      (host_ ? net_.clients[peer] : net_.clients[id]) = nullptr;
    }
    bool delivered(PeerId) const override { return true; }
    void hangUp(PeerId peer) override { disconnect(peer); }
    void flush() override {}
    uint64_t bytesSent() const override { return sent_; }
    uint64_t bytesReceived() const override { return received_; }

    std::deque<LinkEvent> inbox;
    PeerId id = 0;     // a joining machine's id at the host
    bool cut = false;  // sends go nowhere, as from a machine that was switched off

   private:
    FakeNetwork& net_;
    bool host_;
    uint64_t sent_ = 0, received_ = 0;
  };

  std::unique_ptr<Link> hostLink() {
    auto link = std::make_unique<End>(*this, true);
    host = link.get();
    return link;
  }
  // A machine that connects, and is answered at once.
  std::unique_ptr<Link> joinLink() {
    auto link = std::make_unique<End>(*this, false);
    link->id = nextId++;
    clients[link->id] = link.get();
    host->inbox.push_back({LinkEvent::Kind::Connected, link->id, {}});
    link->inbox.push_back({LinkEvent::Kind::Connected, 0, {}});
    return link;
  }

  End* host = nullptr;
  std::map<PeerId, End*> clients;
  PeerId nextId = 1;
};

}  // namespace mv
