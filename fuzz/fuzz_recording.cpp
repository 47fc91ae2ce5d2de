// Arbitrary bytes as the body of a recording of this build, and as a timed-input script: reading either
// succeeds or reports an error, never more. What a recording says is played to the replaying platform,
// and every window event read is written back and must read the same.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/HeadlessPlatform.h"
#include "shell/record/InputScript.h"
#include "shell/record/Recording.h"
#include "shell/record/ReplayPlatform.h"

namespace {

void checkEventsReadBack(const std::vector<mv::TimedEvent>& events) {
  for (const mv::TimedEvent& timed : events) {
    if (timed.kind != mv::ScriptedKind::PlatformEvent) continue;
    std::vector<mv::TimedEvent> back;
    mv::parseTimedLine("0 " + mv::formatEvent(timed.event), 1, true, "back", back);
    const mv::Event& a = timed.event;
    const mv::Event& b = back.at(0).event;
    if (a.kind != b.kind || a.key != b.key || a.ch != b.ch || a.x != b.x || a.y != b.y) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string body(reinterpret_cast<const char*>(data), size);
  try {
    mv::Recording recording = mv::parseRecording(mv::recordingHeader(1, {}) + body, "fuzz");
    checkEventsReadBack(recording.events);
    auto real = mv::createHeadlessPlatform(16);
    mv::ReplayPlatform replay(*real);
    for (const mv::TimedEvent& line : recording.events) {
      replay.apply(line);
      (void)replay.pollDevices();
    }
  } catch (const mv::Error&) {
  }
  try {
    checkEventsReadBack(mv::parseInputScript(body));
  } catch (const mv::Error&) {
  }
  return 0;
}
