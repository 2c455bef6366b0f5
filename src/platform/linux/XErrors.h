#pragma once

namespace warpix {

// Xlib's own answer to a protocol error is to end the process. A saver
// must not die because a window went away under it: ours while SDL tears
// down its connections after a key press, or the one another program lent
// us. install() puts in a process-wide handler that passes over errors
// about windows and drawables that are gone and reports any other error on
// stderr, once per kind, without ending the process. Call it before the
// display is opened, so libraries that chain to the previous handler chain
// to this one.
class XErrors {
 public:
  static void install();
};

}  // namespace warpix
