#pragma once

#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtkmm.h>

#include <chrono>
#include <string>
#include <thread>

namespace warpix::testing {

// A private Xvfb for the tests that need a real display, started once per
// process and ended with it, with GTK initialised on it. Never the user's
// own display: the tests click and type.
class TestDisplay {
 public:
  // True when GTK is ready on the test display.
  static bool ready() {
    static TestDisplay display;
    return display.ready_;
  }

 private:
  TestDisplay() {
    int fds[2];
    if (pipe(fds) != 0) return;
    server_ = fork();
    if (server_ == 0) {
      // A test that aborts takes its server with it.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x900x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (server_ < 0 || number.empty()) return;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    // The tests must not depend on the desktop's accessibility bus.
    setenv("NO_AT_BRIDGE", "1", 1);
    ready_ = gtk_init_check(nullptr, nullptr);
    if (ready_) Gtk::Main::init_gtkmm_internals();
  }
  ~TestDisplay() {
    if (server_ > 0) {
      kill(server_, SIGTERM);
      waitpid(server_, nullptr, 0);
    }
  }

  pid_t server_ = -1;
  bool ready_ = false;
};

// Runs the main loop until it has nothing left to do.
inline void settle() {
  while (Gtk::Main::events_pending()) Gtk::Main::iteration(false);
}

// Runs the main loop until `done` holds or ten seconds pass.
template <typename Done>
bool settleUntil(Done done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    if (!Gtk::Main::iteration(false)) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

}  // namespace warpix::testing
