#pragma once
// Writes 16-bit PCM as a WAV file while it is produced: the headless run's recording of what the mixer
// played. The header's lengths are filled in when the file is closed (or the writer destroyed).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace mv {

class WaveFileWriter {
 public:
  // "Cannot create file %s" when the file cannot be opened for writing.
  WaveFileWriter(const std::string& path, int rate, int channels);
  ~WaveFileWriter();
  WaveFileWriter(const WaveFileWriter&) = delete;
  WaveFileWriter& operator=(const WaveFileWriter&) = delete;

  // Appends interleaved frames. Past what a WAV file can hold (4 GB) the rest is dropped.
  void write(const int16_t* samples, size_t frames);
  // Completes the header and closes the file; later writes are dropped.
  void close();

  uint64_t framesWritten() const { return frames_; }

 private:
  std::FILE* file_ = nullptr;
  int rate_;
  int channels_;
  uint64_t frames_ = 0;
};

}  // namespace mv
