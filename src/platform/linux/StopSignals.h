#pragma once

#include <csignal>

namespace warpix {

// SIGTERM and SIGINT ask the saver to end: the handler only raises a flag,
// which the window's event queue turns into a quit event. While an object
// exists the handlers are installed; the old ones come back when it goes.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  static bool raised();
  // For tests and for a run that starts again in the same process.
  static void clear();

 private:
  struct sigaction oldTerm_ {};
  struct sigaction oldInt_ {};
};

}  // namespace warpix
