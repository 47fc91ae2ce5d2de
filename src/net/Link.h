#pragma once
// A connection to other machines as the sessions see it: peers that connect, send packets and go. ENet
// is the real one (EnetLink.h); tests and the fuzz target put their own in its place.

#include <cstdint>

#include "net/Wire.h"

namespace mv {

using PeerId = uint32_t;

// A machine silent for this long has gone: its peers stop waiting for it.
constexpr uint32_t kSilenceLimitMs = 5000;

struct LinkEvent {
  enum class Kind { Connected, Received, Disconnected };
  Kind kind = Kind::Received;
  PeerId peer = 0;
  Bytes bytes;  // Received
};

enum class Delivery {
  Reliable,    // arrives, once, in the order sent
  Unreliable,  // may be lost: for measurements that a late copy would only spoil
};

class Link {
 public:
  virtual ~Link() = default;
  // The next event, waiting at most waitMs for one.
  virtual bool poll(LinkEvent& event, uint32_t waitMs) = 0;
  virtual void send(PeerId peer, const Bytes& packet, Delivery how) = 0;
  // Ends the connection once what was sent to the peer has gone out.
  virtual void disconnect(PeerId peer) = 0;
  // Whether everything sent to the peer has arrived (true for a peer no longer there).
  virtual bool delivered(PeerId peer) const = 0;
  // Ends the connection at once: for the last goodbye, once everything has been delivered.
  virtual void hangUp(PeerId peer) = 0;
  // Sends what is queued now rather than at the next poll.
  virtual void flush() = 0;
  // Bytes through the network so far, headers of the transport included.
  virtual uint64_t bytesSent() const = 0;
  virtual uint64_t bytesReceived() const = 0;
};

}  // namespace mv
