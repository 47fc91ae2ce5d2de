#include "shell/Program.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/HeadlessPlatform.h"
#include "platform/WaveFileWriter.h"
#include "shell/CommandLine.h"
#include "shell/GameFolders.h"
#include "shell/Loop.h"
#include "shell/MainForm.h"
#include "shell/record/InputScript.h"
#include "shell/record/Recorder.h"
#include "shell/record/Recording.h"
#include "shell/record/ReplayPlatform.h"

namespace mv {
namespace {

// The seed of a run: the command line's, the recording's, or the clock's as the game has always taken
// it. A recording must know it, so it is chosen here rather than inside the start-up.
std::optional<uint32_t> chooseSeed(const CommandLine& options, const std::optional<Recording>& replay) {
  if (replay) return replay->seed;
  if (options.seed || options.record.empty()) return options.seed;
  return static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
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
  const GameFolders folders = setUpGameFolders(findDataFolder(executableFolder()), userFolders());
  std::vector<TimedEvent> script;
  std::optional<Recording> replay;
  std::unique_ptr<WaveFileWriter> audioOut;  // outlives the platform that feeds it
  std::unique_ptr<Platform> platform;
  HeadlessPlatform* headless = nullptr;
  try {
    if (!options.input.empty()) script = loadInputScript(options.input);
    // Another build's recording is refused before any window opens.
    if (!options.replay.empty()) replay = loadRecording(earlierOutput(folders, options.replay));
    if (options.headless) {
      auto made = createHeadlessPlatform(options.lag.value_or(kHeadlessStepMs));
      headless = made.get();
      if (!options.audioOut.empty()) {
        audioOut = std::make_unique<WaveFileWriter>(placeIn(folders.output, options.audioOut),
                                                    made->mixer().outputRate(), 2);
        made->setAudioSink(
            [out = audioOut.get()](const int16_t* frames, size_t count) { out->write(frames, count); });
      }
      platform = std::move(made);
    } else
      platform = createSdlPlatform(PlatformOptions{.windowed = options.window, .renderer = options.renderer});
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mashvolt: %s\n", e.what());
    return 1;
  }

  // The game sees the real platform, or one that writes down or plays back what its devices report.
  std::unique_ptr<Recorder> recorder;
  std::unique_ptr<Platform> relay;
  ReplayPlatform* replayDevices = nullptr;
  const std::optional<uint32_t> seed = chooseSeed(options, replay);
  try {
    if (replay) {
      const std::string refusal =
          dataRefusal(*replay, options.replay, fingerprintGameData(folders.data, folders.config));
      if (!refusal.empty()) throw Error(refusal);
      auto devices = std::make_unique<ReplayPlatform>(*platform);
      replayDevices = devices.get();
      relay = std::move(devices);
    } else if (!options.record.empty()) {
      recorder = std::make_unique<Recorder>(placeIn(folders.output, options.record), *seed,
                                            fingerprintGameData(folders.data, folders.config));
      relay = std::make_unique<RecordingPlatform>(*platform, *recorder);
    }
  } catch (const std::exception& e) {
    platform->messageBox("Mashvolt", e.what());
    return 1;
  }
  Platform& gamePlatform = relay ? *relay : *platform;

  int status = 0;
  try {
    TMainForm form(gamePlatform);
    form.fixedSeed = seed;
    form.state().dataFolder = folders.data;
    form.state().configFolder = folders.config;
    form.state().outputFolder = folders.output;
    // A recording may come from anyone: what it types must not write over the watcher's files.
    form.state().fileWritesRefused = replayDevices != nullptr;
    // A run that is recorded or replayed must leave the next run's start as it found it.
    form.config.saving = !recorder && !replay;
    form.FormCreate();
    for (const std::string& notice : folders.notices) form.Console->addLine(notice);
    // The command line has the last word over what the settings screen kept.
    if (options.window) gamePlatform.setFullScreen(false);
    form.show();
    Loop loop({.platform = gamePlatform,
               .headless = headless,
               .recorder = recorder.get(),
               .replay = replayDevices,
               .replayEnd = replay ? replay->end : 0},
              form, options, replay ? std::move(replay->events) : std::move(script));
    status = loop.run();
  } catch (const std::exception& e) {
    // A failure at start-up ends the program after it has been shown; the files it was to write are
    // left as they were.
    platform->messageBox("Mashvolt", e.what());
    return 1;
  }
  if (audioOut && !audioOut->close()) {
    platform->messageBox("Mashvolt", format("Cannot write file %s", audioOut->path().c_str()));
    return 1;
  }
  return status;
}

}  // namespace mv
