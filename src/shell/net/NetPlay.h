#pragma once
// Network play as the program runs it: hosting or joining, the lobby, the same match begun on every
// machine, and then, tick by tick, each bundle carried out before the move pass while this machine's
// person's input goes out ahead. Every person's fighter, this machine's own included, steps by what the
// bundles bring; this machine shows its own person's view.
//
// Pause in a network match opens the pause menu but does not stop the world, which is every machine's:
// the person's fighter stands idle (its input says the hands are on a menu) while the others play on.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/InputSchedule.h"
#include "net/Session.h"
#include "shell/MatchStart.h"
#include "shell/record/NetRecording.h"

namespace mv {

class TMainForm;
class TMan;
class TPlayer;

struct HostOptions {
  std::string address;  // the address to listen on; empty for every interface
  uint16_t port = kDefaultPort;
  uint8_t wanted = 0;   // start by itself once this many people are in; 0: the lobby's button starts
  std::string name;     // this machine's person
  MatchSetup setup;     // level, bots, skill
};

class NetPlay {
 public:
  // Each throws Error when the network cannot be had (the port is taken, the address is no address).
  static std::unique_ptr<NetPlay> host(TMainForm& form, const HostOptions& options);
  static std::unique_ptr<NetPlay> join(TMainForm& form, const std::string& host, uint16_t port,
                                       const std::string& name);
  // A recorded network match played back: the bundles come from the recording's lines.
  static std::unique_ptr<NetPlay> replay(TMainForm& form);
  ~NetPlay();
  NetPlay(const NetPlay&) = delete;
  NetPlay& operator=(const NetPlay&) = delete;

  // Between frames: the network in and out, the lobby kept, the match begun when it starts.
  void service(uint32_t waitMs);
  // The host's start of the match for everyone in the lobby.
  void startMatch();
  const Session* session() const { return session_.get(); }

  // The match is on: begun and not over.
  bool inMatch() const { return !people_.empty() && !finished_; }
  // The match is over on this machine (every machine reaches its end at the same tick): frames wait for
  // no bundle any more, but the network stays open until this machine leaves, so what it sent still
  // reaches the others; whatever happens to the network now is nobody's concern.
  void finish() { finished_ = true; }
  // Finished, and the others have gone too: nothing more to stay open for.
  bool quietlyOver() const { return finished_ && session_ && session_->over(); }
  // The bundle of the next tick is here.
  bool frameReady() const;
  // After the frame's poll, before its move pass: the bundle carried out, this person's input sent.
  void beforeMove();
  // After the frame: the tick counted, the world hash sent every so many ticks.
  void afterFrame();

  // The network ended it: the message for the person (empty while it goes on).
  std::string endMessage() const;
  // Goodbye to the other machines.
  void leave();

  // This machine's wheel, which the bundles carry like everything its person does. False outside a match.
  bool takeWheel(int8_t step);
  // The frag table's words for a fighter: the person's round trip and input delay.
  std::string fragTableNote(const TMan* fighter) const;
  // Match ticks run, and the world hash after the last of them.
  int64_t tick() const { return tick_; }
  uint64_t worldHashNow() const;

  // A recording's lines, when the run is recorded.
  std::function<void(const std::string& words)> record;
  // A line of a recording being played back (netname, netmatch, person).
  void replayLine(const TimedEvent& line);

 private:
  NetPlay(TMainForm& form, std::unique_ptr<Session> session);
  void beginMatch(const StartInfo& start);
  void carryOut(const Bundle& bundle);
  PersonInput sample();
  bool gate(const std::string& line);

  TMainForm& form_;
  std::unique_ptr<Session> session_;  // none while a recording plays
  std::optional<NetReplay> replay_;
  MatchSetup hostSetup_;
  std::string name_;
  std::vector<TPlayer*> people_;  // every person's fighter, by person
  InputSchedule schedule_;
  RecordedPeople recorded_;
  int64_t tick_ = 0;
  bool applied_ = false;      // the current tick's bundle has been carried out
  bool finished_ = false;
  bool startScript_ = false;  // the match-start script is running
  std::vector<int8_t> wheel_;
  std::vector<std::string> lines_;
  std::string failure_;  // the match could not be built here
};

// This machine's data files as a hello names them.
std::vector<NamedDigest> gameDataDigests(const std::string& gameFolder);

}  // namespace mv
