#pragma once
// Writes 16-bit PCM as a WAV file while it is produced: the headless run's recording of what the mixer
// played. The file grows beside the one named and takes its place when it is closed with its lengths
// filled in; a writer destroyed without closing (a run that failed) leaves the named file as it was.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ReplacingFile.h"

namespace mv {

class WaveFileWriter {
 public:
  // "Cannot create file %s" when the file cannot be opened for writing.
  WaveFileWriter(const std::string& path, int rate, int channels);
  WaveFileWriter(const WaveFileWriter&) = delete;
  WaveFileWriter& operator=(const WaveFileWriter&) = delete;

  // Appends interleaved frames. Past what a WAV file can hold (4 GB) the rest is dropped; after a
  // failed write, everything.
  void write(const int16_t* samples, size_t frames);
  // Completes the header, closes the file and puts it in place; later writes are dropped. False when
  // any write or the close failed (a full disk): the named file is then left as it was.
  bool close();

  uint64_t framesWritten() const { return frames_; }
  const std::string& path() const { return file_.target(); }

 private:
  ReplacingFile file_;
  bool closed_ = false;
  int rate_;
  int channels_;
  uint64_t frames_ = 0;
};

}  // namespace mv
