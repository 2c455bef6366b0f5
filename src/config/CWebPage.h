#pragma once

#include <array>
#include <optional>

#include "config/CHorzListBox.h"
#include "config/ConfigPage.h"
#include "config/SliderGroup.h"
#include "config/WebRules.h"

namespace warpix {

class RegSettings;

// The "Web Sites" page: whether and when the web is used, the sites the
// saver starts from and the minimum period between web pictures.
class CWebPage final : public ConfigPage {
 public:
  CWebPage(RegSettings& settings, DialogServices& services);

  void apply() override;

 protected:
  void fill() override;

 private:
  void build();
  void connect();
  void showRules();
  void ask(bool edit);

  RegSettings& settings_;
  std::optional<WebRules> rules_;
  Gtk::RadioButton never_{"Do _not access the web", true};
  Gtk::RadioButton online_{"I use a _dial-up modem - only access the web when  on-line.", true};
  Gtk::RadioButton always_{"I have a _permanent internet connection - always access the web.", true};
  CHorzListBox list_;
  Gtk::Button add_{"_Add...", true};
  Gtk::Button edit_{"_Edit...", true};
  Gtk::Button remove_{"Remo_ve", true};
  SliderGroup period_;
  bool showing_ = false;
};

}  // namespace warpix
