#pragma once

#include <gtkmm.h>

#include <memory>
#include <string>
#include <vector>

#include "config/ConfigPage.h"
#include "config/DialogServices.h"

namespace warpix {

class RegSettings;

// The settings dialog: a notebook of seven pages with OK and Cancel (no
// Apply). OK, the default button, asks every page shown to check and then
// save its settings; Cancel, Escape and the window's close button write
// nothing.
class CConfigProp final : public Gtk::Dialog {
 public:
  struct Info {
    std::string title;  // the program and its version
    std::string body;   // what it is and where its settings live
  };

  CConfigProp(const std::string& caption, RegSettings& settings, DialogServices& services, Info info);
  ~CConfigProp() override;

  // Shows the dialog and returns once it is closed: true for OK.
  bool run();
  // True once the dialog has closed; accepted() tells how.
  bool closed() const { return closed_; }
  bool accepted() const { return accepted_; }
  Gtk::Notebook& notebook() { return notebook_; }
  ConfigPage& page(std::size_t index) { return *pages_.at(index); }

 protected:
  void on_response(int response) override;

 private:
  bool acceptAll();

  DialogServices& services_;
  Gtk::Notebook notebook_;
  std::vector<std::unique_ptr<ConfigPage>> pages_;
  sigc::connection pageSwitch_;
  Glib::RefPtr<Glib::MainLoop> loop_;
  bool closed_ = false;
  bool accepted_ = false;
};

}  // namespace warpix
