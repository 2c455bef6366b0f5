#include "platform/linux/StopSignals.h"

namespace warpix {

namespace {
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void onStopSignal(int sig) {
  // The first signal is the one the process ends by.
  if (stopSignal == 0) stopSignal = sig;
}
}  // namespace

StopSignals::StopSignals() {
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking call may return early, which only shortens a wait.
  action.sa_flags = 0;
  sigaction(SIGTERM, &action, &oldTerm_);
  sigaction(SIGINT, &action, &oldInt_);
  sigaction(SIGHUP, &action, &oldHup_);
}

StopSignals::~StopSignals() {
  sigaction(SIGTERM, &oldTerm_, nullptr);
  sigaction(SIGINT, &oldInt_, nullptr);
  sigaction(SIGHUP, &oldHup_, nullptr);
}

bool StopSignals::raised() { return stopSignal != 0; }

int StopSignals::which() { return stopSignal; }

void StopSignals::clear() { stopSignal = 0; }

void StopSignals::endBySignal() {
  const int sig = stopSignal;
  if (sig == 0) return;
  std::signal(sig, SIG_DFL);
  sigset_t unblock;
  sigemptyset(&unblock);
  sigaddset(&unblock, sig);
  sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
  std::raise(sig);
}

}  // namespace warpix
