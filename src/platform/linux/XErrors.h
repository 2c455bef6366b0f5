#pragma once

namespace warpix {

// Xlib's own answer to a protocol error is to end the process. A saver
// must not die because a window went away under it: ours while SDL tears
// down its connections after a key press, or the one another program lent
// us. install() puts in a process-wide handler that counts every error,
// passes over errors about windows and drawables that are gone and reports
// any other error on stderr, once per kind. The handler never calls back
// into Xlib (a library that does so from inside the callback can deadlock)
// and never ends the process. Call it before the display is opened, so
// libraries that chain to the previous handler chain to this one.
class XErrors {
 public:
  static void install();
  // Errors seen so far, reported or not: a caller compares the count
  // before and after a request it synchronised to learn whether it failed.
  static unsigned long count();

  // While one exists errors are counted but not reported, for requests
  // that may fail on purpose (probing for an extension that is refused).
  class Quiet {
   public:
    Quiet();
    ~Quiet();
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;
  };
};

}  // namespace warpix
