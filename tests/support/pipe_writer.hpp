#pragma once
// A named pipe for tests, and its writer: a thread of the test that waits
// for a reader to open the pipe (the program, or the test itself), writes
// the whole text and closes the pipe, so that the reader meets its end.
// The text must fit the pipe's buffer (64 KiB), so that no write waits;
// a pipe no reader opened leaves its writer to stop when the test ends.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace dorvix::testing {

class PipeWriter {
 public:
  PipeWriter(const std::filesystem::path& path, std::string text) {
    if (::mkfifo(path.c_str(), 0600) != 0) return;
    writer_ = std::thread([this, path, text = std::move(text)] {
      // A reader gone before the end gives the write an error, not the
      // whole test a SIGPIPE.
      sigset_t pipe_signal;
      sigemptyset(&pipe_signal);
      sigaddset(&pipe_signal, SIGPIPE);
      pthread_sigmask(SIG_BLOCK, &pipe_signal, nullptr);
      int fd = -1;
      while (!stop_ && (fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) < 0 && errno == ENXIO) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      if (fd < 0) return;
      for (std::size_t at = 0; at < text.size();) {
        const ssize_t n = ::write(fd, text.data() + at, text.size() - at);
        if (n < 0 && errno == EAGAIN && !stop_) continue;
        if (n <= 0) break;
        at += static_cast<std::size_t>(n);
      }
      ::close(fd);
    });
  }
  ~PipeWriter() {
    stop_ = true;
    if (writer_.joinable()) writer_.join();
  }
  PipeWriter(const PipeWriter&) = delete;
  PipeWriter& operator=(const PipeWriter&) = delete;

 private:
  std::atomic<bool> stop_ = false;
  std::thread writer_;
};

}  // namespace dorvix::testing
