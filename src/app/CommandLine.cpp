#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "settings/RegSettings.h"

namespace warpix {

namespace {

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// "/s", "-S" and "s" are the switch "s"; "/c:1234" is not "c".
bool isSwitch(const std::string& arg, char letter) {
  std::size_t i = 0;
  if (!arg.empty() && (arg[0] == '-' || arg[0] == '/')) i = 1;
  return arg.size() == i + 1 && std::tolower(static_cast<unsigned char>(arg[i])) == letter;
}

bool parseInt(const std::string& text, long long lo, long long hi, long long& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
  out = v;
  return true;
}

bool parseSize(const std::string& text, int& w, int& h) {
  const std::size_t x = lower(text).find('x');
  if (x == std::string::npos) return false;
  long long a = 0, b = 0;
  if (!parseInt(text.substr(0, x), 1, 16384, a) || !parseInt(text.substr(x + 1), 1, 16384, b)) return false;
  w = static_cast<int>(a);
  h = static_cast<int>(b);
  return true;
}

struct LongOption {
  const char* name;
  bool takesValue;
};

// The options that set one setting for this run are not here: they come
// from the settings table, with the ranges the settings are held to.
constexpr LongOption kLongOptions[] = {
    {"help", false},  {"version", false},   {"print-settings", false}, {"window-id", true},
    {"render", true}, {"size", true},       {"monitors", true},        {"operations", true},
    {"seed", true},   {"config-dir", true}, {"log-ops", true},         {"root", false},
};

const RegSettings::Field* findSettingOption(const std::string& name) {
  for (const RegSettings::Field& field : RegSettings::fields())
    if (!field.option.empty() && field.option == name) return &field;
  return nullptr;
}

// Applies a setting option; returns an error text, or empty when it is good.
std::string applySetting(CommandLine& cl, const RegSettings::Field& field, const std::string& value) {
  long long n = 0;
  if (!parseInt(value, field.lo, field.hi, n))
    return "--" + std::string(field.option) + " needs a number from " + std::to_string(field.lo) + " to " +
           std::to_string(field.hi);
  cl.overrides.push_back({std::string(field.key), static_cast<std::int32_t>(n)});
  return {};
}

const LongOption* findLong(const std::string& name) {
  for (const LongOption& o : kLongOptions)
    if (name == o.name) return &o;
  return nullptr;
}

// Applies one long option; returns an error text, or empty when it is good.
std::string applyLong(CommandLine& cl, const std::string& name, const std::string& value) {
  long long n = 0;
  if (name == "help") cl.action = CommandLine::Action::Help;
  else if (name == "version") cl.action = CommandLine::Action::Version;
  else if (name == "print-settings") cl.action = CommandLine::Action::PrintSettings;
  else if (name == "root") cl.root = true;
  else if (name == "config-dir") cl.configDir = value;
  else if (name == "log-ops") cl.logOpsPath = value;
  else if (name == "render") {
    cl.action = CommandLine::Action::Render;
    cl.renderDir = value;
  } else if (name == "window-id") {
    cl.windowId = CommandLine::parseWindowId(value);
    if (!cl.windowId) return "--window-id needs a window number (decimal or 0x hex)";
  } else if (name == "size") {
    if (!parseSize(value, cl.width, cl.height)) return "--size needs WIDTHxHEIGHT, each 1 to 16384";
  } else if (name == "monitors") {
    if (!parseInt(value, 1, 16, n)) return "--monitors needs a number from 1 to 16";
    cl.monitors = static_cast<int>(n);
  } else if (name == "operations") {
    if (!parseInt(value, 1, 1000000, n)) return "--operations needs a number from 1 to 1000000";
    cl.operations = static_cast<int>(n);
  } else if (name == "seed") {
    if (!parseInt(value, INT32_MIN, INT32_MAX, n)) return "--seed needs a 32-bit whole number";
    cl.seed = static_cast<std::int32_t>(n);
  }
  return {};
}

bool isDigits(const std::string& s) {
  if (s.empty()) return false;
  std::size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  if (i == s.size()) return false;
  for (; i < s.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
  return true;
}

// One line per setting option, "  --do-image N    frequency of photos, 0 to 100",
// the texts lined up in one column.
std::string settingOptionsUsage() {
  std::size_t column = 16;
  for (const RegSettings::Field& field : RegSettings::fields())
    if (!field.option.empty()) column = std::max(column, field.option.size() + 6);  // "--", " N", two blanks
  std::string text;
  for (const RegSettings::Field& field : RegSettings::fields()) {
    if (field.option.empty()) continue;
    std::string name = "--" + std::string(field.option) + " N";
    name.resize(column, ' ');
    text += "  " + name + std::string(field.help) + ", " + std::to_string(field.lo) + " to " +
            std::to_string(field.hi) + "\n";
  }
  return text;
}

}  // namespace

std::optional<unsigned long> CommandLine::parseWindowId(const std::string& text) {
  // Hex only with its prefix: a decimal number with a leading zero is
  // still decimal, not octal.
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string digits = hex ? text.substr(2) : text;
  if (digits.empty()) return std::nullopt;
  for (const char c : digits)
    if (!(hex ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c))))
      return std::nullopt;
  errno = 0;
  const unsigned long long v = std::strtoull(digits.c_str(), nullptr, hex ? 16 : 10);
  if (errno != 0 || v == 0 || v > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<unsigned long>(v);
}

std::int32_t readDecimal(const std::string& text) {
  const long long v = std::strtoll(text.c_str(), nullptr, 10);
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(v);
}

CommandLine CommandLine::parse(const std::vector<std::string>& args) {
  CommandLine cl;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool dashdash = arg.rfind("--", 0) == 0 && arg.size() > 2;
    // XScreenSaver passes its hack options with a single dash.
    const bool xssOption = arg == "-root" || arg == "-window-id";
    if (!dashdash && !xssOption) {
      // "-r SEED" as two words is the long form of the seed; "-r42" stays
      // positional so that the old second-argument rule reads it.
      if (arg == "-r" && i + 1 < args.size() && isDigits(args[i + 1])) {
        cl.seed = readDecimal(args[++i]);
        continue;
      }
      positional.push_back(arg);
      continue;
    }
    std::string name = arg.substr(dashdash ? 2 : 1), value;
    const std::size_t eq = name.find('=');
    const bool inlineValue = eq != std::string::npos;
    if (inlineValue) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    const LongOption* option = findLong(name);
    const RegSettings::Field* setting = option == nullptr ? findSettingOption(name) : nullptr;
    if (option == nullptr && setting == nullptr) {
      cl.action = Action::Error;
      cl.error = "unknown option '" + arg + "'";
      return cl;
    }
    const bool takesValue = setting != nullptr || option->takesValue;
    if (takesValue && !inlineValue) {
      if (i + 1 >= args.size()) {
        cl.action = Action::Error;
        cl.error = "option '--" + name + "' needs a value";
        return cl;
      }
      value = args[++i];
    } else if (!takesValue && inlineValue) {
      cl.action = Action::Error;
      cl.error = "option '--" + name + "' takes no value";
      return cl;
    }
    const std::string e = setting != nullptr ? applySetting(cl, *setting, value) : applyLong(cl, name, value);
    if (!e.empty()) {
      cl.action = Action::Error;
      cl.error = e;
      return cl;
    }
  }

