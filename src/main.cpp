// The executable: chooses the platform services and hands over to the
// application object.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/CSaverApp.h"
#include "app/CommandLine.h"
#include "app/HeadlessRender.h"
#include "app/OperationLogFile.h"
#include "config/ConfigDialog.h"
#include "effects/OperationKinds.h"
#include "platform/headless/VirtualClock.h"
#include "platform/linux/CurlFetcher.h"
#include "platform/linux/GioOnlineDetector.h"
#include "platform/linux/GioShell.h"
#include "platform/linux/KeyFileStore.h"
#include "platform/linux/ProcessEnd.h"
#include "platform/linux/ProgramFolders.h"
#include "platform/linux/SdlScreen.h"
#include "platform/linux/StopSignals.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/XlibScreen.h"
#include "scene/CScreenWnd.h"
#include "settings/RegSettings.h"
#include "settings/SettingsReport.h"

namespace {

using warpix::CommandLine;

// The window another program lends us: --window-id, then XScreenSaver's
// variable. Found without opening the display, so that it can go into the
// seed before anything else runs.
std::optional<unsigned long> lentWindow(const CommandLine& cl) {
  if (cl.windowId) return cl.windowId;
  if (const char* env = std::getenv("XSCREENSAVER_WINDOW"); env != nullptr && *env != '\0')
    if (auto id = CommandLine::parseWindowId(env)) return id;
  return std::nullopt;
}

// The one place that chooses the screen: Xlib for a window another program
// owns (a lent one, or the root window for -root), SDL for our own.
std::unique_ptr<warpix::ScreenBackend> openScreen(const CommandLine& cl, bool& ownsInput, std::string& error) {
  const std::optional<unsigned long> lent = lentWindow(cl);
  ownsInput = !lent && !cl.root;
  if (ownsInput) return warpix::SdlScreen::open(error);
  // 0 is the display's root window.
  return warpix::XlibScreen::open(lent.value_or(0), error);
}

int runFullScreen(warpix::CSaverApp& app) {
  bool ownsInput = true;
  std::string error;
  std::unique_ptr<warpix::ScreenBackend> screen = openScreen(app.commandLine(), ownsInput, error);
  if (!screen) {
    std::cerr << "warpix: cannot show the saver: no usable display (" << error << ").\n"
              << "warpix: without a display, 'warpix --render DIR' draws the same run into picture files.\n";
    return 1;
  }
  {
    warpix::CScreenWnd window(app.program(), *screen, warpix::operationCatalog(), ownsInput);
    if (!window.open()) {
      std::cerr << "warpix: the scene could not be created\n";
      return 1;
    }
    window.run();
  }
  // What the display still holds goes before the process ends, or with it.
  if (warpix::processEndFreesNothing()) screen->leaveToProcessEnd();
  screen.reset();
  // A hack that its host stops ends by that signal, as the host expects
  // of its hacks; a saver in its own window ends cleanly.
  if (!ownsInput) warpix::StopSignals::endBySignal();
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

int runDialog(warpix::CSaverApp& app, bool& dialogUp) {
  std::string reason;
  if (!warpix::ConfigDialog::openDisplay(reason)) {
    std::cerr << "warpix: cannot show the settings dialog: no usable display (" << reason << ").\n";
    return 1;
  }
  // Run-only settings must not reach the files through OK: the dialog
  // shows and saves what is stored.
  if (!app.commandLine().overrides.empty()) {
    std::cerr << "warpix: run-only settings do not apply to the settings dialog; it shows the stored ones\n";
    app.settings().load(false);
  }
  dialogUp = true;
  warpix::ConfigDialog::run(app);
  dialogUp = false;
  return 0;
}

// Everything the program owns lives and dies in here, before the process ends.
int runProgram(const CommandLine& cl) {
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
  // Errors reach the user in a box while the settings dialog is up.
  bool dialogUp = false;
  warpix::CSaverApp app(cl, {clock, shell, store, warpix::programDataFolder(),
                             [&dialogUp](const std::string& caption, const std::string& text) {
                               if (dialogUp) warpix::ConfigDialog::errorBox(caption, text);
                               else std::cerr << "warpix: " << caption << ": " << text << '\n';
                             },
                             static_cast<std::uint64_t>(::getpid()), lentWindow(cl).value_or(0),
                             warpix::programSamplesFolder()});
  const bool run = app.startUp();

  if (cl.action == CommandLine::Action::PrintSettings) {
    std::cout << warpix::settingsReport(app.settings(), store, warpix::programSamplesFolder());
    return 0;
  }
  warpix::OperationLogFile log(app.program(), cl.logOpsPath);
  if (!log.ok()) {
    std::cerr << "warpix: cannot write the operation log " << cl.logOpsPath << '\n';
    return 1;
  }
  warpix::CurlFetcher http;
  warpix::GioOnlineDetector online;
  app.program().http = &http;
  app.program().online = &online;
  if (run) return runSaver(app);
  if (app.runMode() == warpix::RunMode::Configure) return runDialog(app, dialogUp);
  return 0;
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
  warpix::endProcess(runProgram(cl));
}
