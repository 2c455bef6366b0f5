#include "config/CSettingsPage.h"

#include "settings/RegSettings.h"

namespace warpix {

namespace {

constexpr std::size_t kFrequencySliders = 7;
constexpr std::size_t kDelaySlider = 7;

}  // namespace

CSettingsPage::CSettingsPage(RegSettings& settings, DialogServices& services)
    : ConfigPage("General", services), settings_(settings), sliders_(generalSliders()) {
  auto* frame = Gtk::make_managed<Gtk::Frame>("How often to ...");
  auto* grid = Gtk::make_managed<Gtk::Grid>();
  grid->set_row_spacing(12);
  grid->set_column_spacing(24);
  grid->set_border_width(12);
  grid->set_column_homogeneous(true);
  for (std::size_t i = 0; i < kFrequencySliders; ++i)
    grid->attach(sliders_.row(i), static_cast<int>(i % 2), static_cast<int>(i / 2));
  frame->add(*grid);
  pack_start(*frame, Gtk::PACK_SHRINK);

  blank_.set_name("BlankScreen");
  blank_.set_tooltip_text("Use this if you are also using automatic power off");
  minutes_.set_name("BlankMinutes");
  minutes_.set_width_chars(4);
  minutes_.set_activates_default(true);
  minutes_.set_tooltip_text("Set to 5 minutes less than your power down time");
  up_.set_image_from_icon_name("pan-up-symbolic");
  down_.set_image_from_icon_name("pan-down-symbolic");
  up_.set_name("minutesUp");
  down_.set_name("minutesDown");
  auto* minutesRow = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_HORIZONTAL, 0);
  minutesRow->get_style_context()->add_class("linked");
  minutesRow->pack_start(minutes_, Gtk::PACK_SHRINK);
  minutesRow->pack_start(down_, Gtk::PACK_SHRINK);
  minutesRow->pack_start(up_, Gtk::PACK_SHRINK);
  auto* minutesLine = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_HORIZONTAL, 6);
  minutesLine->pack_start(*minutesRow, Gtk::PACK_SHRINK);
  minutesLine->pack_start(minutesText_, Gtk::PACK_SHRINK);
  auto* blankBox = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_VERTICAL, 6);
  blankBox->pack_start(blank_, Gtk::PACK_SHRINK);
  blankBox->pack_start(*minutesLine, Gtk::PACK_SHRINK);

  auto* lower = Gtk::make_managed<Gtk::Grid>();
  lower->set_column_spacing(24);
  lower->set_column_homogeneous(true);
  lower->attach(sliders_.row(kDelaySlider), 0, 0);
  lower->attach(*blankBox, 1, 0);
  pack_start(*lower, Gtk::PACK_SHRINK);

  packButtonRow(true);

  blank_.signal_toggled().connect([this] {
    if (!rules_ || showing_) return;
    rules_->setBlankScreen(blank_.get_active());
    enableMinutes();
  });
  minutes_.signal_changed().connect([this] {
    if (rules_ && !showing_) rules_->setMinutesText(minutes_.get_text());
  });
  up_.signal_clicked().connect([this] {
    rules_->stepMinutes(1);
    showRules();
  });
  down_.signal_clicked().connect([this] {
    rules_->stepMinutes(-1);
    showRules();
  });
  resetButton().signal_clicked().connect([this] {
    rules_->reset();
    showRules();
  });
}

void CSettingsPage::fill() {
  rules_.emplace(settings_);
  sliders_.bind(rules_->sliders());
  showRules();
}

void CSettingsPage::showRules() {
  showing_ = true;
  sliders_.refresh();
  blank_.set_active(rules_->blankScreen());
  minutes_.set_text(rules_->minutesText());
  showing_ = false;
  enableMinutes();
}

void CSettingsPage::enableMinutes() {
  const bool on = rules_->minutesEnabled();
  minutes_.set_sensitive(on);
  up_.set_sensitive(on);
  down_.set_sensitive(on);
  minutesText_.set_sensitive(on);
}

std::optional<std::string> CSettingsPage::problem() { return GeneralRules::minutesProblem(rules_->minutesText()); }

void CSettingsPage::apply() { rules_->ok(); }

}  // namespace warpix
