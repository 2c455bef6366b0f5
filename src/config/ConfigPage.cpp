#include "config/ConfigPage.h"

#include "config/SliderDef.h"

namespace warpix {

ConfigPage::ConfigPage(const char* caption, DialogServices& services)
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL, 12), caption_(caption), services_(services) {
  set_border_width(12);
  reset_.set_tooltip_text(kResetTip);
  reset_.set_name("reset");
  help_.set_name("help");
  help_.signal_clicked().connect([this] {
    if (services_.help) services_.help();
  });
}

void ConfigPage::showFirstTime() {
  if (filled_) return;
  filled_ = true;
  fill();
}

Gtk::Button& ConfigPage::resetButton() { return reset_; }
Gtk::Button& ConfigPage::helpButton() { return help_; }

void ConfigPage::packButtonRow(bool withReset) {
  auto* buttons = Gtk::make_managed<Gtk::ButtonBox>(Gtk::ORIENTATION_HORIZONTAL);
  buttons->set_layout(Gtk::BUTTONBOX_START);
  buttons->set_spacing(6);
  if (withReset) buttons->pack_start(reset_);
  buttons->pack_start(help_);
  pack_end(*buttons, Gtk::PACK_SHRINK);
}

}  // namespace warpix
