#pragma once
// The three stop signals (SIGINT, SIGTERM, SIGHUP, files/stops.hpp) as a
// set, and holding them back for a few calls.

#include <signal.h>

namespace dorvix {

inline constexpr int stop_signals[] = {SIGINT, SIGTERM, SIGHUP};

// The three stop signals, as a set.
sigset_t stop_signal_set();

// Holds the stop signals back while it lives: one that comes meanwhile is
// handled once it ends. For the few calls that a second signal, which
// ends the run at once, must not find half done (a replacement making its
// temporary file, or giving it the old name).
class StopSignalsHeld {
 public:
  StopSignalsHeld();
  ~StopSignalsHeld();
  StopSignalsHeld(const StopSignalsHeld&) = delete;
  StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

 private:
  sigset_t before_;
};

}  // namespace dorvix
