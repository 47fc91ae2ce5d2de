#include "platform/ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Platform.h"

namespace mv {
namespace {

bool isOtherThanPlainFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

}  // namespace

ReplacingFile::ReplacingFile(const std::string& target) : target_(target) {
  if (isOtherThanPlainFile(target)) {
    written_ = target;
    placed_ = true;
    file_ = std::fopen(target.c_str(), "wb");
  } else {
    // A name of its own for each run, in the target's folder so that the rename stays on one disk.
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
      written_ = target + "." + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".part";
      const int fd = ::open(written_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0)
        file_ = ::fdopen(fd, "wb");
      else if (errno != EEXIST)
        break;
    }
  }
  if (!file_) throw PlatformError(format("Cannot create file %s", target.c_str()));
}

ReplacingFile::~ReplacingFile() {
  if (file_) std::fclose(file_);
  if (!placed_) ::unlink(written_.c_str());
}

bool ReplacingFile::write(const void* bytes, size_t count) {
  if (!failed_ && file_ && count > 0 && std::fwrite(bytes, 1, count, file_) != count) failed_ = true;
  return !failed_;
}

bool ReplacingFile::seek(long offset) {
  // What is buffered goes out first, where a full disk shows; a pipe that cannot seek loses nothing.
  return flush() && file_ && std::fseek(file_, offset, SEEK_SET) == 0;
}

bool ReplacingFile::flush() {
  if (!failed_ && file_ && std::fflush(file_) != 0) failed_ = true;
  return !failed_;
}

bool ReplacingFile::putInPlace() {
  if (!flush()) return false;
  if (!placed_) {
    if (std::rename(written_.c_str(), target_.c_str()) != 0) failed_ = true;
    placed_ = !failed_;
  }
  return !failed_;
}

bool ReplacingFile::close() {
  if (!file_) return !failed_;
  flush();
  // A full disk may only show when the last buffer goes out.
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  if (!failed_ && !placed_) putInPlace();
  return !failed_;
}

}  // namespace mv
