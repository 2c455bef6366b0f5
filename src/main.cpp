// The executable: chooses the platform services and hands over to the
// application object.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/CSaverApp.h"
#include "app/CommandLine.h"
#include "app/HeadlessRender.h"
#include "app/OperationLogFile.h"
#include "effects/OperationKinds.h"
#include "platform/headless/VirtualClock.h"
#include "platform/linux/GioShell.h"
#include "platform/linux/KeyFileStore.h"
#include "platform/linux/ProgramFolders.h"
#include "platform/linux/SdlScreen.h"
#include "platform/linux/SystemClock.h"
#include "scene/CScreenWnd.h"
#include "settings/SettingsReport.h"

namespace {

using warpix::CommandLine;

// The window to draw into, when another program gives one: --window-id,
// then XScreenSaver's variable, then the root window for -root.
std::optional<unsigned long> foreignWindow(const CommandLine& cl) {
  if (cl.windowId) return cl.windowId;
  if (const char* env = std::getenv("XSCREENSAVER_WINDOW"); env != nullptr && *env != '\0')
    if (auto id = CommandLine::parseWindowId(env)) return id;
  if (cl.root) {
    if (const unsigned long root = warpix::SdlScreen::rootWindow(); root != 0) return root;
  }
  return std::nullopt;
}

int runFullScreen(warpix::CSaverApp& app) {
  const CommandLine& cl = app.commandLine();
  warpix::SdlScreen::Options options;
  options.foreignWindow = foreignWindow(cl);
  std::string error;
  const std::unique_ptr<warpix::SdlScreen> screen = warpix::SdlScreen::open(options, error);
  if (!screen) {
    std::cerr << "warpix: cannot show the saver: no usable display (" << error << ").\n"
              << "warpix: without a display, 'warpix --render DIR' draws the same run into picture files.\n";
    return 1;
  }
  warpix::CScreenWnd window(app.program(), *screen, warpix::operationCatalog(), !screen->foreign());
  if (!window.open()) {
    std::cerr << "warpix: the scene could not be created\n";
    return 1;
  }
  window.run();
  return 0;
}

int runSaver(warpix::CSaverApp& app) {
  const CommandLine& cl = app.commandLine();
  if (cl.action == CommandLine::Action::Render) {
    warpix::HeadlessRender::Options options;
    options.directory = cl.renderDir;
    if (cl.width > 0) {
      options.width = cl.width;
      options.height = cl.height;
    }
    options.monitors = cl.monitors;
    options.operations = cl.operations;
    warpix::HeadlessRender render(app.program(), options);
    render.run(std::cerr);
    if (!render.problem().empty()) std::cerr << "warpix: " << render.problem() << '\n';
    return render.failed() ? 1 : 0;
  }
  return runFullScreen(app);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const std::string program = argc > 0 ? argv[0] : "warpix";
  const CommandLine cl = CommandLine::parse(args);
  switch (cl.action) {
    case CommandLine::Action::Error:
      std::cerr << "warpix: " << cl.error << "\n\n" << CommandLine::usage(program);
      return 2;
    case CommandLine::Action::Help:
      std::cout << CommandLine::usage(program);
      return 0;
    case CommandLine::Action::Version:
      std::cout << "warpix " << warpix::CSaverApp::productVersion() << '\n';
      return 0;
    default:
      break;
  }

  // Rendering runs on virtual time so that one seed gives one set of files.
  warpix::SystemClock systemClock;
  warpix::VirtualClock virtualClock;
  warpix::Clock& clock = cl.action == CommandLine::Action::Render ? static_cast<warpix::Clock&>(virtualClock)
                                                                  : static_cast<warpix::Clock&>(systemClock);
  warpix::GioShell shell;
  warpix::KeyFileStore store(cl.configDir.empty() ? warpix::KeyFileStore::defaultFolder() : cl.configDir);
  // A damaged settings file silently turning every value into its default
  // would look like the program ignoring the user.
  for (const std::string& problem : store.problems()) std::cerr << "warpix: " << problem << '\n';
  warpix::CSaverApp app(cl, {clock, shell, store, warpix::programDataFolder(),
                             [](const std::string& caption, const std::string& text) {
                               std::cerr << "warpix: " << caption << ": " << text << '\n';
                             }});
  const bool run = app.startUp();

  if (cl.action == CommandLine::Action::PrintSettings) {
    std::cout << warpix::settingsReport(app.settings(), store);
    return 0;
  }
  warpix::OperationLogFile log(app.program(), cl.logOpsPath);
  if (!log.ok()) {
    std::cerr << "warpix: cannot write the operation log " << cl.logOpsPath << '\n';
    return 1;
  }
  if (run) return runSaver(app);
  if (app.runMode() == warpix::RunMode::Configure)
    std::cout << "warpix: the settings dialog is not part of this build yet; see --print-settings\n";
  return 0;
}
