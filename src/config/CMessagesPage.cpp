#include "config/CMessagesPage.h"

namespace warpix {

CMessagesPage::CMessagesPage(RegSettings& settings, DialogServices& services)
    : ConfigPage("Messages", services), settings_(settings) {
  auto* heading = Gtk::make_managed<Gtk::Label>("_Enter your text messages - they will be displayed at random:",
                                                Gtk::ALIGN_START, Gtk::ALIGN_CENTER, true);
  heading->set_mnemonic_widget(entries_[0]);
  pack_start(*heading, Gtk::PACK_SHRINK);
  auto* grid = Gtk::make_managed<Gtk::Grid>();
  grid->set_row_spacing(6);
  grid->set_column_spacing(6);
  for (int i = 0; i < RegSettings::kMessageCount; ++i) {
    Gtk::Entry& entry = entries_[static_cast<std::size_t>(i)];
    std::string text = "_";
    text += std::to_string(i + 1);
    text += ':';
    auto* label = Gtk::make_managed<Gtk::Label>(text, Gtk::ALIGN_END, Gtk::ALIGN_CENTER, true);
    label->set_mnemonic_widget(entry);
    entry.set_name("Message" + std::to_string(i));
    entry.set_hexpand(true);
    entry.set_activates_default(true);
    grid->attach(*label, 0, i);
    grid->attach(entry, 1, i);
  }
  pack_start(*grid, Gtk::PACK_SHRINK);
  packButtonRow(false);
}

void CMessagesPage::fill() {
  for (int i = 0; i < RegSettings::kMessageCount; ++i)
    entries_[static_cast<std::size_t>(i)].set_text(settings_.message(i));
}

void CMessagesPage::apply() {
  for (int i = 0; i < RegSettings::kMessageCount; ++i)
    settings_.setMessage(i, entries_[static_cast<std::size_t>(i)].get_text());
  settings_.saveMessages();
}

}  // namespace warpix
