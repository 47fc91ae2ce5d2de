#include "shell/Program.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/HeadlessPlatform.h"
#include "shell/CommandLine.h"
#include "shell/InputScript.h"
#include "shell/MainForm.h"

namespace mv {
namespace {

constexpr uint32_t kHeadlessStepMs = 16;

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
  }

  // Runs until the window closes or the asked number of ticks has run.
  int run() {
    form_.DXTimer.activate(now());
    while (!quit_) {
      if (options_.frames && ticks_ >= *options_.frames) break;
      deliverScript();
      Event event;
      while (platform_.pollEvent(event)) dispatch(event);
      if (quit_ || form_.closeRequested()) break;
      tick();
    }
    return 0;
  }

 private:
  uint32_t now() { return fixedLag_ ? clock_ : platform_.ticks(); }

  void tick() {
    if (fixedLag_) clock_ += fixedLag_;
    int32_t lag = form_.DXTimer.idle(now());
    if (lag == 0) {
      platform_.delay(1);  // inactive: give the processor away
      return;
    }
    guarded([&] { form_.DXTimerTimer(lag); });
    ++ticks_;
    for (int64_t at : options_.screenshotAt)
      if (at == ticks_) guarded([&] { form_.saveScreenshot(); });
  }

  void deliverScript() {
    while (nextScripted_ < script_.size() && script_[nextScripted_].tick <= ticks_) {
      const Event& e = script_[nextScripted_++].event;
      if (auto* headless = dynamic_cast<HeadlessPlatform*>(&platform_)) {
        applyToDevices(*headless, e);
      } else {
        dispatch(e);
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
  bool quit_ = false;
};

// Options that parse but whose behaviour is not in the game yet.
std::string unavailableOption(const CommandLine& o) {
  if (!o.match.empty()) return "--match";
  if (o.hotseat) return "--hotseat";
  if (!o.exec.empty()) return "--exec";
  return {};
}

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
  if (std::string missing = unavailableOption(options); !missing.empty()) {
    std::fprintf(stderr, "mashvolt: %s is not available in this version yet\n%s", missing.c_str(),
                 usageText().c_str());
    return 2;
  }

  std::vector<TimedEvent> script;
  std::unique_ptr<Platform> platform;
  try {
    if (!options.input.empty()) script = loadInputScript(options.input);
    if (options.headless)
      platform = createHeadlessPlatform(options.lag.value_or(kHeadlessStepMs));
    else
      platform = createSdlPlatform(PlatformOptions{.windowed = options.window});
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mashvolt: %s\n", e.what());
    return 1;
  }

  try {
    TMainForm form(*platform);
    form.fixedSeed = options.seed;
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
