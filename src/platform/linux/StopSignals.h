#pragma once

#include <csignal>

namespace warpix {

// SIGTERM, SIGINT and SIGHUP ask the saver to end: the handler only raises
// a flag, which the window's event queue turns into a quit event. While an
// object exists the handlers are installed; the old ones come back when it
// goes.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  static bool raised();
  // The signal that asked to stop, 0 when none did.
  static int which();
  // For tests and for a run that starts again in the same process.
  static void clear();
  // Ends the process by the signal that asked it to stop, with the
  // signal's default action, so that the parent sees how it ended. Does
  // nothing when no signal asked.
  static void endBySignal();

 private:
  struct sigaction oldTerm_ {};
  struct sigaction oldInt_ {};
  struct sigaction oldHup_ {};
};

}  // namespace warpix
