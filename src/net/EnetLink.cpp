#include "net/EnetLink.h"

#include <enet/enet.h>

#include <cstring>

#include "platform/Error.h"

namespace mv {
namespace {

// Said when connecting, so a stray datagram or another program is not taken for a machine of the game.
constexpr enet_uint32 kConnectWord = 0x4D560001;
constexpr size_t kChannels = 2;

int libraryUsers = 0;

void useLibrary() {
  if (libraryUsers++ == 0 && enet_initialize() != 0) {
    libraryUsers = 0;
    throw Error("ENet cannot start");
  }
}

void releaseLibrary() {
  if (--libraryUsers == 0) enet_deinitialize();
}

// ENet gives a peer up when one reliable packet has gone unanswered too long, its resends backing off
// twice as long each time: on a lossy line a packet lost four or five times in a row would end the
// connection while the peer talks on. The sessions give a peer up after 5 seconds of hearing nothing at
// all (their pings are unreliable and keep coming), so ENet is left a minute of patience.
void giveUpLate(ENetPeer* peer) {
  constexpr enet_uint32 kResends = 64, kMostMs = 60000;
  enet_peer_timeout(peer, kResends, kSilenceLimitMs, kMostMs);
}

PeerId idOf(const ENetPeer* peer) {
  return static_cast<PeerId>(reinterpret_cast<uintptr_t>(peer->data));
}

}  // namespace

EnetLink::EnetLink() {
  useLibrary();
}

EnetLink::~EnetLink() {
  if (host_) enet_host_destroy(host_);
  releaseLibrary();
}

std::unique_ptr<EnetLink> EnetLink::listen(const std::string& address, uint16_t port, size_t peers) {
  std::unique_ptr<EnetLink> link(new EnetLink);
  ENetAddress at{};
  at.host = ENET_HOST_ANY;
  at.port = port;
  if (!address.empty() && enet_address_set_host_ip(&at, address.c_str()) != 0)
    throw Error(format("Cannot listen on %s", address.c_str()));
  link->host_ = enet_host_create(&at, peers, kChannels, 0, 0);
  if (!link->host_) throw Error(format("Cannot listen on port %u", unsigned{port}));
  return link;
}

std::unique_ptr<EnetLink> EnetLink::connect(const std::string& host, uint16_t port) {
  std::unique_ptr<EnetLink> link(new EnetLink);
  ENetAddress at{};
  if (enet_address_set_host(&at, host.c_str()) != 0) throw Error(format("Cannot find %s", host.c_str()));
  at.port = port;
  link->host_ = enet_host_create(nullptr, 1, kChannels, 0, 0);
  if (!link->host_) throw Error("Cannot open a network socket");
  ENetPeer* peer = enet_host_connect(link->host_, &at, kChannels, kConnectWord);
  if (!peer) throw Error(format("Cannot connect to %s", host.c_str()));
  giveUpLate(peer);
  peer->data = reinterpret_cast<void*>(uintptr_t{0});
  link->peers_[0] = peer;
  return link;
}

bool EnetLink::poll(LinkEvent& event, uint32_t waitMs) {
  ENetEvent e;
  while (true) {
    const int got = enet_host_service(host_, &e, waitMs);
    count();
    if (got <= 0) return false;
    switch (e.type) {
      case ENET_EVENT_TYPE_CONNECT:
        if (peers_.count(idOf(e.peer)) && e.peer == peers_[idOf(e.peer)]) {
          event = {LinkEvent::Kind::Connected, idOf(e.peer), {}};  // our own connection, answered
          return true;
        }
        if (e.data != kConnectWord) {
          enet_peer_reset(e.peer);  // not a machine of this game
          continue;
        }
        e.peer->data = reinterpret_cast<void*>(uintptr_t{nextPeer_});
        peers_[nextPeer_] = e.peer;
        giveUpLate(e.peer);
        event = {LinkEvent::Kind::Connected, nextPeer_++, {}};
        return true;
      case ENET_EVENT_TYPE_RECEIVE:
        event = {LinkEvent::Kind::Received, idOf(e.peer), Bytes(e.packet->data, e.packet->data + e.packet->dataLength)};
        enet_packet_destroy(e.packet);
        return true;
      case ENET_EVENT_TYPE_DISCONNECT: {
        const PeerId id = idOf(e.peer);
        auto it = peers_.find(id);
        if (it == peers_.end() || it->second != e.peer) continue;  // a stranger turned away
        peers_.erase(it);
        event = {LinkEvent::Kind::Disconnected, id, {}};
        return true;
      }
      case ENET_EVENT_TYPE_NONE:
        return false;
    }
  }
}

void EnetLink::send(PeerId peer, const Bytes& packet, Delivery how) {
  auto it = peers_.find(peer);
  if (it == peers_.end()) return;
  const bool reliable = how == Delivery::Reliable;
  ENetPacket* p = enet_packet_create(packet.data(), packet.size(), reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
  if (p && enet_peer_send(it->second, reliable ? 0 : 1, p) != 0) enet_packet_destroy(p);
}

void EnetLink::disconnect(PeerId peer) {
  auto it = peers_.find(peer);
  if (it != peers_.end()) enet_peer_disconnect_later(it->second, 0);
}

bool EnetLink::delivered(PeerId peer) const {
  auto it = peers_.find(peer);
  if (it == peers_.end()) return true;
  ENetPeer* p = it->second;
  // A connection already ending delivered what it had to before its end was asked for.
  if (p->state != ENET_PEER_STATE_CONNECTED) return true;
  return enet_list_empty(&p->outgoingCommands) && enet_list_empty(&p->sentReliableCommands);
}

void EnetLink::hangUp(PeerId peer) {
  auto it = peers_.find(peer);
  if (it == peers_.end()) return;
  enet_peer_disconnect_now(it->second, 0);
  peers_.erase(it);
}

void EnetLink::flush() {
  enet_host_flush(host_);
  count();
}

void EnetLink::count() const {
  // ENet's own counters are 32 bits and are meant to be emptied as they are read.
  sent_ += host_->totalSentData;
  received_ += host_->totalReceivedData;
  host_->totalSentData = host_->totalReceivedData = 0;
}

uint64_t EnetLink::bytesSent() const {
  count();
  return sent_;
}

uint64_t EnetLink::bytesReceived() const {
  count();
  return received_;
}

uint16_t EnetLink::port() const {
  ENetAddress at{};
  if (enet_socket_get_address(host_->socket, &at) != 0) return host_->address.port;
  return at.port;
}

}  // namespace mv
