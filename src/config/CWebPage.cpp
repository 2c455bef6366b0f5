#include "config/CWebPage.h"

#include "settings/RegSettings.h"

namespace warpix {

CWebPage::CWebPage(RegSettings& settings, DialogServices& services)
    : ConfigPage("Web Sites", services), settings_(settings), period_({&webPeriodSlider(), 1}) {
  build();
  connect();
}

void CWebPage::build() {
  online_.join_group(never_);
  always_.join_group(never_);
  auto* choices = Gtk::make_managed<Gtk::Frame>();
  auto* choiceBox = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_VERTICAL, 2);
  choiceBox->set_border_width(6);
  for (Gtk::RadioButton* choice : {&never_, &online_, &always_}) choiceBox->pack_start(*choice, Gtk::PACK_SHRINK);
  choices->add(*choiceBox);
  pack_start(*choices, Gtk::PACK_SHRINK);

  auto* heading = Gtk::make_managed<Gtk::Label>("_Web sites to search for images (JPEG & PNG format):",
                                                Gtk::ALIGN_START, Gtk::ALIGN_CENTER, true);
  heading->set_mnemonic_widget(list_.view());
  pack_start(*heading, Gtk::PACK_SHRINK);
  list_.set_tooltip_text("List of web sites that Photo Warpix will search for JPEG & PNG images when on-line");
  list_.set_size_request(320, 130);
  add_.set_tooltip_text("Add a new web site to the list");
  remove_.set_tooltip_text("Remove the currently selected web site from the list");
  auto* buttons = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_VERTICAL, 6);
  for (Gtk::Button* button : {&add_, &edit_, &remove_, &helpButton()}) buttons->pack_start(*button, Gtk::PACK_SHRINK);
  auto* listRow = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_HORIZONTAL, 6);
  listRow->pack_start(list_, Gtk::PACK_EXPAND_WIDGET);
  listRow->pack_start(*buttons, Gtk::PACK_SHRINK);
  pack_start(*listRow, Gtk::PACK_EXPAND_WIDGET);

  auto* lower = Gtk::make_managed<Gtk::Grid>();
  lower->set_column_spacing(24);
  lower->attach(period_.row(0), 0, 0);
  resetButton().set_valign(Gtk::ALIGN_END);
  lower->attach(resetButton(), 1, 0);
  pack_start(*lower, Gtk::PACK_SHRINK);

  never_.set_name("never");
  online_.set_name("online");
  always_.set_name("always");
  list_.set_name("sites");
  add_.set_name("add");
  edit_.set_name("edit");
  remove_.set_name("remove");
}

void CWebPage::connect() {
  const auto choose = [this](Gtk::RadioButton& choice, std::int32_t access) {
    choice.signal_toggled().connect([this, &choice, access] {
      if (showing_ || !choice.get_active()) return;
      rules_->chooseAccess(access);
      showRules();
    });
  };
  choose(never_, 0);
  choose(online_, 1);
  choose(always_, 2);
  list_.onSelect([this](std::optional<std::size_t> row) { rules_->list().select(row); });
  add_.signal_clicked().connect([this] { ask(false); });
  edit_.signal_clicked().connect([this] { ask(true); });
  remove_.signal_clicked().connect([this] {
    rules_->removeSelected();
    showRules();
  });
  resetButton().signal_clicked().connect([this] {
    rules_->reset();
    showRules();
  });
}

void CWebPage::fill() {
  rules_.emplace(settings_);
  period_.bind(rules_->period());
  showRules();
}

void CWebPage::showRules() {
  showing_ = true;
  const std::int32_t access = rules_->shownAccess();
  (access == 0 ? never_ : access == 1 ? online_ : always_).set_active(true);
  period_.refresh();
  list_.show(rules_->list());
  showing_ = false;
  const bool on = rules_->listEnabled();
  for (Gtk::Widget* widget : std::initializer_list<Gtk::Widget*>{&list_, &add_, &edit_, &remove_})
    widget->set_sensitive(on);
}

void CWebPage::ask(bool edit) {
  const std::optional<std::string> old = rules_->list().selected();
  if ((edit && !old) || !services().askAddress) return;
  const std::optional<std::string> address = services().askAddress(edit ? *old : std::string());
  if (!address) return;
  if (edit) rules_->editSelected(*address);
  else rules_->add(*address);
  showRules();
}

void CWebPage::apply() { rules_->ok(); }

}  // namespace warpix
