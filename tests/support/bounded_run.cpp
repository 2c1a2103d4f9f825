#include "support/bounded_run.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <thread>

#include "support/tools.hpp"

namespace dorvix::testing {

namespace {

// True when the process `pid` is in `state` (its state in /proc: S sleeps,
// T is stopped).
bool in_state(pid_t pid, char state) {
  const std::string stat = read_file("/proc/" + std::to_string(pid) + "/stat");
  const auto name_end = stat.rfind(')');
  return name_end != std::string::npos && stat.compare(name_end, 3, std::string(") ") + state) == 0;
}
bool sleeping(pid_t pid) { return in_state(pid, 'S'); }

// Sends `first` and `second` to the process `pid` while it is stopped, so
// that it finds both pending when it goes on.
void send_together(pid_t pid, int first, int second) {
  ::kill(pid, SIGSTOP);
  while (!in_state(pid, 'T')) std::this_thread::sleep_for(std::chrono::microseconds(100));
  ::kill(pid, first);
  ::kill(pid, second);
  ::kill(pid, SIGCONT);
}

}  // namespace

BoundedRun run_bounded(const std::string& program, const std::filesystem::path& dir, const std::string& input,
                       double seconds, std::size_t max_output, std::uintmax_t file_size_limit,
                       const RunEvents& events) {
  BoundedRun run;
  TempDir scratch;  // the input lives outside the run's directory
  const auto input_file = scratch / "input";
  write_file(input_file, input);

  // The program's environment: the events' settings, then the test's own.
  std::vector<char*> environment;
  for (const std::string& e : events.environment) environment.push_back(const_cast<char*>(e.c_str()));
  for (char** e = environ; *e != nullptr; ++e) environment.push_back(*e);
  environment.push_back(nullptr);

  int out[2];
  int keyboard[2] = {-1, -1};  // the input kept open, written as the run reads it
  if (::pipe(out) != 0) return run;
  if (events.keep_input_open && ::pipe(keyboard) != 0) return run;
  const pid_t pid = ::fork();
  if (pid < 0) return run;
  if (pid == 0) {
    const int in = events.keep_input_open ? keyboard[0] : ::open(input_file.c_str(), O_RDONLY);
    if (in < 0 || ::chdir(dir.c_str()) != 0) ::_exit(127);
    for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ}) ::signal(s, SIG_DFL);
    if (file_size_limit != 0) {
      const rlimit limit{static_cast<rlim_t>(file_size_limit), static_cast<rlim_t>(file_size_limit)};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(127);
    }
    ::dup2(in, 0);
    ::dup2(out[1], 1);
    ::dup2(out[1], 2);
    ::close(in);
    if (events.keep_input_open) ::close(keyboard[1]);
    ::close(out[0]);
    ::close(out[1]);
    char* const arguments[] = {const_cast<char*>(program.c_str()), nullptr};
    ::execve(program.c_str(), arguments, environment.data());
    ::_exit(127);
  }
  ::close(out[1]);
  // A run that ends before it has read all its answers fails the write of
  // the rest, which must not end this process.
  struct sigaction ignore {}, before {};
  ignore.sa_handler = SIG_IGN;
  if (events.keep_input_open) {
    ::close(keyboard[0]);
    ::sigaction(SIGPIPE, &ignore, &before);
  }
  std::string typing = input;
  std::size_t typed = events.keep_input_open ? 0 : input.size();
  bool reading = true;
  bool paused = false;  // the output no longer read
  bool signalled = events.signal == 0;
  bool second_signalled = events.second_signal == 0;
  auto signalled_at = std::chrono::steady_clock::now();
  bool acted = !events.act;
  int status = 0;
  bool exited = false;

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  std::array<char, 1 << 16> buffer{};
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      run.timed_out = true;
      break;
    }
    // While the output is read, a program that sleeps with none of it
    // left unread waits for something else than its console.
    const auto waiting = [&] {
      int unread = 0;
      return run.output.find(events.waiting_after) != std::string::npos && sleeping(pid) &&
             (paused || (::ioctl(out[0], FIONREAD, &unread) == 0 && unread == 0));
    };
    const auto due = [&] { return events.when ? events.when() : waiting(); };
    if (!acted && typed == typing.size() && waiting()) {
      events.act();
      typing += events.more;
      acted = true;
    }
    if (acted && events.then_end_input && typed == typing.size() && keyboard[1] >= 0) {
      ::close(keyboard[1]);
      keyboard[1] = -1;
    }
    if (!signalled && due()) {
      if (events.together) {
        send_together(pid, events.signal, events.second_signal);
        second_signalled = true;
      } else {
        ::kill(pid, events.signal);
      }
      signalled = true;
      signalled_at = std::chrono::steady_clock::now();
    }
    if (signalled && !second_signalled &&
        std::chrono::steady_clock::now() - signalled_at > std::chrono::milliseconds(300) && sleeping(pid)) {
      ::kill(pid, events.second_signal);
      second_signalled = true;
    }
    if (!reading || paused) {  // the output is closed or not read: the end of the process is awaited
      if (::waitpid(pid, &status, WNOHANG) == pid) {
        exited = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(100));
      continue;
    }
    std::array<pollfd, 2> p{pollfd{out[0], POLLIN, 0}, pollfd{keyboard[1], POLLOUT, 0}};
    const nfds_t watched = typed < typing.size() ? 2 : 1;
    const bool watching = !signalled || !second_signalled || !acted;
    if (::poll(p.data(), watched, watching ? 0 : static_cast<int>(left.count())) < 0) continue;
    if (watching && p[0].revents == 0 && p[1].revents == 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(100));
      continue;
    }
    if (watched == 2 && (p[1].revents & (POLLOUT | POLLERR)) != 0) {
      const ssize_t n = ::write(keyboard[1], typing.data() + typed, typing.size() - typed);
      typed = n > 0 ? typed + static_cast<std::size_t>(n) : typing.size();  // a run that reads no more
    }
    if (p[0].revents == 0) continue;
    const ssize_t n = ::read(out[0], buffer.data(), buffer.size());
    if (n <= 0) break;
    run.output.append(buffer.data(), static_cast<std::size_t>(n));
    if (run.output.size() > max_output) {
      run.overflowed = true;
      break;
    }
    if (events.stop_reading_after != 0 && run.output.size() >= events.stop_reading_after) paused = true;
    if (events.close_output_after != 0 && run.output.size() >= events.close_output_after) {
      ::close(out[0]);
      out[0] = -1;
      reading = false;
    }
  }
  if (run.timed_out || run.overflowed) ::kill(pid, SIGKILL);
  if (out[0] >= 0) ::close(out[0]);
  if (keyboard[1] >= 0) ::close(keyboard[1]);
  if (!exited) ::waitpid(pid, &status, 0);
  if (events.keep_input_open) ::sigaction(SIGPIPE, &before, nullptr);
  if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  return run;
}

}  // namespace dorvix::testing
