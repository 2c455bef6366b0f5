#include "app/CSaverApp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/TempFolder.h"
#include "platform/headless/VirtualClock.h"
#include "platform/linux/KeyFileStore.h"
#include "settings/FakeShell.h"
#include "settings/RegSettings.h"

namespace warpix {
namespace {

using testing::FakeShell;
using testing::TempFolder;

// Sets an environment variable for one test and puts the old value back.
class EnvVar {
 public:
  EnvVar(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    if (value != nullptr) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ~EnvVar() {
    if (had_) ::setenv(name_, old_.c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

struct AppFixture {
  explicit AppFixture(std::vector<std::string> args, std::string dataFolder = "", std::uint64_t processId = 0,
                      std::uint64_t windowId = 0)
      : store(folder.str()),
        app(CommandLine::parse(args), {clock, shell, store, std::move(dataFolder),
                                       [this](const std::string& caption, const std::string& text) {
                                         errors.push_back(caption + "|" + text);
                                       },
                                       processId, windowId, kSamples}) {}
  static constexpr const char* kSamples = "/opt/warpix/samples";
  TempFolder folder;
  VirtualClock clock{123456};
  FakeShell shell;
  KeyFileStore store;
  std::vector<std::string> errors;
  CSaverApp app;
};

TEST(CSaverApp, SeedComesFromTheClockOrTheCommandLine) {
  // Two hacks started in the same second differ by process (and window);
  // a render without a seed stays on its clock, so it repeats.
  AppFixture first({"/s"}, "", 4100), twin({"/s"}, "", 4101), render({"--render", "out"}, "", 4100);
  EXPECT_NE(first.app.initialSeed(), twin.app.initialSeed());
  EXPECT_EQ(render.app.initialSeed(), 123456);
  AppFixture seeded({"/s", "-r42"}, "", 4100, 0x1c00007);
  ASSERT_TRUE(seeded.app.startUp());
  EXPECT_EQ(seeded.app.program().random.seedValue(), 42);
  EXPECT_EQ(seeded.app.program().random.next(), Random(42).next());
}

TEST(CSaverApp, ASaverOnAScreenFallsBackOnTheSamplesARenderDoesNot) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"-s"}, {"--root"}, {"--window-id", "0x1c00007"}}) {
    AppFixture f(args);
    ASSERT_TRUE(f.app.startUp()) << args[0];
    EXPECT_EQ(f.app.program().samplesFolder, AppFixture::kSamples) << args[0];
  }
  AppFixture render({"--render", "out"});
  ASSERT_TRUE(render.app.startUp());
  EXPECT_EQ(render.app.program().samplesFolder, "");
}

TEST(CSaverApp, TimeSeedsOfTwinsStartedTogetherDiffer) {
  // Hacks on several monitors start within a second or two, with process
  // and window ids a few apart: no two of them may run the same pictures.
  // The generator reads a seed only modulo 10^9, so the seeds must differ
  // there, which the range check makes the same thing.
  std::set<std::int32_t> seen;
  int made = 0;
  for (const std::int64_t second : {1700000000ll, 1700000001ll})
    for (std::uint64_t pid = 4000; pid < 4040; ++pid)
      for (const std::uint64_t window : {0ull, 0x1c00007ull, 0x1c00008ull, 0x1e00007ull}) {
        const std::int32_t seed = CSaverApp::timeSeed(second, pid, window);
        EXPECT_GE(seed, 0);
        EXPECT_LT(seed, Random::kModulus);
        seen.insert(seed);
        ++made;
      }
  EXPECT_EQ(static_cast<int>(seen.size()), made);
  EXPECT_EQ(CSaverApp::timeSeed(1700000000, 4000, 0x1c00007), CSaverApp::timeSeed(1700000000, 4000, 0x1c00007));
}

TEST(CSaverApp, OnlyTheSaverModeRuns) {
  AppFixture saver({"-S"});
  EXPECT_TRUE(saver.app.startUp());
  EXPECT_EQ(saver.app.runMode(), RunMode::FullScreen);
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{}, {"/c"}, {"/c:1234"}, {"/p", "1234"}, {"/a"}, {"what"}}) {
    AppFixture f(args);
    EXPECT_FALSE(f.app.startUp());
  }
}

TEST(CSaverApp, SettingOptionsHoldForTheRunAndAreNotSaved) {
  AppFixture f({"-root", "--do-image", "7", "--do-mangle", "9", "--do-blur", "10", "--do-text", "11", "--do-repaint", "12",
                "--delay", "60", "--image-pause", "2147483", "--image-period", "0"});
  ASSERT_TRUE(f.app.startUp());
  const RegSettings& s = f.app.settings();
  EXPECT_EQ((std::vector<std::int32_t>{s.doImage(), s.doMangle(), s.doBlur(), s.doText(), s.doRepaint(),
                                       s.delayBetweenDrawings(), s.imagePause(), s.imagePeriod()}),
            (std::vector<std::int32_t>{7, 9, 10, 11, 12, 60, 2147483, 0}));
  const KeyFileStore stored(f.folder.str());
  for (const char* key : {"DoImage", "DelayBetweenDrawings", "ImagePause", "ImagePeriod"})
    EXPECT_EQ(stored.readNumber(key, -1), -1) << key;
}

