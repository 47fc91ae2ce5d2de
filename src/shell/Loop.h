#pragma once
// The program's message loop: window events and scripted input between frames, and one frame per turn
// from the idle-driven frame timer. It can write the run down as a recording, or play one back.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "shell/CommandLine.h"
#include "shell/record/InputScript.h"
#include "shell/RunStats.h"

namespace mv {

class HeadlessPlatform;
class Platform;
class Recorder;
class ReplayPlatform;
class TMainForm;
struct MatchSetup;

constexpr uint32_t kHeadlessStepMs = 16;
// Every tick of a network match lasts this long, on every machine.
constexpr int32_t kNetTickMs = 16;

// Reports a failure: in the game's own dialog once the display is up (and as a line on standard error),
// before that in the platform's message box. The same message coming back every frame would bury the
// game under dialogs, so each distinct message is shown once.
class ErrorReporter {
 public:
  // inGame shows the message in the game's dialog; false when it cannot yet.
  ErrorReporter(Platform& platform, std::function<bool(const std::string&)> inGame)
      : platform_(platform), inGame_(std::move(inGame)) {}
  void report(const std::string& message);

 private:
  Platform& platform_;
  std::function<bool(const std::string&)> inGame_;
  std::set<std::string> shown_;
};

struct LoopParts {
  Platform& platform;                    // the one the game was made with
  HeadlessPlatform* headless = nullptr;  // the machine underneath, when it is the headless one
  Recorder* recorder = nullptr;          // --record
  ReplayPlatform* replay = nullptr;      // --replay: the devices the game reads
  int64_t replayEnd = 0;                 // --replay: the tick the recording stops before
};

class Loop {
 public:
  // script: the timed input, or while replaying the recording's lines.
  Loop(LoopParts parts, TMainForm& form, const CommandLine& options, std::vector<TimedEvent> script);
  ~Loop();
  Loop(const Loop&) = delete;
  Loop& operator=(const Loop&) = delete;

  // Runs until the window closes, the game asks to quit, the asked number of ticks has run or the
  // recording being replayed is over. 1 when the recording being made was not written whole, or when a
  // headless run's network play was ended by the network.
  int run();

 private:
  uint32_t now();
  // exit / quit from the console are honoured here, between frames and events, never inside one.
  bool ending() const;
  void tick();
  // The frame of a turn, once its lag is known: recorded, run, timed, shot.
  void runFrame(int32_t lag, uint32_t recordedMs, uint32_t t);
  // --host / --join: the network play begins; headless, the match too, or the run fails.
  bool startNetwork();
  // A turn of a network match: a frame once its bundle is here (and, keeping to the clock, its time).
  void netTick();
  // The network's traffic; a headless run whose network play the network ended stops.
  void serviceNet(uint32_t waitMs);
  void pace();
  // --stats-every: one line of memory, sprites, frame times and the renderer on standard output.
  void printStats();
  void setStep(int64_t ms);
  void activateTimer();
  void runExecLines();
  void startMatch(const MatchSetup& setup);
  void submit(const std::string& line);
  void screenshotAt(int64_t at);
  void deliverScript();
  void deliverRecorded();
  void dispatch(const Event& e);
  void watchForStop(const Event& e);
  void reportRecordingLost();
  // In a window, the frames go on until the messages left at the end have been read.
  void waitForMessages();

  template <typename F>
  void guarded(F&& f) {
    try {
      f();
    } catch (const std::exception& e) {
      errors_.report(e.what());
    }
  }

  LoopParts parts_;
  Platform& platform_;
  TMainForm& form_;
  const CommandLine& options_;
  std::vector<TimedEvent> script_;
  size_t nextScripted_ = 0;
  ErrorReporter errors_;
  bool scriptedClock_ = false;  // the clock moves by step_ a turn instead of following the real one
  uint32_t step_ = kHeadlessStepMs;
  uint32_t clock_ = 0;
  uint32_t timerBase_ = 0;  // the clock when the frame timer last counted from
  bool pacing_ = false;     // a replay in a window keeps to the recorded time
  uint32_t paceBase_ = 0;
  uint32_t startTicks_ = 0;  // the clock when the run began
  int64_t ticks_ = 0;
  FrameTimes frameTimes_;  // since the last statistics line
  bool quit_ = false;
  int exitCode_ = 0;
  bool pacedNet_ = false;         // network frames keep to the clock (a window, or --realtime)
  uint32_t nextNetFrame_ = 0;     // when the next one is due, steady milliseconds
  int64_t waitingSince_ = 0;      // a frame has waited for its bundle since, microseconds; 0 when not
  FrameTimes bundleWaits_;        // since the last statistics line
};

}  // namespace mv
