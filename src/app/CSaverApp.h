#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "app/Trace.h"
#include "platform/ReadOnlyProfileStore.h"
#include "scene/Program.h"

namespace warpix {

class Clock;
class ProfileStore;
class RegSettings;
class Shell;

// The application object: reads the command line, seeds the program-wide
// generator, loads the settings once and decides what the run is for. The
// platform services come from main, which chooses them in one place.
class CSaverApp {
 public:
  static constexpr const char* kTitle = "Photo Warpix";
  static constexpr const char* kCaption = "Photo Warpix Screensaver";
  static constexpr const char* kHelpFile = "warpix.htm";

  using ErrorBox = std::function<void(const std::string& caption, const std::string& text)>;

  struct Services {
    Clock& clock;
    Shell& shell;
    ProfileStore& store;
    std::string dataFolder;  // where the help page and samples are installed
    ErrorBox errorBox;       // how errors reach the user (a dialog or stderr)
    // What tells this process apart from a twin started in the same
    // second, for a seed taken from the time: the process id, and the
    // window it draws into when another program lends one (0 otherwise).
    std::uint64_t processId = 0;
    std::uint64_t windowId = 0;
    std::string samplesFolder{};  // the pictures shown when the folders hold none
  };

  CSaverApp(const CommandLine& commandLine, Services services);
  ~CSaverApp();
  CSaverApp(const CSaverApp&) = delete;
  CSaverApp& operator=(const CSaverApp&) = delete;

  // Loads the settings and settles the run mode. True only when the saver
  // is to run (full screen or rendering); the other modes are done then.
  // A run that only shows the settings (--print-settings) writes nothing:
  // it still sees a first run as one, but neither records it nor saves the
  // folder chosen for it.
  bool startUp();

  // Opens the help page with the desktop's handler; errors go to errorBox.
  void showHelp();
  std::string tempFilePath() const;
  static std::string productVersion();
  // The seed of a run that names none: the time mixed with the process and
  // window ids, so that hacks started together on two monitors differ. In
  // 0 .. 999 999 999, where every value gives the generator another start.
  static std::int32_t timeSeed(std::int64_t seconds, std::uint64_t processId, std::uint64_t windowId);

  RunMode runMode() const { return runMode_; }
  bool firstRun() const { return firstRun_; }
  const CommandLine& commandLine() const { return commandLine_; }
  Program& program() { return *program_; }
  RegSettings& settings() { return *settings_; }
  Trace& trace() { return trace_; }
  ProfileStore& store() { return services_.store; }
  std::int32_t initialSeed() const { return seed_; }

 private:
  void applyOverrides();

  CommandLine commandLine_;
  Services services_;
  ReadOnlyProfileStore readOnlyStore_;
  Trace trace_;
  std::int32_t seed_;
  RunMode runMode_ = RunMode::Undecided;
  bool firstRun_ = false;
  std::unique_ptr<RegSettings> settings_;
  std::unique_ptr<Program> program_;
};

}  // namespace warpix
