#include "shell/Loop.h"

#include <cstdio>

#include "platform/ProcessStats.h"

#include "net/NetTexts.h"
#include "platform/Cp1251.h"
#include "platform/HeadlessPlatform.h"
#include "shell/MainForm.h"
#include "shell/record/Recorder.h"
#include "shell/record/ReplayPlatform.h"

namespace mv {
namespace {

constexpr uint32_t kInactiveWaitMs = 16;
// A replay in a window waits at most this long for one turn: a stall in the recording (a message box, a
// debugger) is cut short rather than watched.
constexpr int32_t kLongestReplayWaitMs = 250;
// A headless host waits this long for its people, a headless joiner for the start.
constexpr uint32_t kLobbyWaitMs = 60000;
// A network frame more than this late starts the count afresh rather than racing to catch up.
constexpr uint32_t kLongestCatchUpMs = 100;

// Headless, a scripted event goes through the platform as a real one would: keys are held in the
// polled keyboard too, the pointer follows mouse events, and focus changes come back as events.
void applyToDevices(HeadlessPlatform& headless, const Event& e) {
  if (e.kind == EventKind::FocusGained || e.kind == EventKind::FocusLost) {
    headless.setFocus(e.kind == EventKind::FocusGained);
    return;
  }
  if (e.kind == EventKind::KeyDown || e.kind == EventKind::KeyUp) {
    DeviceState state = headless.deviceState();
    state.keys[e.key & 0xFF] = e.kind == EventKind::KeyDown ? 0x80 : 0;
    headless.setDeviceState(state);
  }
  if (e.kind == EventKind::MouseDown || e.kind == EventKind::MouseUp) {
    DeviceState state = headless.deviceState();
    const size_t button = e.shift & ssRight ? 1 : e.shift & ssMiddle ? 2 : 0;
    state.mouseButtons[button] = e.kind == EventKind::MouseDown ? 0x80 : 0;
    headless.setDeviceState(state);
  }
  headless.inject(e);
}

// A recording's limit of a match, -1 where its command line gave none.
std::optional<int32_t> recordedLimit(int64_t value) {
  if (value < 0) return std::nullopt;
  return static_cast<int32_t>(value);
}

// The match the command line asks for with --match and the options that go with it.
MatchSetup commandLineSetup(const CommandLine& o) {
  return {.level = o.match,
          .bots = o.bots,
          .skill = o.skill,
          .hotseat = o.hotseat,
          .fragLimit = o.fragLimit,
          .timeLimit = o.timeLimit};
}

}  // namespace

void ErrorReporter::report(const std::string& message) {
  if (!shown_.insert(message).second) return;
  if (inGame_ && inGame_(message)) {
    std::fprintf(stderr, "Mashvolt: %s\n", cp1251ToUtf8(message).c_str());
    return;
  }
  platform_.messageBox("Mashvolt", message);
}

Loop::Loop(LoopParts parts, TMainForm& form, const CommandLine& options, std::vector<TimedEvent> script)
    : parts_(parts),
      platform_(parts.platform),
      form_(form),
      options_(options),
      script_(std::move(script)),
      errors_(parts.platform, [this](const std::string& message) {
        if (!form_.DXDraw.initialized()) return false;
        form_.showMessage(message);
        return true;
      }) {
  scriptedClock_ = options.lag || options.headless || parts.replay;
  if (options.lag) step_ = static_cast<uint32_t>(*options.lag);
  pacing_ = parts.replay && !options.headless;
  pacedNet_ = !parts.replay && (!options.headless || options.realtime);
  form_.OnError = [this](const std::string& message) { errors_.report(message); };
  if (Recorder* recorder = parts.recorder)
    form_.recordNet = [recorder](const std::string& words) { recorder->note(words); };
}

Loop::~Loop() {
  form_.OnError = nullptr;
  form_.recordNet = nullptr;
}

int Loop::run() {
  paceBase_ = startTicks_ = platform_.ticks();
  activateTimer();
  if (options_.host || !options_.join.empty()) {
    // The host's settings go with its start, so they are set first.
    runExecLines();
    if (!startNetwork()) return 1;
  } else {
    // A match asked for on the command line starts before the first frame; a level that does not
    // load ends the program like any other start-up failure.
    if (!options_.match.empty())
      startMatch(commandLineSetup(options_));
    runExecLines();
  }
  while (!ending()) {
    if (options_.frames && ticks_ >= *options_.frames) break;
    if (parts_.replay && ticks_ >= parts_.replayEnd) {
      deliverRecorded();  // what came in the recording's last turn, before it ended without a frame
      for (int64_t at : options_.screenshotAt)
        if (at > ticks_)
          errors_.report(format("--screenshot-at %lld: the recording ends after tick %lld",
                                static_cast<long long>(at), static_cast<long long>(ticks_)));
      if (!options_.headless && !ending()) errors_.report(utf8ToCp1251("Запись окончена."));
      waitForMessages();
      break;
    }
    if (parts_.recorder) parts_.recorder->setTick(ticks_);
    parts_.replay ? deliverRecorded() : deliverScript();
    Event event;
    while (!ending() && platform_.pollEvent(event)) parts_.replay ? watchForStop(event) : dispatch(event);
    if (ending()) break;
    const int64_t before = ticks_;
    serviceNet(0);
    if (ending()) break;
    tick();
    if (options_.statsEvery && ticks_ != before && ticks_ % *options_.statsEvery == 0) printStats();
  }
  form_.closeNetPlay();
  if (parts_.recorder && !parts_.recorder->end(ticks_)) {
    reportRecordingLost();
    return 1;
  }
  return exitCode_;
}

bool Loop::startNetwork() {
  HostOptions host;
  host.address = options_.hostAddress;
  host.port = options_.port;
  host.wanted = static_cast<uint8_t>(options_.players);
  host.name = utf8ToCp1251(options_.name);
  host.setup = commandLineSetup(options_);  // the command line refuses --hotseat with --host
  const bool begun = options_.host ? form_.hostGame(host)
                                   : form_.joinGame(options_.join, options_.port, utf8ToCp1251(options_.name));
  if (!begun) return false;
  // In a window the lobby is on the screen; headless, nobody could press its button.
  if (!options_.headless) return true;
  const uint32_t start = steadyMilliseconds();
  while (form_.net && !form_.net->inMatch()) {
    if (form_.serviceNetPlay(20)) return false;
    if (steadyMilliseconds() - start > kLobbyWaitMs) {
      errors_.report(format(netText(NetText::LobbyTimeout).c_str(), static_cast<int>(kLobbyWaitMs / 1000)));
      return false;
    }
  }
  nextNetFrame_ = steadyMilliseconds();
  return form_.net != nullptr;
}

void Loop::serviceNet(uint32_t waitMs) {
  if (form_.serviceNetPlay(waitMs) && options_.headless) {
    quit_ = true;
    exitCode_ = 1;
  }
}

void Loop::reportRecordingLost() {
  errors_.report(format("Cannot write file %s: the recording stops here", parts_.recorder->path().c_str()));
}

uint32_t Loop::now() {
  return scriptedClock_ ? clock_ : platform_.ticks();
}

bool Loop::ending() const {
  return quit_ || form_.quitRequested() || form_.closeRequested();
}

// One turn of the loop. While the window lacks the focus no frame runs, but the turn still counts:
// scripted events and --frames go on, so a script that takes the focus away also gives it back.
void Loop::tick() {
  if (form_.net && form_.net->inMatch()) {
    netTick();
    return;
  }
  if (scriptedClock_) clock_ += step_;
  if (pacing_) pace();
  const uint32_t t = now();
  const int32_t lag = form_.DXTimer.idle(t);
  ++ticks_;
  if (lag == 0) {
    if (!pacing_) platform_.delay(scriptedClock_ ? step_ : kInactiveWaitMs);  // give the processor away
    return;
  }
  // The time on the clock, not the lag: a frame that took no time still runs as 1 ms, and the frame
  // rate shown is counted from the clock.
  runFrame(lag, t - timerBase_, t);
}

void Loop::netTick() {
  uint32_t wall = steadyMilliseconds();
  if (pacedNet_ && static_cast<int32_t>(nextNetFrame_ - wall) > 0) {
    serviceNet(nextNetFrame_ - wall);
    return;
  }
  if (!form_.net->frameReady()) {
    if (!waitingSince_) waitingSince_ = wallMicroseconds();
    // Whatever arrives ends the wait; the turn comes round again for window events.
    serviceNet(pacedNet_ ? 1 : 10);
    return;
  }
  bundleWaits_.add(waitingSince_ ? wallMicroseconds() - waitingSince_ : 0);
  waitingSince_ = 0;
  wall = steadyMilliseconds();
  nextNetFrame_ = wall - nextNetFrame_ > kLongestCatchUpMs ? wall + kNetTickMs : nextNetFrame_ + kNetTickMs;
  if (scriptedClock_) clock_ += kNetTickMs;
  if (pacing_) pace();
  const uint32_t t = now();
  // Counted for the frame rate only: every machine's tick is the network's, focus or not.
  form_.DXTimer.idle(t);
  ++ticks_;
  runFrame(kNetTickMs, kNetTickMs, t);
  if (form_.net) form_.net->afterFrame();
}

void Loop::runFrame(int32_t lag, uint32_t recordedMs, uint32_t t) {
  if (parts_.recorder) parts_.recorder->frame(recordedMs);
  timerBase_ = t;
  const int64_t started = wallMicroseconds();
  guarded([&] { form_.DXTimerTimer(lag); });
  frameTimes_.add(wallMicroseconds() - started, form_.lastPhases());
  for (int64_t at : options_.screenshotAt)
    if (at == ticks_) guarded([&] { screenshotAt(at); });
  if (parts_.recorder && !parts_.recorder->flush()) reportRecordingLost();
}

void Loop::printStats() {
  const int64_t gameMs = scriptedClock_ ? clock_ : platform_.ticks() - startTicks_;
  std::string line = statsLine(ticks_, gameMs, residentMemoryKb(), takeCensus(form_.SpriteEngine.engine),
                               frameTimes_, platform_.presentationName());
  if (const NetPlay* net = form_.net.get(); net && net->inMatch()) {
    NetFigures f;
    f.matchTick = net->tick();
    f.worldHash = net->worldHashNow();
    f.waits = bundleWaits_;
    if (const Session* session = net->session()) {
      f.delay = session->delay();
      f.roundTripMs = session->roundTripMs();
      f.sentBytes = session->link().bytesSent();
      f.receivedBytes = session->link().bytesReceived();
    }
    line += netStatsWords(f);
  }
  bundleWaits_ = {};
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  frameTimes_ = {};
}

void Loop::pace() {
  int32_t ahead = static_cast<int32_t>(paceBase_ + clock_ - platform_.ticks());
  if (ahead > kLongestReplayWaitMs) {
    paceBase_ -= static_cast<uint32_t>(ahead - kLongestReplayWaitMs);
    ahead = kLongestReplayWaitMs;
  }
  if (ahead > 0) platform_.delay(static_cast<uint32_t>(ahead));
}

void Loop::setStep(int64_t ms) {
  // A run on the real clock goes over to counted steps from where the clock stands.
  if (!scriptedClock_) clock_ = platform_.ticks();
  scriptedClock_ = true;
  step_ = static_cast<uint32_t>(ms);
  // The headless clock and mixer keep pace with the frames, so recorded sound stays in step.
  if (parts_.headless) parts_.headless->setStep(step_);
}

void Loop::activateTimer() {
  timerBase_ = now();
  form_.DXTimer.activate(timerBase_);
}

// --exec lines, each as if typed into the console: echoed, then run. A line that fails is reported
// and the next one still runs.
void Loop::runExecLines() {
  for (const std::string& line : options_.exec) {
    if (ending()) break;
    submit(utf8ToCp1251(line));
  }
}

void Loop::startMatch(const MatchSetup& setup) {
  if (parts_.recorder) parts_.recorder->match(setup);
  form_.startMatch(setup);
}

void Loop::submit(const std::string& line) {
  if (parts_.recorder) parts_.recorder->consoleLine(line);
  guarded([&] { form_.Console->submit(line); });
}

void Loop::screenshotAt(int64_t at) {
  if (form_.saveScreenshotRect({0, 0, form_.DXDraw.width(), form_.DXDraw.height()})) return;
  errors_.report(format("--screenshot-at %lld: no screenshot taken (%s)", static_cast<long long>(at),
                        form_.screenshotCooldown > 0 ? "another was saved less than 10 ticks before"
                                                     : "scr001.bmp to scr999.bmp are all taken"));
}

void Loop::deliverScript() {
  HeadlessPlatform* headless = parts_.headless;
  while (!ending() && nextScripted_ < script_.size() && script_[nextScripted_].tick <= ticks_) {
    const TimedEvent& timed = script_[nextScripted_++];
    switch (timed.kind) {
      case ScriptedKind::ConsoleLine:
        submit(timed.consoleLine);
        break;
      case ScriptedKind::MouseRelative:
        // Only the headless mouse can be moved by a script; a real one is the player's.
        if (headless)
          headless->moveMouse(static_cast<int>(timed.values[0]), static_cast<int>(timed.values[1]),
                              static_cast<int>(timed.values[2]));
        break;
      case ScriptedKind::Lag:
        setStep(timed.values[0]);
        break;
      case ScriptedKind::Pad:
        // Like the mouse's movement, only the headless pads take a script's word.
        if (headless) {
          DeviceState state = headless->deviceState();
          state.pads[static_cast<size_t>(timed.values[0])] = padState(timed);
          headless->setDeviceState(state);
        }
        break;
      case ScriptedKind::PlatformEvent:
        if (headless)
          applyToDevices(*headless, timed.event);
        else
          dispatch(timed.event);
        break;
      default:
        break;  // a recording's words; a script has none
    }
  }
}

// A recording's lines reach the game as they did when it was made: events straight to the window's
// handlers, console lines through the console, and the devices' state to the replaying platform.
void Loop::deliverRecorded() {
  while (!ending() && nextScripted_ < script_.size() && script_[nextScripted_].tick <= ticks_) {
    const TimedEvent& line = script_[nextScripted_++];
    switch (line.kind) {
      case ScriptedKind::PlatformEvent:
        dispatch(line.event);
        break;
      case ScriptedKind::ConsoleLine:
        submit(line.consoleLine);
        break;
      case ScriptedKind::Match:
        startMatch({.level = line.consoleLine,
                    .bots = static_cast<int32_t>(line.values[0]),
                    .skill = static_cast<int32_t>(line.values[1]),
                    .hotseat = line.values[2] != 0,
                    .fragLimit = recordedLimit(line.values[3]),
                    .timeLimit = recordedLimit(line.values[4])});
        break;
      case ScriptedKind::Lag:
        setStep(line.values[0]);
        break;
      case ScriptedKind::NetName:
      case ScriptedKind::NetMatch:
      case ScriptedKind::NetPerson:
        // A recorded network match plays from its bundles' lines, without a network.
        if (!form_.net) form_.net = NetPlay::replay(form_);
        guarded([&] { form_.net->replayLine(line); });
        break;
      default:
        parts_.replay->apply(line);
        break;
    }
  }
}

void Loop::dispatch(const Event& e) {
  if (parts_.recorder) parts_.recorder->event(e);
  guarded([&] {
    switch (e.kind) {
      case EventKind::KeyDown:
        form_.FormKeyDown(e.key, e.shift);
        break;
      case EventKind::KeyUp:
        break;
      case EventKind::Char:
        form_.FormKeyPress(e.ch);
        break;
      case EventKind::MouseDown:
        form_.DXDrawMouseDown(e.x, e.y, e.shift);
        break;
      case EventKind::MouseMove:
        form_.DXDrawMouseMove(e.x, e.y);
        break;
      case EventKind::MouseUp:
        form_.DXDrawMouseUp(e.x, e.y);
        break;
      case EventKind::WheelUp:
        form_.FormMouseWheelUp();
        break;
      case EventKind::WheelDown:
        form_.FormMouseWheelDown();
        break;
      case EventKind::FocusGained:
        activateTimer();
        break;
      case EventKind::FocusLost:
        form_.DXTimer.deactivate();
        break;
      case EventKind::Quit:
        quit_ = true;
        break;
    }
  });
}

void Loop::waitForMessages() {
  if (options_.headless) return;
  Event event;
  while (!ending() && form_.dialog.open()) {
    while (!ending() && platform_.pollEvent(event)) dispatch(event);
    if (ending()) break;
    tick();
  }
}

// While a recording plays the person watching does not play: Esc stops it, and the window may close.
void Loop::watchForStop(const Event& e) {
  if (e.kind == EventKind::Quit || (e.kind == EventKind::KeyDown && e.key == 27)) quit_ = true;
}

}  // namespace mv
