#pragma once
// A file written beside the one it is to replace and renamed over it when it is ready, so that a run
// that fails on the way leaves the file it was given as it was. A name that is not a plain file (a
// device such as /dev/null or /dev/full, a pipe) is written directly: there is nothing to keep, and a
// device must never be renamed over.

#include <cstddef>
#include <cstdio>
#include <string>

namespace mv {

class ReplacingFile {
 public:
  // "Cannot create file %s" (the target's name) when the file beside it cannot be made.
  explicit ReplacingFile(const std::string& target);
  // A file never put in place is removed.
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // False once any write has failed; nothing more is written after that.
  bool write(const void* bytes, size_t count);
  // False when the file cannot go back (a pipe), which loses nothing, or when writing has failed.
  bool seek(long offset);
  // Everything written so far reaches the file; false once writing has failed.
  bool flush();
  // Flushes and renames the file over the target; it stays open for more. False when it failed.
  bool putInPlace();
  // Flushes, closes and puts the file in place. False when anything since the start failed; the
  // target is then left as it was.
  bool close();

  bool failed() const { return failed_; }
  const std::string& target() const { return target_; }

 private:
  std::string target_;
  std::string written_;  // the file beside it, or the target itself when it is no plain file
  std::FILE* file_ = nullptr;
  bool placed_ = false;
  bool failed_ = false;
};

}  // namespace mv
