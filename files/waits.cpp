#include "files/waits.hpp"

#include <poll.h>
#include <signal.h>

#include <cerrno>

#include "files/held_signals.hpp"
#include "files/stops.hpp"

namespace dorvix {

namespace {

// Waits until `fd` is ready for reading or for writing, or a stop signal
// cuts the wait short; false in the second case.
bool wait_for(int fd, bool write) {
  const sigset_t stops = stop_signal_set();
  sigset_t before;
  // The signals wait while the flag is looked at, and may come only
  // within the wait itself, which they end: none is missed.
  ::sigprocmask(SIG_BLOCK, &stops, &before);
  while (!waits_cut_short()) {
    pollfd ready{fd, static_cast<short>(write ? POLLOUT : POLLIN), 0};
    if (::ppoll(&ready, 1, nullptr, &before) >= 0 || errno != EINTR) break;
  }
  ::sigprocmask(SIG_SETMASK, &before, nullptr);
  return !waits_cut_short();
}

}  // namespace

bool wait_for_input(int fd) { return wait_for(fd, false); }

bool wait_for_room(int fd) {
  // A pipe that has room (or whose reader has gone) takes the write at
  // once: a stop signal cuts short only a wait, never a write that needs
  // none, so that a reader who reads gets the console's text whole.
  pollfd room{fd, POLLOUT, 0};
  if (::poll(&room, 1, 0) > 0) return true;
  return wait_for(fd, true);
}

}  // namespace dorvix
