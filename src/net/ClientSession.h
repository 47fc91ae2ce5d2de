#pragma once
// A joining machine's side: it says hello, waits in the lobby, takes the start, and then sends its
// person's input and world hashes to the host and keeps the bundles that come back. It measures the
// round trip with pings, which sets its input delay.

#include "net/Session.h"

namespace mv {

class ClientSession : public Session {
 public:
  static constexpr uint32_t kConnectWaitMs = 5000;

  // The link is connecting to the host; hello is said as soon as it answers.
  ClientSession(std::unique_ptr<Link> link, Hello ours, std::string hostName, SessionClock clock = {});

  bool isHost() const override { return false; }
  void sendInputs(const std::vector<TimedInput>& inputs) override;
  void sendHash(int64_t tick, uint64_t hash) override;
  void leave() override;

 protected:
  void handle(const LinkEvent& event) override;
  void due(uint32_t now) override;

 private:
  void receive(const Bytes& packet);
  void bundle(const Bytes& packet);

  Hello ours_;
  std::string hostName_;  // as the person gave it, for the messages
  bool connected_ = false;
  bool gone_ = false;    // the connection is ending: nothing more is sent or taken in
  bool closed_ = false;  // and has ended
  uint32_t lastHeard_ = 0;
  InputFrames out_;
  std::vector<InputFrames> people_;  // the bundles' stream of each person's frames
  std::vector<bool> left_;           // people whose fighters have left the match
  int64_t nextBundle_ = 0;
  int64_t inputsSent_ = 0;  // the first tick this machine has sent no input for
};

}  // namespace mv
