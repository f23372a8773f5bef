#pragma once
// A named pipe for the tests of readers that must refuse anything but a regular file,
// with a watcher that tells whether the program opened it for reading. The watcher
// keeps trying to open the pipe's write end without waiting, which succeeds only while
// a reader holds the pipe; it closes it again at once, so a reader blocked on the pipe
// sees its end and the test goes on instead of hanging.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace test_support {

class WatchedPipe {
 public:
  explicit WatchedPipe(std::string path) : path_(std::move(path)) {
    made_ = ::mkfifo(path_.c_str(), 0600) == 0;
    if (made_) watcher_ = std::thread([this] { watch(); });
  }
  ~WatchedPipe() {
    stop_ = true;
    if (watcher_.joinable()) watcher_.join();
    ::unlink(path_.c_str());
  }
  WatchedPipe(const WatchedPipe&) = delete;
  WatchedPipe& operator=(const WatchedPipe&) = delete;

  const std::string& path() const { return path_; }
  // The pipe could be made.
  bool made() const { return made_; }
  // Something opened the pipe for reading since it was made.
  bool opened() const { return opened_; }

 private:
  void watch() {
    while (!stop_) {
      const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        opened_ = true;
        ::close(fd);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

  std::string path_;
  bool made_ = false;
  std::atomic<bool> stop_{false};
  std::atomic<bool> opened_{false};
  std::thread watcher_;
};

}  // namespace test_support
