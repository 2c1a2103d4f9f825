#include "files/held_signals.hpp"

namespace dorvix {

sigset_t stop_signal_set() {
  sigset_t stops;
  sigemptyset(&stops);
  for (const int s : stop_signals) sigaddset(&stops, s);
  return stops;
}

StopSignalsHeld::StopSignalsHeld() {
  const sigset_t stops = stop_signal_set();
  ::sigprocmask(SIG_BLOCK, &stops, &before_);
}

StopSignalsHeld::~StopSignalsHeld() { ::sigprocmask(SIG_SETMASK, &before_, nullptr); }

}  // namespace dorvix
