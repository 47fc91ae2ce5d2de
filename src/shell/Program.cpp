#include "shell/Program.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/Cp1251.h"
#include "platform/HeadlessPlatform.h"
#include "platform/ProcessStats.h"
#include "platform/WaveFileWriter.h"
#include "shell/CommandLine.h"
#include "shell/InputScript.h"
#include "shell/MainForm.h"
#include "shell/RunStats.h"

namespace mv {
namespace {

constexpr uint32_t kHeadlessStepMs = 16;
constexpr uint32_t kInactiveWaitMs = 16;

// Reports a failure as the application would: a message box in a window, a line on standard error
// headless. The same message coming back every frame would lock the game behind modal boxes, so each
// distinct message is shown once.
class ErrorReporter {
 public:
  explicit ErrorReporter(Platform& platform) : platform_(platform) {}
  void report(const std::string& message) {
    if (shown_.insert(message).second) platform_.messageBox("Mashvolt", message);
  }

 private:
  Platform& platform_;
  std::set<std::string> shown_;
};

class Loop {
 public:
  Loop(Platform& platform, TMainForm& form, const CommandLine& options, std::vector<TimedEvent> script)
      : platform_(platform), form_(form), options_(options), script_(std::move(script)), errors_(platform) {
    if (options.lag) fixedLag_ = static_cast<uint32_t>(*options.lag);
    else if (options.headless) fixedLag_ = kHeadlessStepMs;
    form_.OnError = [this](const std::string& message) { errors_.report(message); };
  }
  ~Loop() { form_.OnError = nullptr; }
  Loop(const Loop&) = delete;
  Loop& operator=(const Loop&) = delete;

  // Runs until the window closes, the game asks to quit, or the asked number of ticks has run.
  int run() {
    form_.DXTimer.activate(now());
    // A match asked for on the command line starts before the first frame; a level that does not
    // load ends the program like any other start-up failure.
    if (!options_.match.empty())
      form_.startMatch({.level = options_.match, .bots = options_.bots, .skill = options_.skill,
                        .hotseat = options_.hotseat});
    runExecLines();
    while (!ending()) {
      if (options_.frames && ticks_ >= *options_.frames) break;
      deliverScript();
      Event event;
      while (!ending() && platform_.pollEvent(event)) dispatch(event);
      if (ending()) break;
      tick();
      if (options_.statsEvery && ticks_ % *options_.statsEvery == 0) printStats();
    }
    return 0;
  }

  // --exec lines, each as if typed into the console: echoed, then run. A line that fails is reported
  // and the next one still runs.
  void runExecLines() {
    for (const std::string& line : options_.exec) {
      if (ending()) break;
      guarded([&] { form_.Console->submit(utf8ToCp1251(line)); });
    }
  }

 private:
  uint32_t now() { return fixedLag_ ? clock_ : platform_.ticks(); }
  // exit / quit from the console are honoured here, between frames and events, never inside one.
  bool ending() const { return quit_ || form_.quitRequested() || form_.closeRequested(); }

  // One turn of the loop. While the window lacks the focus no frame runs, but the turn still counts:
  // scripted events and --frames go on, so a script that takes the focus away also gives it back.
  void tick() {
    if (fixedLag_) clock_ += fixedLag_;
    int32_t lag = form_.DXTimer.idle(now());
    ++ticks_;
    if (lag == 0) {
      platform_.delay(fixedLag_ ? fixedLag_ : kInactiveWaitMs);  // inactive: give the processor away
      return;
    }
    const int64_t started = wallMicroseconds();
    guarded([&] { form_.DXTimerTimer(lag); });
    frameTimes_.add(wallMicroseconds() - started);
    for (int64_t at : options_.screenshotAt)
      if (at == ticks_) guarded([&] { screenshotAt(at); });
  }

  void printStats() {
    const std::string line =
        statsLine(ticks_, clock_, residentMemoryKb(), takeCensus(form_.SpriteEngine.engine), frameTimes_);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    frameTimes_ = {};
  }

  void screenshotAt(int64_t at) {
    if (form_.saveScreenshotRect({0, 0, form_.DXDraw.width(), form_.DXDraw.height()})) return;
    errors_.report(format("--screenshot-at %lld: no screenshot taken (%s)", static_cast<long long>(at),
                          form_.screenshotCooldown > 0 ? "another was saved less than 10 ticks before"
                                                       : "scr001.bmp to scr999.bmp are all taken"));
  }

