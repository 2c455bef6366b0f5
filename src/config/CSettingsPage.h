#pragma once

#include <optional>

#include "config/ConfigPage.h"
#include "config/GeneralRules.h"
#include "config/SliderGroup.h"

namespace warpix {

class RegSettings;

// The "General" page: how often each kind of drawing happens, the delay
// between drawings and blanking the screen.
class CSettingsPage final : public ConfigPage {
 public:
  CSettingsPage(RegSettings& settings, DialogServices& services);

  std::optional<std::string> problem() override;
  void focusProblem() override { minutes_.grab_focus(); }
  void apply() override;

 protected:
  void fill() override;

 private:
  void showRules();
  void enableMinutes();

  RegSettings& settings_;
  std::optional<GeneralRules> rules_;
  SliderGroup sliders_;
  Gtk::CheckButton blank_{"Blan_k screen after specified period", true};
  Gtk::Entry minutes_;
  Gtk::Button up_;
  Gtk::Button down_;
  Gtk::Label minutesText_{"minutes"};
  bool showing_ = false;
};

}  // namespace warpix
