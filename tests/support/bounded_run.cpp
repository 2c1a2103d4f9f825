#include "support/bounded_run.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>

#include "support/tools.hpp"

namespace dorvix::testing {

BoundedRun run_bounded(const std::string& program, const std::filesystem::path& dir, const std::string& input,
                       double seconds, std::size_t max_output, std::uintmax_t file_size_limit) {
  BoundedRun run;
  TempDir scratch;  // the input lives outside the run's directory
  const auto input_file = scratch / "input";
  write_file(input_file, input);

  int out[2];
  if (::pipe(out) != 0) return run;
  const pid_t pid = ::fork();
  if (pid < 0) return run;
  if (pid == 0) {
    const int in = ::open(input_file.c_str(), O_RDONLY);
    if (in < 0 || ::chdir(dir.c_str()) != 0) ::_exit(127);
    if (file_size_limit != 0) {
      const rlimit limit{static_cast<rlim_t>(file_size_limit), static_cast<rlim_t>(file_size_limit)};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(127);
      ::signal(SIGXFSZ, SIG_DFL);
    }
    ::dup2(in, 0);
    ::dup2(out[1], 1);
    ::dup2(out[1], 2);
    ::close(in);
    ::close(out[0]);
    ::close(out[1]);
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out[1]);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  std::array<char, 1 << 16> buffer{};
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      run.timed_out = true;
      break;
    }
    pollfd p{out[0], POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    const ssize_t n = ::read(out[0], buffer.data(), buffer.size());
    if (n <= 0) break;
    run.output.append(buffer.data(), static_cast<std::size_t>(n));
    if (run.output.size() > max_output) {
      run.overflowed = true;
      break;
    }
  }
  if (run.timed_out || run.overflowed) ::kill(pid, SIGKILL);
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  return run;
}

}  // namespace dorvix::testing
