#include "config/ConfigDialog.h"

#include <gtkmm.h>

#include <cstdlib>

#include "app/CSaverApp.h"
#include "config/CConfigProp.h"
#include "config/CWebAddress.h"
#include "config/InfoText.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {

Gtk::Window* activeWindow() {
  for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
    if (window->is_active() && window->get_visible()) return window;
  }
  return nullptr;
}

void messageBox(const std::string& title, const std::string& text, DialogServices::Icon icon) {
  const Gtk::MessageType type = icon == DialogServices::Icon::Error ? Gtk::MESSAGE_ERROR : Gtk::MESSAGE_INFO;
  Gtk::Window* parent = activeWindow();
  std::unique_ptr<Gtk::MessageDialog> box = parent != nullptr
                                                ? std::make_unique<Gtk::MessageDialog>(*parent, text, false, type)
                                                : std::make_unique<Gtk::MessageDialog>(text, false, type);
  box->set_title(title);
  box->run();
}

std::optional<std::string> chooseFolder(const std::string& title) {
  Gtk::FileChooserDialog chooser(title, Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER);
  if (Gtk::Window* parent = activeWindow()) chooser.set_transient_for(*parent);
  chooser.set_local_only(true);
  chooser.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
  chooser.add_button("_Select", Gtk::RESPONSE_OK);
  chooser.set_default_response(Gtk::RESPONSE_OK);
  if (chooser.run() != Gtk::RESPONSE_OK) return std::nullopt;
  // Only a folder with a path on this machine will do.
  std::string path = chooser.get_filename();
  if (path.empty()) return std::nullopt;
  return path;
}

std::optional<std::string> askAddress(const std::string& initial) {
  CWebAddress dialog(activeWindow(), initial);
  if (dialog.run() != Gtk::RESPONSE_OK) return std::nullopt;
  return dialog.address();
}

}  // namespace

bool ConfigDialog::openDisplay(std::string& reason) {
  if (!gtk_init_check(nullptr, nullptr)) {
    const char* display = std::getenv("DISPLAY");
    reason = display != nullptr && *display != '\0' ? std::string("cannot open display ") + display
                                                    : "DISPLAY is not set";
    return false;
  }
  Gtk::Main::init_gtkmm_internals();
  return true;
}

void ConfigDialog::errorBox(const std::string& caption, const std::string& text) {
  messageBox(caption, text, DialogServices::Icon::Error);
}

bool ConfigDialog::run(CSaverApp& app) {
  DialogServices services;
  services.chooseFolder = chooseFolder;
  services.askAddress = askAddress;
  services.message = messageBox;
  services.help = [&app] { app.showHelp(); };
  const CConfigProp::Info info{InfoText::title(CSaverApp::productVersion()),
                               InfoText::body(app.store().profilePath(), app.store().iniPath())};
  CConfigProp sheet(CSaverApp::kCaption, app.settings(), services, info);
  return sheet.run();
}

}  // namespace warpix
