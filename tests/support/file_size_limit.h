#pragma once
// A file-size limit on this process for the lifetime of the object, as a full disk
// stops a save: a write past the limit fails with EFBIG (file too large) instead of
// raising SIGXFSZ. Needs no privilege: only the soft limit is lowered, then put back.

#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <string>

#include "platform/textfile.h"

namespace test_support {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  // True when the limit is in force.
  bool active() const { return active_; }
  // The cause a user is told of a write stopped by the limit.
  static std::string cause() { return platform::systemCause(EFBIG); }

 private:
  rlimit saved_{};
  void (*previous_)(int) = SIG_DFL;
  bool active_ = false;
};

}  // namespace test_support
