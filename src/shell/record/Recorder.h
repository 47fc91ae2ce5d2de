#pragma once
// Writes a recording (Recording.h) while the game runs: the header at once, then each tick's lines as
// they happen. The file grows beside the one named and takes its place at the first frame, so a start
// that fails leaves an earlier recording of that name as it was. From then on every frame is flushed,
// and a run that ends badly still leaves a file that replays up to its last frame, which is when a
// recording is wanted most.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ReplacingFile.h"
#include "shell/MatchStart.h"
#include "shell/record/PlatformRelay.h"
#include "shell/record/Recording.h"

namespace mv {

class Recorder {
 public:
  // Throws "Cannot create file %s".
  Recorder(const std::string& path, uint32_t seed, const std::vector<DataFile>& data);

  // The tick the following lines belong to.
  void setTick(int64_t tick) { tick_ = tick; }

  void match(const MatchSetup& setup);
  // Words of a kind the recorder does not make itself (a network match's, NetRecording.h).
  void note(const std::string& words) { line(words); }
  void consoleLine(const std::string& line);  // Windows-1251
  void event(const Event& event);
  // The frame of this tick runs after elapsedMs on the clock.
  void frame(uint32_t elapsedMs);
  // What the devices reported to the frame: only what changed since the previous poll is written.
  void polled(const DeviceState& state);
  void polledFocus(bool focus);
  void pointer(int x, int y);
  // The frame is over: everything so far goes to the disk, in place of the file named. False once
  // writing has failed.
  bool flush();
  // Writes the end and closes the file; false when anything written was lost.
  bool end(int64_t tick);

  const std::string& path() const { return out_.target(); }

 private:
  void line(const std::string& words);

  ReplacingFile out_;
  int64_t tick_ = 0;
  DeviceState last_;
  bool focus_ = true;
  int pointerX_ = 0, pointerY_ = 0;
  bool pointerKnown_ = false;
};

// The platform the game sees while recording: the real one, with what the game reads of the devices
// written down as it is read.
class RecordingPlatform : public PlatformRelay {
 public:
  RecordingPlatform(Platform& inner, Recorder& recorder) : PlatformRelay(inner), recorder_(recorder) {}

  DeviceState pollDevices() override;
  bool hasFocus() const override;
  void pointerPosition(int& x, int& y) const override;

 private:
  Recorder& recorder_;
};

}  // namespace mv
