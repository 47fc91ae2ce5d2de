#pragma once
// One machine's side of network play over a link: the lobby, the start, and in the match the bundles
// this machine is to run, its person's input going out, the world hashes and the measurements of the
// round trip. The host (HostSession.h) gathers and hands out; the others (ClientSession.h) join.
//
// Nothing here waits on its own: the shell calls service() between frames (or while a frame waits for
// its bundle), and every limit is counted on the clock it is given, so a test can move time on.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/DelayControl.h"
#include "net/InputSchedule.h"
#include "net/Link.h"
#include "net/Messages.h"

namespace mv {

// Milliseconds on a steady clock (not the game's, which headless runs count in fixed steps).
using SessionClock = std::function<uint32_t()>;
uint32_t steadyMilliseconds();

struct Notice {
  std::string text;     // Windows-1251
  bool report = false;  // a fault to report like any other error; otherwise a line for the console
};

class Session {
 public:
  static constexpr uint32_t kPingEveryMs = 250;
  // How long leaving waits for its goodbye, and what was sent before it, to go out: on a lossy line
  // resending the last packets may take seconds; the others would otherwise wait for them in vain.
  static constexpr uint32_t kGoodbyeMs = kSilenceLimitMs;

  virtual ~Session() = default;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Takes in what arrived, waiting at most waitMs for the first of it, then sends what is due.
  void service(uint32_t waitMs);

  virtual bool isHost() const = 0;
  // The people in the lobby, the host first (in the match: as the match began).
  const std::vector<std::string>& names() const { return names_; }
  // People the host waits for before it starts by itself; 0 when it starts by hand.
  uint8_t wanted() const { return wanted_; }
  // The match, once it has begun; `you` is this machine's person.
  const std::optional<StartInfo>& started() const { return start_; }

  // The next bundle to run, in tick order, if it is here.
  const Bundle* nextBundle() const { return bundles_.empty() ? nullptr : &bundles_.front(); }
  void popBundle() { bundles_.pop_front(); }
  // This machine's person's input, ticks ahead (InputSchedule.h).
  virtual void sendInputs(const std::vector<TimedInput>& inputs) = 0;
  // The world hash after `tick` ticks.
  virtual void sendHash(int64_t tick, uint64_t hash) = 0;

  // Over, with the message for the person, once the bundles that came before the end have been run.
  bool over() const { return !endMessage_.empty() && bundles_.empty(); }
  const std::string& endMessage() const { return endMessage_; }
  std::vector<Notice> takeNotices() { return std::exchange(notices_, {}); }

  int delay() const { return delay_.delay(); }
  int roundTripMs() const { return delay_.roundTripMs(); }
  // Every person's round trip and delay as the host last heard them, by person.
  const std::vector<PersonStatus>& status() const { return status_; }

  // Says goodbye and waits a moment for it to go out.
  virtual void leave() = 0;
  const Link& link() const { return *link_; }

 protected:
  Session(std::unique_ptr<Link> link, SessionClock clock);
  virtual void handle(const LinkEvent& event) = 0;
  // Pings, status, silence: whatever the time calls for.
  virtual void due(uint32_t now) = 0;
  // The first end counts; later troubles are its echoes.
  void end(const std::string& message);
  void notice(const std::string& text, bool report = false) { notices_.push_back({text, report}); }
  // The last goodbye: polls until everything sent to these peers has arrived (or the goodbye time is
  // up), then hangs up on them. Nobody waits for an answer to a goodbye.
  void sayGoodbye(const std::vector<PeerId>& peers);

  std::unique_ptr<Link> link_;
  SessionClock clock_;
  std::vector<std::string> names_;
  uint8_t wanted_ = 0;
  std::optional<StartInfo> start_;
  std::deque<Bundle> bundles_;
  DelayControl delay_;
  std::vector<PersonStatus> status_;
  uint32_t lastPing_ = 0;

 private:
  std::string endMessage_;
  std::vector<Notice> notices_;
};

}  // namespace mv