  // The screensaver rules, on the arguments that are not long options.
  if (positional.size() >= 2 && positional[1].size() >= 2 && positional[1][1] == 'r')
    cl.seed = readDecimal(positional[1].substr(2));
  if (positional.empty() || isSwitch(positional[0], 'c')) {
    cl.mode = RunMode::Configure;
  } else if (isSwitch(positional[0], 'a')) {
    cl.mode = RunMode::ChangePassword;
    if (positional.size() >= 2) cl.windowArgument = positional[1];
  } else if (isSwitch(positional[0], 'p')) {
    cl.mode = RunMode::Preview;
    if (positional.size() >= 2) cl.windowArgument = positional[1];
  } else if (isSwitch(positional[0], 's')) {
    cl.mode = RunMode::FullScreen;
  } else {
    cl.mode = RunMode::Configure;
  }
  // A window to draw into, from the option or from XScreenSaver, means the
  // saver runs; so does -root.
  if (cl.windowId || cl.root) cl.mode = RunMode::FullScreen;
  if (cl.action == Action::Render) cl.mode = RunMode::FullScreen;
  return cl;
}

std::string CommandLine::usage(const std::string& program) {
  return "Usage: " + program + " [SWITCH] [OPTIONS]\n"
         "Photo Warpix: a photo screensaver that shows your pictures and warps, blurs,\n"
         "repaints and writes over them.\n"
         "\n"
         "Switches (as screensavers take them; '-', '/' or nothing before the letter):\n"
         "  -s              run the saver full screen over every monitor\n"
         "  -c              the settings dialog (also with no switch or an unknown one);\n"
         "                  needs a display\n"
         "  -p N            preview in window N: declined, ends at once\n"
         "  -a              change the saver password: not used on Linux, ends at once\n"
         "  -rSEED          as the second argument (e.g. '-s -r42'): repeat a run\n"
         "\n"
         "Options:\n"
         "  --window-id ID  draw into an existing X window (decimal or 0x hex);\n"
         "                  XSCREENSAVER_WINDOW in the environment does the same\n"
         "  --root, -root   draw into the window XScreenSaver gives, else the root window\n"
         "  --render DIR    run headless on a memory screen with virtual time and write\n"
         "                  DIR/NNNN.bmp after every operation\n"
         "  --size WxH      render size (default 1280x720)\n"
         "  --monitors N    split the render width into N equal monitors (default 1)\n"
         "  --operations N  operations to render (default 20)\n"
         "  --seed N, -r N  seed the run's random numbers (one seed gives one run)\n"
         "  --config-dir D  read and write the settings in folder D\n"
         "  --log-ops FILE  write one JSON line per operation to FILE\n"
         "  --print-settings  print every setting, its default, where files live and\n"
         "                  the pictures and skipped files of every image folder\n"
         "  --help          show this help\n"
         "  --version       show the version\n"
         "\n"
         "Settings for this run only (the stored settings stay as they are):\n" +
         settingOptionsUsage();
}

}  // namespace warpix
