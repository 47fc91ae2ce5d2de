// Arbitrary text as a file of timed input: it is read into events or refused with a message naming
// the line, and the events come out in the order of their ticks. They are then handed to a headless
// platform as the scripted run hands them, so the device state sees hostile codes and positions too.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Error.h"
#include "platform/HeadlessPlatform.h"
#include "shell/record/InputScript.h"

using namespace mv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<TimedEvent> events;
  try {
    events = parseInputScript(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const Error&) {
    return 0;
  }
  for (size_t i = 1; i < events.size(); ++i)
    if (events[i].tick < events[i - 1].tick) __builtin_trap();

  auto platform = createHeadlessPlatform(16);
  for (const TimedEvent& timed : events) {
    if (timed.kind == ScriptedKind::MouseRelative) platform->moveMouse(timed.event.x, timed.event.y);
    if (timed.kind != ScriptedKind::PlatformEvent) continue;
    if (timed.event.kind == EventKind::FocusGained || timed.event.kind == EventKind::FocusLost) {
      platform->setFocus(timed.event.kind == EventKind::FocusGained);
      continue;
    }
    platform->inject(timed.event);
  }
  Event e;
  while (platform->pollEvent(e)) {
  }
  (void)platform->pollDevices();
  return 0;
}