TEST(CSaverApp, TheFirstRunOfAVersionIsRecognisedOnce) {
  TempFolder shared;
  {
    VirtualClock clock;
    FakeShell shell;
    KeyFileStore store(shared.str());
    CSaverApp app(CommandLine::parse({"/s"}), {clock, shell, store, "", {}});
    app.startUp();
    EXPECT_TRUE(app.firstRun());
  }
  VirtualClock clock;
  FakeShell shell;
  KeyFileStore store(shared.str());
  CSaverApp app(CommandLine::parse({"/s"}), {clock, shell, store, "", {}});
  app.startUp();
  EXPECT_FALSE(app.firstRun());
}

TEST(CSaverApp, PrintingTheSettingsShowsTheFirstRunButWritesNothing) {
  const TempFolder parent;
  const std::filesystem::path folder = parent.path() / "fresh";
  VirtualClock clock;
  FakeShell shell;
  shell.pictures = "/home/u/Pictures";
  KeyFileStore store(folder.string());
  CSaverApp app(CommandLine::parse({"--print-settings"}), {clock, shell, store, "", {}});
  EXPECT_FALSE(app.startUp());
  EXPECT_TRUE(app.firstRun());
  EXPECT_EQ(app.settings().folders(), std::vector<std::string>{"/home/u/Pictures"});
  EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST(CSaverApp, TempFilePathPrefersTempThenInstallFolderNeverTheRootOneFilePerProcess) {
  AppFixture f({"/s"}, "", 4242);
  f.app.startUp();
  {
    EnvVar temp("TEMP", "/data/t");
    EXPECT_EQ(f.app.tempFilePath(), "/data/t/warpix-4242.tmp");
  }
  {
    EnvVar temp("TEMP", "/data/t/");
    EXPECT_EQ(f.app.tempFilePath(), "/data/t/warpix-4242.tmp");
  }
  EnvVar temp("TEMP", nullptr);
  f.app.settings().setInstallFolder("/opt/x/");
  EXPECT_EQ(f.app.tempFilePath(), "/opt/x/warpix-4242.tmp");
  f.app.settings().setInstallFolder("");
  {
    EnvVar tmpdir("TMPDIR", "/var/tmp");
    EXPECT_EQ(f.app.tempFilePath(), "/var/tmp/warpix-4242.tmp");
  }
  EnvVar tmpdir("TMPDIR", nullptr);
  EXPECT_EQ(f.app.tempFilePath(), "/tmp/warpix-4242.tmp");
  // Two savers at once never share a download.
  AppFixture twin({"/s"}, "", 4243);
  twin.app.startUp();
  EXPECT_EQ(twin.app.tempFilePath(), "/tmp/warpix-4243.tmp");
}

TEST(CSaverApp, ProductVersionTurnsTheResourceIntoDots) {
  const std::string v = CSaverApp::productVersion();
  EXPECT_EQ(v.find(' '), std::string::npos);
  EXPECT_EQ(v.find(','), std::string::npos);
  EXPECT_EQ(std::count(v.begin(), v.end(), '.'), 3) << v;
}

TEST(CSaverApp, ShowHelpOpensThePageOrSaysWhyNot) {
  TempFolder data;
  AppFixture missing({"/c"}, data.str());
  missing.app.startUp();
  missing.app.showHelp();
  ASSERT_EQ(missing.errors.size(), 1u);
  EXPECT_EQ(missing.errors[0], "Error|Sorry, could not find help file " + data.str() +
                                   "/warpix.htm. It may be installed in another folder.");
  EXPECT_TRUE(missing.shell.opened.empty());

  data.write("warpix.htm", "<html></html>");
  AppFixture present({"/c"}, data.str());
  present.app.startUp();
  present.app.showHelp();
  EXPECT_TRUE(present.errors.empty());
  ASSERT_EQ(present.shell.opened.size(), 1u);
  EXPECT_EQ(present.shell.opened[0], data.str() + "/warpix.htm");

  // The install folder, when set, is where the page is looked for.
  present.app.settings().setInstallFolder(present.folder.str() + "/");
  present.app.showHelp();
  ASSERT_EQ(present.errors.size(), 1u);
  EXPECT_NE(present.errors[0].find(present.folder.str() + "/warpix.htm"), std::string::npos);
}

class RefusingShell final : public Shell {
 public:
  std::string picturesFolder() const override { return {}; }
  std::string documentsFolder() const override { return {}; }
  std::string realName() const override { return {}; }
  bool open(const std::string&) override { return false; }
};

TEST(CSaverApp, ShowHelpReportsABrowserThatWillNotStart) {
  TempFolder data, config;
  data.write("warpix.htm", "x");
  VirtualClock clock;
  RefusingShell shell;
  KeyFileStore store(config.str());
  std::vector<std::string> errors;
  CSaverApp app(CommandLine::parse({"/c"}), {clock, shell, store, data.str(),
                                             [&](const std::string& c, const std::string& t) {
                                               errors.push_back(c + "|" + t);
                                             }});
  app.startUp();
  app.showHelp();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Error|Sorry, could not launch browser to view help file " + data.str() + "/warpix.htm");
}

}  // namespace
}  // namespace warpix
