#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include "settings/RegSettings.h"

namespace warpix {
namespace {

CommandLine parse(std::vector<std::string> args) { return CommandLine::parse(args); }

TEST(CommandLine, ScreensaverSwitchesIgnoreCaseAndPrefix) {
  for (const char* s : {"/s", "-s", "s", "/S", "-S", "S"}) EXPECT_EQ(parse({s}).mode, RunMode::FullScreen) << s;
  for (const char* c : {"/c", "-C", "c"}) EXPECT_EQ(parse({c}).mode, RunMode::Configure) << c;
  EXPECT_EQ(parse({"/p", "1234"}).mode, RunMode::Preview);
  EXPECT_EQ(parse({"/p", "1234"}).windowArgument, "1234");
  EXPECT_EQ(parse({"-a", "77"}).mode, RunMode::ChangePassword);
  EXPECT_EQ(parse({"/a"}).mode, RunMode::ChangePassword);
}

TEST(CommandLine, AnythingElseOpensTheSettings) {
  EXPECT_EQ(parse({}).mode, RunMode::Configure);
  // The whole rest of the argument must match the letter.
  EXPECT_EQ(parse({"/c:1234"}).mode, RunMode::Configure);
  EXPECT_EQ(parse({"/sx"}).mode, RunMode::Configure);
  EXPECT_EQ(parse({"//s"}).mode, RunMode::Configure);
  EXPECT_EQ(parse({"-"}).mode, RunMode::Configure);
  EXPECT_EQ(parse({"x"}).mode, RunMode::Configure);
  EXPECT_EQ(parse({"x"}).action, CommandLine::Action::Run);
}

TEST(CommandLine, SecondArgumentWithRSeedsTheRun) {
  EXPECT_EQ(parse({"/s", "-r42"}).seed, 42);
  EXPECT_EQ(parse({"/s", "/r-7"}).seed, -7);
  // Only the second character counts, and the number is read like atoi.
  EXPECT_EQ(parse({"/s", "xr12abc"}).seed, 12);
  EXPECT_EQ(parse({"/s", "-rabc"}).seed, 0);
  EXPECT_EQ(parse({"/s", "-r"}).seed, 0);
  EXPECT_FALSE(parse({"/s"}).seed.has_value());
  EXPECT_FALSE(parse({"/s", "-x42"}).seed.has_value());
  // The long forms.
  EXPECT_EQ(parse({"--seed", "9", "/s"}).seed, 9);
  EXPECT_EQ(parse({"/s", "-r", "5"}).seed, 5);
  EXPECT_EQ(parse({"--render", "out", "-r", "-3"}).seed, -3);
}

TEST(CommandLine, LongOptionsMixWithSwitches) {
  const CommandLine r = parse({"--render", "out", "--size", "640x480", "--monitors", "2", "--operations=7",
                               "--config-dir", "cfg", "--log-ops", "ops.jsonl"});
  EXPECT_EQ(r.action, CommandLine::Action::Render);
  EXPECT_EQ(r.mode, RunMode::FullScreen);
  EXPECT_EQ(r.renderDir, "out");
  EXPECT_EQ(r.width, 640);
  EXPECT_EQ(r.height, 480);
  EXPECT_EQ(r.monitors, 2);
  EXPECT_EQ(r.operations, 7);
  EXPECT_EQ(r.configDir, "cfg");
  EXPECT_EQ(r.logOpsPath, "ops.jsonl");

  EXPECT_EQ(parse({"--help"}).action, CommandLine::Action::Help);
  EXPECT_EQ(parse({"-s", "--version"}).action, CommandLine::Action::Version);
  EXPECT_EQ(parse({"--print-settings", "--config-dir", "d"}).action, CommandLine::Action::PrintSettings);
  const CommandLine w = parse({"--window-id", "0x1c00007"});
  EXPECT_EQ(w.mode, RunMode::FullScreen);
  EXPECT_EQ(w.windowId, 0x1c00007ul);
  // Stock hacks are started with "--root"; older configurations say "-root".
  for (const char* root : {"-root", "--root"}) {
    EXPECT_TRUE(parse({root}).root) << root;
    EXPECT_EQ(parse({root}).mode, RunMode::FullScreen) << root;
    EXPECT_EQ(parse({root, "--do-image", "5"}).overrides.size(), 1u) << root;
  }
  EXPECT_EQ(parse({"--root=1"}).action, CommandLine::Action::Error);
}

TEST(CommandLine, BadLongOptionsAreErrors) {
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"--bogus"},
           {"--render"},
           {"--size", "640"},
           {"--size", "0x480"},
           {"--size", "640x480x2"},
           {"--monitors", "0"},
           {"--operations", "-1"},
           {"--seed", "12ab"},
           {"--seed", "99999999999"},
           {"--window-id", "zz"},
           {"--help=yes"},
       }) {
    const CommandLine cl = CommandLine::parse(bad);
    EXPECT_EQ(cl.action, CommandLine::Action::Error) << bad[0];
    EXPECT_FALSE(cl.error.empty());
  }
}

TEST(CommandLine, UsageNamesEveryOption) {
  const std::string text = CommandLine::usage("warpix");
  for (const char* option : {"--help", "--version", "--window-id", "--render", "--size", "--monitors",
                             "--operations", "--seed", "--config-dir", "--log-ops", "--print-settings", "--root"})
    EXPECT_NE(text.find(option), std::string::npos) << option;
}

