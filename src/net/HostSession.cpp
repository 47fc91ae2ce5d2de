#include "net/HostSession.h"

#include "net/JoinCheck.h"
#include "net/NetTexts.h"
#include "net/WorldHash.h"

namespace mv {

HostSession::HostSession(std::unique_ptr<Link> link, Hello ours, uint8_t wanted, SessionClock clock)
    : Session(std::move(link), std::move(clock)), ours_(std::move(ours)) {
  wanted_ = wanted;
  names_.push_back(ours_.name.empty() ? format(netText(NetText::DefaultName).c_str(), 1) : ours_.name);
  lastStatus_ = clock_();
}

void HostSession::broadcast(const Bytes& packet, Delivery how) {
  for (auto& [id, peer] : peers_)
    if (peer.joined && !peer.dropped) link_->send(id, packet, how);
}

void HostSession::lobbyChanged() {
  // The joined in the order they came, which is the order of their ids.
  names_.resize(1);
  for (const auto& [id, peer] : peers_)
    if (peer.joined && !peer.dropped) names_.push_back(peer.name);
  broadcast(encode(Lobby{names_, wanted_}));
}

void HostSession::start(StartInfo setup) {
  if (start_) return;
  setup.names = names_;
  std::vector<PeerId> order;
  for (auto& [id, peer] : peers_)
    if (peer.joined && !peer.dropped) order.push_back(id);
  // The lobby lists the joined in the order they came, which is the order of the ids.
  for (size_t i = 0; i < order.size(); ++i) {
    Peer& peer = peers_[order[i]];
    peer.person = static_cast<int>(i + 1);
    setup.you = static_cast<uint8_t>(peer.person);
    link_->send(order[i], encode(setup), Delivery::Reliable);
  }
  setup.you = 0;
  start_ = setup;
  assembler_.emplace(names_.size());
  bundleFrames_.assign(names_.size(), InputFrames());
  status_.assign(names_.size(), PersonStatus{});
}

void HostSession::sendInputs(const std::vector<TimedInput>& inputs) {
  if (!assembler_) return;
  for (const auto& [tick, input] : inputs) assembler_->add(0, tick, input);
  emitBundles();
}

void HostSession::sendHash(int64_t tick, uint64_t hash) {
  if (auto differs = desync_.own(tick, hash)) desync(*differs);
}

void HostSession::desync(int64_t tick) {
  broadcast(encode(End{EndReason::Desync, tick}));
  stopped_ = true;
  end(format(netText(NetText::Desync).c_str(), static_cast<long long>(tick)));
}

void HostSession::emitBundles() {
  while (!stopped_) {
    std::optional<Bundle> bundle = assembler_->next();
    if (!bundle) return;
    broadcast(encode(*bundle, bundleFrames_));
    bundles_.push_back(std::move(*bundle));
  }
}

void HostSession::handle(const LinkEvent& event) {
  auto it = peers_.find(event.peer);
  switch (event.kind) {
    case LinkEvent::Kind::Connected:
      peers_[event.peer].lastHeard = clock_();
      break;
    case LinkEvent::Kind::Received:
      if (it == peers_.end() || it->second.dropped) return;
      it->second.lastHeard = clock_();
      try {
        receive(event.peer, it->second, event.bytes);
      } catch (const MalformedPacket& e) {
        drop(event.peer, it->second,
             format(netText(NetText::PeerMalformed).c_str(), it->second.name.c_str(), e.what()), true);
      }
      break;
    case LinkEvent::Kind::Disconnected:
      if (it == peers_.end()) return;
      if (!it->second.dropped) drop(event.peer, it->second, {}, false);
      peers_.erase(it);
      break;
  }
}

void HostSession::receive(PeerId id, Peer& peer, const Bytes& packet) {
  const MessageKind kind = messageKind(packet);
  if (!peer.joined) {
    if (kind != MessageKind::Hello) WireReader::fail("packet", "before hello");
    hello(id, peer, packet);
    return;
  }
  switch (kind) {
    case MessageKind::Ping: {
      const Ping ping = decodePing(packet);
      link_->send(id, encodePong(ping.stamp), Delivery::Unreliable);
      if (peer.person >= 0) status_[static_cast<size_t>(peer.person)] = {ping.roundTrip, ping.delay};
      break;
    }
    case MessageKind::Input: {
      if (peer.person < 0) WireReader::fail("input", "before the match");
      auto [tick, input] = decodeInput(packet, peer.frames);
      assembler_->add(static_cast<uint8_t>(peer.person), tick, std::move(input));
      emitBundles();
      break;
    }
    case MessageKind::Hash:
      hash(peer, packet);
      break;
    case MessageKind::Leave:
      decodeLeave(packet);
      drop(id, peer, {}, false);
      break;
    default:
      WireReader::fail("packet", "not one a joined machine sends");
  }
}

void HostSession::hello(PeerId id, Peer& peer, const Bytes& packet) {
  const Hello theirs = decodeHello(packet);
  std::string refusal = joinRefusal(theirs, ours_);
  const size_t room = wanted_ ? wanted_ : kMaxPeople;
  if (refusal.empty() && start_) refusal = netText(NetText::MatchRunning);
  if (refusal.empty() && names_.size() >= room) refusal = netText(NetText::GameFull);
  if (!refusal.empty()) {
    link_->send(id, encode(Refuse{refusal}), Delivery::Reliable);
    notice(format(netText(NetText::PeerRefused).c_str(), refusal.c_str()));
    peer.dropped = true;
    link_->disconnect(id);
    return;
  }
  peer.joined = true;
  peer.name = theirs.name.empty()
                  ? format(netText(NetText::DefaultName).c_str(), static_cast<int>(names_.size() + 1))
                  : theirs.name;
  lobbyChanged();
}

void HostSession::hash(Peer& peer, const Bytes& packet) {
  const WorldHashAt h = decodeHash(packet);
  // A machine reports only ticks it has run, which it has bundles for, each once, in order.
  if (!assembler_ || h.tick % kHashEvery != 0 || h.tick <= peer.lastHashTick || h.tick > assembler_->nextTick())
    WireReader::fail("world hash", "tick out of order");
  peer.lastHashTick = h.tick;
  if (auto differs = desync_.other(h.tick, h.hash)) desync(*differs);
}

void HostSession::drop(PeerId id, Peer& peer, const std::string& reason, bool report) {
  if (peer.dropped) return;
  peer.dropped = true;
  if (!reason.empty()) {
    link_->send(id, encode(End{EndReason::Dropped, 0}), Delivery::Reliable);
    notice(reason, report);
  }
  link_->disconnect(id);
  if (!peer.joined) return;
  if (!start_) {
    lobbyChanged();  // out of the lobby: the names close up
    return;
  }
  if (peer.person >= 0) {
    assembler_->drop(static_cast<uint8_t>(peer.person));
    emitBundles();
  }
}

void HostSession::due(uint32_t now) {
  for (auto& [id, peer] : peers_) {
    if (peer.dropped || now - peer.lastHeard <= kSilenceLimitMs) continue;
    // One that never said hello goes without a word.
    drop(id, peer, peer.joined ? format(netText(NetText::PeerSilent).c_str(), peer.name.c_str()) : "", false);
  }
  if (now - lastPing_ >= kPingEveryMs) {
    lastPing_ = now;
    delay_.measured(0);  // the host's own input has no way to go
  }
  if (start_ && now - lastStatus_ >= kStatusEveryMs) {
    lastStatus_ = now;
    status_[0] = {0, static_cast<uint8_t>(delay())};
    broadcast(encode(status_));
  }
}

void HostSession::leave() {
  broadcast(encode(End{EndReason::HostLeft, 0}));
  // Those still playing take what was sent to them, the end included; those dropped take nothing more.
  std::vector<PeerId> playing;
  for (auto& [id, peer] : peers_)
    if (peer.joined && !peer.dropped) playing.push_back(id);
  sayGoodbye(playing);
  peers_.clear();
}

}  // namespace mv
