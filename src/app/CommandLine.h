#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scene/RunMode.h"

namespace warpix {

// What the program is asked to do. Screensaver switches ("/s", "-c", "p",
// "/a", "-r42" as the second argument) and long options are read by one
// parser, so they combine the same way everywhere.
struct CommandLine {
  enum class Action {
    Run,            // the run mode decides
    Help,
    Version,
    PrintSettings,
    Render,
    Error,          // bad long option: usage to stderr, exit 2
  };

  Action action = Action::Run;
  RunMode mode = RunMode::Configure;
  std::optional<std::int32_t> seed;
  std::string windowArgument;  // the second argument of /a and /p
  std::optional<unsigned long> windowId;
  bool root = false;
  std::string renderDir;
  int width = 0;
  int height = 0;
  int monitors = 1;
  int operations = 20;
  std::string configDir;
  std::string logOpsPath;
  // Settings given on the command line for this run only (XScreenSaver
  // passes its hack settings this way); never written back.
  struct SettingOverride {
    std::string key;  // the settings key, e.g. "DoImage"
    std::int32_t value = 0;
  };
  std::vector<SettingOverride> overrides;
  std::string error;

  static CommandLine parse(const std::vector<std::string>& args);
  static std::string usage(const std::string& program);
  // An X window number as XScreenSaver writes it ("0x1C00007") or in
  // decimal; nothing for text that is not a number above 0 of 32 bits.
  static std::optional<unsigned long> parseWindowId(const std::string& text);
};

// A decimal number read the way the C library's atoi reads it: leading
// blanks, a sign, digits; anything else stops it, and no digits give 0.
std::int32_t readDecimal(const std::string& text);

}  // namespace warpix
