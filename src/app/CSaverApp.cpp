#include "app/CSaverApp.h"

#include <cstdlib>
#include <filesystem>

#include "app/BuildInfo.h"
#include "app/Random.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {
// A 64-bit finaliser with full avalanche: ids one apart give unrelated values.
std::uint64_t scramble(std::uint64_t v) {
  v += 0x9E3779B97F4A7C15ull;
  v = (v ^ (v >> 30)) * 0xBF58476D1CE4E5B9ull;
  v = (v ^ (v >> 27)) * 0x94D049BB133111EBull;
  return v ^ (v >> 31);
}

std::string withSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}
}  // namespace

CSaverApp::CSaverApp(const CommandLine& commandLine, Services services)
    : commandLine_(commandLine),
      services_(std::move(services)),
      readOnlyStore_(services_.store),
      trace_(services_.clock),
      seed_(0) {
  const std::int64_t now = services_.clock.wallSeconds();
  // A render without a seed stays repeatable: its clock starts at a fixed date.
  if (commandLine_.seed) seed_ = *commandLine_.seed;
  else if (commandLine_.action == CommandLine::Action::Render) seed_ = static_cast<std::int32_t>(now);
  else seed_ = timeSeed(now, services_.processId, services_.windowId);
}

std::int32_t CSaverApp::timeSeed(std::int64_t seconds, std::uint64_t processId, std::uint64_t windowId) {
  std::uint64_t h = scramble(static_cast<std::uint64_t>(seconds));
  h = scramble(h ^ processId);
  h = scramble(h ^ windowId);
  // The generator reads only the magnitude of its seed modulo 10^9.
  return static_cast<std::int32_t>(h % static_cast<std::uint64_t>(Random::kModulus));
}

CSaverApp::~CSaverApp() = default;

bool CSaverApp::startUp() {
  const bool onlyReads = commandLine_.action == CommandLine::Action::PrintSettings;
  ProfileStore& store = onlyReads ? static_cast<ProfileStore&>(readOnlyStore_) : services_.store;
  firstRun_ = RegSettings::decideFirstRun(store, productVersion());
  settings_ = std::make_unique<RegSettings>(store, services_.shell, [this] { trace_.setOn(true); });
  settings_->load(firstRun_);
  applyOverrides();
  program_ = std::make_unique<Program>(*settings_, services_.clock, trace_, seed_);
  program_->tempFilePath = tempFilePath();
  // A saver on a screen shows the sample pictures rather than nothing when
  // the folders hold none; a render keeps to the folders, so that runs
  // stay comparable.
  if (commandLine_.action != CommandLine::Action::Render) program_->samplesFolder = services_.samplesFolder;
  runMode_ = commandLine_.mode;
  program_->runMode = runMode_;
  // There is no system password service to call on Linux: changing the
  // password and the preview window are declined, as on systems without them.
  return runMode_ == RunMode::FullScreen;
}

// Settings given on the command line hold for this run; nothing saves them.
void CSaverApp::applyOverrides() {
  for (const CommandLine::SettingOverride& o : commandLine_.overrides)
    if (const RegSettings::Field* field = RegSettings::findField(o.key)) field->write(*settings_, o.value);
}

void CSaverApp::showHelp() {
  const std::string folder = settings_ && !settings_->installFolder().empty() ? settings_->installFolder()
                                                                               : services_.dataFolder;
  const std::string path = withSlash(folder) + kHelpFile;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    if (services_.errorBox)
      services_.errorBox("Error", "Sorry, could not find help file " + path + ". It may be installed in another folder.");
    return;
  }
  if (!services_.shell.open(path) && services_.errorBox)
    services_.errorBox("Error", "Sorry, could not launch browser to view help file " + path);
}

std::string CSaverApp::tempFilePath() const {
  // TEMP first, then the install folder; where both are empty the download
  // must not land in the file system's root, so the usual temp folders follow.
  const char* temp = std::getenv("TEMP");
  std::string folder = temp != nullptr ? temp : "";
  if (folder.empty() && settings_) folder = settings_->installFolder();
  if (folder.empty()) {
    const char* tmpdir = std::getenv("TMPDIR");
    folder = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
  }
  // One file per process: several savers run at once (one per monitor
  // under a screensaver daemon, one per user on a shared machine), and a
  // name they shared let one decode or delete the other's download, or,
  // in a sticky /tmp, refuse to replace another user's file at all.
  return withSlash(folder) + "warpix-" + std::to_string(services_.processId) + ".tmp";
}

std::string CSaverApp::productVersion() {
  std::string out;
  for (const char* c = build::kVersionResource; *c != '\0'; ++c) {
    if (*c == ' ') continue;
    out += *c == ',' ? '.' : *c;
  }
  return out;
}

}  // namespace warpix
