#pragma once

#include <string>

#include "config/ConfigPage.h"

namespace warpix {

// The "Information" page: the program, its version and where its settings
// are stored.
class CInfoPage final : public ConfigPage {
 public:
  CInfoPage(std::string title, std::string body, DialogServices& services);

  void apply() override {}

 protected:
  void fill() override {}

 private:
  Gtk::Label title_;
  Gtk::ScrolledWindow scroll_;
  Gtk::TextView text_;
};

}  // namespace warpix
