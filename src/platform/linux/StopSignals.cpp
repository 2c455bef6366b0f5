#include "platform/linux/StopSignals.h"

namespace warpix {

namespace {
volatile std::sig_atomic_t stopRaised = 0;

extern "C" void onStopSignal(int) { stopRaised = 1; }
}  // namespace

StopSignals::StopSignals() {
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking call may return early, which only shortens a wait.
  action.sa_flags = 0;
  sigaction(SIGTERM, &action, &oldTerm_);
  sigaction(SIGINT, &action, &oldInt_);
}

StopSignals::~StopSignals() {
  sigaction(SIGTERM, &oldTerm_, nullptr);
  sigaction(SIGINT, &oldInt_, nullptr);
}

bool StopSignals::raised() { return stopRaised != 0; }

void StopSignals::clear() { stopRaised = 0; }

}  // namespace warpix