  void deliverScript() {
    auto* headless = dynamic_cast<HeadlessPlatform*>(&platform_);
    while (!ending() && nextScripted_ < script_.size() && script_[nextScripted_].tick <= ticks_) {
      const TimedEvent& timed = script_[nextScripted_++];
      switch (timed.kind) {
        case ScriptedKind::ConsoleLine:
          guarded([&] { form_.Console->submit(timed.consoleLine); });
          break;
        case ScriptedKind::MouseRelative:
          // Only the headless mouse can be moved by a script; a real one is the player's.
          if (headless) headless->moveMouse(timed.event.x, timed.event.y);
          break;
        case ScriptedKind::PlatformEvent:
          if (headless)
            applyToDevices(*headless, timed.event);
          else
            dispatch(timed.event);
          break;
      }
    }
  }

  // Headless, a scripted event goes through the platform as a real one would: keys are held in the
  // polled keyboard too, the pointer follows mouse events, and focus changes come back as events.
  static void applyToDevices(HeadlessPlatform& headless, const Event& e) {
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

  void dispatch(const Event& e) {
    guarded([&] {
      switch (e.kind) {
        case EventKind::KeyDown: form_.FormKeyDown(e.key, e.shift); break;
        case EventKind::KeyUp: break;
        case EventKind::Char: form_.FormKeyPress(e.ch); break;
        case EventKind::MouseDown: form_.DXDrawMouseDown(e.x, e.y); break;
        case EventKind::MouseMove: form_.DXDrawMouseMove(e.x, e.y); break;
        case EventKind::MouseUp: form_.DXDrawMouseUp(e.x, e.y); break;
        case EventKind::WheelUp: form_.FormMouseWheelUp(); break;
        case EventKind::WheelDown: form_.FormMouseWheelDown(); break;
        case EventKind::FocusGained: form_.DXTimer.activate(now()); break;
        case EventKind::FocusLost: form_.DXTimer.deactivate(); break;
        case EventKind::Quit: quit_ = true; break;
      }
    });
  }

  template <typename F>
  void guarded(F&& f) {
    try {
      f();
    } catch (const std::exception& e) {
      errors_.report(e.what());
    }
  }

  Platform& platform_;
  TMainForm& form_;
  const CommandLine& options_;
  std::vector<TimedEvent> script_;
  size_t nextScripted_ = 0;
  ErrorReporter errors_;
  uint32_t fixedLag_ = 0;
  uint32_t clock_ = 0;
  int64_t ticks_ = 0;
  FrameTimes frameTimes_;  // since the last statistics line
  bool quit_ = false;
};

}  // namespace

int runProgram(int argc, char** argv) {
  ParseResult parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  const CommandLine& options = parsed.options;
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "mashvolt: %s\n%s", parsed.error.c_str(), usageText().c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(usageText().c_str(), stdout);
    return 0;
  }
  std::vector<TimedEvent> script;
  std::unique_ptr<WaveFileWriter> audioOut;  // outlives the platform that feeds it
  std::unique_ptr<Platform> platform;
  try {
    if (!options.input.empty()) script = loadInputScript(options.input);
    if (options.headless) {
      auto headless = createHeadlessPlatform(options.lag.value_or(kHeadlessStepMs));
      if (!options.audioOut.empty()) {
        audioOut = std::make_unique<WaveFileWriter>(options.audioOut, headless->mixer().outputRate(), 2);
        headless->setAudioSink(
            [out = audioOut.get()](const int16_t* frames, size_t count) { out->write(frames, count); });
      }
      platform = std::move(headless);
    } else
      platform = createSdlPlatform(PlatformOptions{.windowed = options.window});
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mashvolt: %s\n", e.what());
    return 1;
  }

  try {
    TMainForm form(*platform);
    form.fixedSeed = options.seed;
    // The data lies beside the program, wherever it is started from.
    form.state().dataFolder = platform->programFolder();
    form.FormCreate();
    form.show();
    Loop loop(*platform, form, options, std::move(script));
    return loop.run();
  } catch (const std::exception& e) {
    // A failure at start-up ends the program after it has been shown.
    platform->messageBox("Mashvolt", e.what());
    return 1;
  }
}

}  // namespace mv