TEST(CommandLine, WindowIdsAreHexWithPrefixOrDecimal) {
  // XScreenSaver writes "0x%lX"; people type decimal, leading zeros included.
  EXPECT_EQ(CommandLine::parseWindowId("0x1C00007"), 0x1C00007ul);
  EXPECT_EQ(CommandLine::parseWindowId("0Xabc"), 0xABCul);
  EXPECT_EQ(CommandLine::parseWindowId("29360135"), 29360135ul);
  EXPECT_EQ(CommandLine::parseWindowId("0100"), 100ul);
  EXPECT_EQ(CommandLine::parseWindowId("0xFFFFFFFF"), 0xFFFFFFFFul);
  for (const char* bad : {"", "0", "0x", "0x0", "-5", "+5", "12ab", "0x1g", " 12", "0x100000000", "4294967296"})
    EXPECT_FALSE(CommandLine::parseWindowId(bad).has_value()) << bad;
  EXPECT_EQ(parse({"-window-id", "0x2a"}).windowId, 42ul);
}

TEST(CommandLine, SettingOptionsAreKeptInOrderWithinTheirRanges) {
  const CommandLine cl = parse({"-root", "--do-image", "100", "--do-mangle=0", "--delay", "60", "--image-pause",
                                "3600", "--image-period", "0", "--do-image", "7"});
  ASSERT_EQ(cl.overrides.size(), 6u);
  EXPECT_EQ(cl.overrides[0].key, "DoImage");
  EXPECT_EQ(cl.overrides[0].value, 100);
  EXPECT_EQ(cl.overrides[1].key, "DoMangle");
  EXPECT_EQ(cl.overrides[1].value, 0);
  EXPECT_EQ(cl.overrides[2].key, "DelayBetweenDrawings");
  EXPECT_EQ(cl.overrides[3].key, "ImagePause");
  EXPECT_EQ(cl.overrides[3].value, 3600);
  EXPECT_EQ(cl.overrides[4].key, "ImagePeriod");
  // A repeated option: the later one is applied last and wins.
  EXPECT_EQ(cl.overrides[5].value, 7);
  EXPECT_EQ(cl.mode, RunMode::FullScreen);
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"--do-text", "x"}, {"--do-blur", "5x"}, {"--delay"}}) {
    const CommandLine b = CommandLine::parse(bad);
    EXPECT_EQ(b.action, CommandLine::Action::Error) << bad[0];
    EXPECT_TRUE(b.overrides.empty()) << bad[0];
  }
}

// The hack's sliders pass these options; each takes the range of its
// setting, from one end to the other, and --help says so.
TEST(CommandLine, SettingOptionsTakeTheRangeOfTheirSetting) {
  const std::vector<std::pair<std::string, std::string>> options = {
      {"do-image", "DoImage"},         {"do-surf", "DoSurf"},         {"do-mangle", "DoMangle"},
      {"do-blur", "DoBlur"},           {"do-text", "DoText"},         {"do-repaint", "DoRepaint"},
      {"delay", "DelayBetweenDrawings"}, {"image-pause", "ImagePause"}, {"image-period", "ImagePeriod"}};
  const std::string usage = CommandLine::usage("warpix");
  for (const auto& [option, key] : options) {
    const RegSettings::Field* field = RegSettings::findField(key);
    ASSERT_NE(field, nullptr) << key;
    const std::string range = std::to_string(field->lo) + " to " + std::to_string(field->hi);
    for (const std::int32_t end : {field->lo, field->hi}) {
      const CommandLine cl = parse({"--" + option, std::to_string(end)});
      ASSERT_EQ(cl.overrides.size(), 1u) << option << " " << end << ": " << cl.error;
      EXPECT_EQ(cl.overrides[0].key, key);
      EXPECT_EQ(cl.overrides[0].value, end);
    }
    for (const long long beyond : {field->lo - 1LL, field->hi + 1LL}) {
      const CommandLine cl = parse({"--" + option, std::to_string(beyond)});
      EXPECT_EQ(cl.action, CommandLine::Action::Error) << option << " " << beyond;
      EXPECT_EQ(cl.error, "--" + option + " needs a number from " + range);
    }
    const std::size_t at = usage.find("\n  --" + option + " N ");
    ASSERT_NE(at, std::string::npos) << option;
    const std::string line = usage.substr(at + 1, usage.find('\n', at + 1) - at - 1);
    EXPECT_NE(line.find(std::string(field->help) + ", " + range), std::string::npos) << line;
  }
  std::size_t withOption = 0;
  for (const RegSettings::Field& field : RegSettings::fields()) withOption += field.option.empty() ? 0 : 1;
  EXPECT_EQ(withOption, options.size());
}

TEST(CommandLine, ReadDecimalStopsAtTheFirstNonDigit) {
  EXPECT_EQ(readDecimal("12345"), 12345);
  EXPECT_EQ(readDecimal("  -12x"), -12);
  EXPECT_EQ(readDecimal("abc"), 0);
  EXPECT_EQ(readDecimal(""), 0);
  EXPECT_EQ(readDecimal("99999999999"), INT32_MAX);
}

}  // namespace
}  // namespace warpix
