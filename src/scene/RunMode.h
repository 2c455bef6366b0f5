#pragma once

namespace warpix {

// Run modes, numbered as the screensaver switches have always numbered them.
enum class RunMode : int {
  Undecided = 0,
  ChangePassword = 1,
  Preview = 3,
  Configure = 4,
  FullScreen = 5,
};

}  // namespace warpix
