#pragma once

#include <gtkmm.h>

#include <optional>
#include <string>

#include "config/DialogServices.h"

namespace warpix {

// One page of the settings dialog. Its controls are filled from the
// settings the first time it is shown; a page never shown writes nothing.
class ConfigPage : public Gtk::Box {
 public:
  ConfigPage(const char* caption, DialogServices& services);

  const char* caption() const { return caption_; }
  void showFirstTime();
  bool filled() const { return filled_; }

  // OK, in two rounds over the filled pages: every page checks its values,
  // then every page stores and saves. A refused value is told to the user
  // on its page, with the focus on it.
  virtual std::optional<std::string> problem() { return std::nullopt; }
  virtual void focusProblem() {}
  virtual void apply() = 0;
  // The dialog closes, by OK or otherwise: end any work still running.
  virtual void close() {}

 protected:
  virtual void fill() = 0;
  DialogServices& services() { return services_; }
  // The "_Reset to defaults" and "_Help" buttons most pages carry.
  Gtk::Button& resetButton();
  Gtk::Button& helpButton();
  // Puts those buttons in a row at the foot of the page, Reset first when
  // the page has one.
  void packButtonRow(bool withReset);

 private:
  const char* caption_;
  DialogServices& services_;
  bool filled_ = false;
  Gtk::Button reset_{"_Reset to defaults", true};
  Gtk::Button help_{"_Help", true};
};

}  // namespace warpix
