#include "net/ClientSession.h"

#include "net/NetTexts.h"

namespace mv {

ClientSession::ClientSession(std::unique_ptr<Link> link, Hello ours, std::string hostName, SessionClock clock)
    : Session(std::move(link), std::move(clock)), ours_(std::move(ours)), hostName_(std::move(hostName)) {
  lastHeard_ = clock_();
}

void ClientSession::sendInputs(const std::vector<TimedInput>& inputs) {
  if (!start_ || gone_) return;
  for (const auto& [tick, input] : inputs) {
    link_->send(0, encodeInput(tick, input, out_), Delivery::Reliable);
    inputsSent_ = tick + 1;
  }
}

void ClientSession::sendHash(int64_t tick, uint64_t hash) {
  if (start_ && !gone_) link_->send(0, encode(WorldHashAt{tick, hash}), Delivery::Reliable);
}

void ClientSession::handle(const LinkEvent& event) {
  switch (event.kind) {
    case LinkEvent::Kind::Connected:
      connected_ = true;
      lastHeard_ = clock_();
      link_->send(0, encode(ours_), Delivery::Reliable);
      break;
    case LinkEvent::Kind::Received:
      if (gone_) return;
      lastHeard_ = clock_();
      try {
        receive(event.bytes);
      } catch (const MalformedPacket& e) {
        end(format(netText(NetText::HostMalformed).c_str(), e.what()));
        gone_ = true;
        link_->disconnect(0);
      }
      break;
    case LinkEvent::Kind::Disconnected:
      gone_ = closed_ = true;
      end(connected_ ? netText(NetText::ConnectionLost)
                     : format(netText(NetText::CannotConnect).c_str(), hostName_.c_str()));
      break;
  }
}

void ClientSession::receive(const Bytes& packet) {
  switch (messageKind(packet)) {
    case MessageKind::Refuse:
      end(decodeRefuse(packet).text);
      gone_ = true;
      link_->disconnect(0);
      break;
    case MessageKind::Lobby: {
      if (start_) WireReader::fail("lobby", "after the start");
      Lobby lobby = decodeLobby(packet);
      names_ = std::move(lobby.names);
      wanted_ = lobby.wanted;
      break;
    }
    case MessageKind::Start: {
      if (start_) WireReader::fail("start", "a second time");
      StartInfo start = decodeStart(packet);
      if (start.you == 0) WireReader::fail("start", "this machine in the host's place");
      names_ = start.names;
      people_.assign(start.names.size(), InputFrames());
      left_.assign(start.names.size(), false);
      status_.assign(start.names.size(), PersonStatus{});
      start_ = std::move(start);
      break;
    }
    case MessageKind::Bundle:
      bundle(packet);
      break;
    case MessageKind::Status: {
      std::vector<PersonStatus> status = decodeStatus(packet);
      if (!start_ || status.size() != people_.size()) WireReader::fail("status", "not one per person");
      status_ = std::move(status);
      break;
    }
    case MessageKind::Pong: {
      const uint32_t sent = decodePong(packet);
      const uint32_t took = clock_() - sent;
      // A stamp this machine never sent reads as a round trip of days; it is not measured.
      if (took <= 10 * kSilenceLimitMs) delay_.measured(took);
      break;
    }
    case MessageKind::End: {
      const End e = decodeEnd(packet);
      end(e.reason == EndReason::Desync    ? format(netText(NetText::Desync).c_str(), static_cast<long long>(e.tick))
          : e.reason == EndReason::Dropped ? netText(NetText::DroppedYou)
                                           : netText(NetText::HostLeft));
      gone_ = true;
      link_->disconnect(0);
      break;
    }
    default:
      WireReader::fail("packet", "not one a host sends");
  }
}

void ClientSession::bundle(const Bytes& packet) {
  if (!start_) WireReader::fail("bundle", "before the start");
  Bundle b = decodeBundle(packet, people_, left_);
  if (b.tick != nextBundle_) WireReader::fail("bundle", "tick out of order");
  // A bundle holds this machine's input, so none can come for a tick it has not sent yet.
  if (b.tick >= inputsSent_) WireReader::fail("bundle", "ahead of this machine's input");
  // This machine's own person leaving means the host let it go: what follows is no match of its own.
  for (uint8_t person : b.leaving) {
    left_[person] = true;
    if (person == start_->you) WireReader::fail("bundle", "this machine's person leaving");
  }
  ++nextBundle_;
  bundles_.push_back(std::move(b));
}

void ClientSession::due(uint32_t now) {
  if (gone_) return;
  if (!connected_ && now - lastHeard_ > kConnectWaitMs) {
    gone_ = true;
    end(format(netText(NetText::CannotConnect).c_str(), hostName_.c_str()));
    return;
  }
  if (connected_ && now - lastHeard_ > kSilenceLimitMs) {
    gone_ = true;
    link_->disconnect(0);
    end(netText(NetText::HostSilent));
    return;
  }
  if (connected_ && now - lastPing_ >= kPingEveryMs) {
    lastPing_ = now;
    link_->send(0, encode(Ping{now, static_cast<uint16_t>(roundTripMs()), static_cast<uint8_t>(delay())}),
                Delivery::Unreliable);
  }
}

void ClientSession::leave() {
  if (closed_) return;
  if (!gone_) link_->send(0, encodeLeave(), Delivery::Reliable);
  gone_ = closed_ = true;
  sayGoodbye({0});
}

}  // namespace mv
