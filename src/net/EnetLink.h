#pragma once
// Network play's connections over ENet: reliable, ordered packets over UDP on channel 0, the
// measurements unreliable on channel 1.

#include <map>
#include <memory>
#include <string>

#include "net/Link.h"

struct _ENetHost;
struct _ENetPeer;

namespace mv {

class EnetLink : public Link {
 public:
  // Listens on address:port for up to `peers` machines; an empty address listens on every interface.
  // Throws Error when the port cannot be had.
  static std::unique_ptr<EnetLink> listen(const std::string& address, uint16_t port, size_t peers);
  // Starts connecting to a host; the Connected event (peer 0) says it answered. Throws Error when the
  // address cannot be read.
  static std::unique_ptr<EnetLink> connect(const std::string& host, uint16_t port);
  ~EnetLink() override;
  EnetLink(const EnetLink&) = delete;
  EnetLink& operator=(const EnetLink&) = delete;

  bool poll(LinkEvent& event, uint32_t waitMs) override;
  void send(PeerId peer, const Bytes& packet, Delivery how) override;
  void disconnect(PeerId peer) override;
  bool delivered(PeerId peer) const override;
  void hangUp(PeerId peer) override;
  void flush() override;
  uint64_t bytesSent() const override;
  uint64_t bytesReceived() const override;

  // The port listened on (the one the system chose when asked for 0).
  uint16_t port() const;
  // Peers still connected or being disconnected.
  size_t peerCount() const { return peers_.size(); }

 private:
  EnetLink();
  void count() const;

  _ENetHost* host_ = nullptr;
  std::map<PeerId, _ENetPeer*> peers_;
  PeerId nextPeer_ = 1;  // 0 is the host a connecting link talks to
  mutable uint64_t sent_ = 0, received_ = 0;
};

}  // namespace mv
