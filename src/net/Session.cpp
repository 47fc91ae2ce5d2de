#include "net/Session.h"

#include <chrono>

namespace mv {

uint32_t steadyMilliseconds() {
  using namespace std::chrono;
  return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

Session::Session(std::unique_ptr<Link> link, SessionClock clock)
    : link_(std::move(link)), clock_(clock ? std::move(clock) : SessionClock(steadyMilliseconds)) {
  lastPing_ = clock_();
}

void Session::service(uint32_t waitMs) {
  LinkEvent event;
  // Only the first look waits; whatever else has come is taken at once.
  for (uint32_t wait = waitMs; link_->poll(event, wait); wait = 0) handle(event);
  due(clock_());
  link_->flush();
}

void Session::end(const std::string& message) {
  if (endMessage_.empty()) endMessage_ = message;
}

void Session::sayGoodbye(const std::vector<PeerId>& peers) {
  link_->flush();
  constexpr uint32_t kLookMs = 10;
  auto allDelivered = [&] {
    for (PeerId peer : peers)
      if (!link_->delivered(peer)) return false;
    return true;
  };
  LinkEvent event;
  // Polling takes in the acknowledgements (and resends what is lost); what else comes is no concern now.
  for (uint32_t waited = 0; waited < kGoodbyeMs && !allDelivered(); waited += kLookMs) link_->poll(event, kLookMs);
  for (PeerId peer : peers) link_->hangUp(peer);
  link_->flush();
}

}  // namespace mv
