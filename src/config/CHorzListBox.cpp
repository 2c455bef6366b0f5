#include "config/CHorzListBox.h"

namespace warpix {

CHorzListBox::CHorzListBox() : store_(Gtk::ListStore::create(columns_)), view_(store_) {
  view_.append_column("", columns_.text);
  view_.set_headers_visible(false);
  view_.set_enable_search(false);
  set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
  set_shadow_type(Gtk::SHADOW_IN);
  add(view_);
  view_.get_selection()->signal_changed().connect([this] {
    if (showing_ || !onSelect_) return;
    const Gtk::TreeModel::iterator row = view_.get_selection()->get_selected();
    if (row) onSelect_(static_cast<std::size_t>(store_->get_path(row)[0]));
    else onSelect_(std::nullopt);
  });
}

void CHorzListBox::show(const SortedList& list) {
  showing_ = true;
  store_->clear();
  for (const std::string& line : list.lines()) (*store_->append())[columns_.text] = line;
  if (const std::optional<std::size_t> selected = list.selection()) {
    Gtk::TreePath path;
    path.push_back(static_cast<int>(*selected));
    view_.get_selection()->select(path);
    view_.scroll_to_row(path);
  }
  showing_ = false;
}

}  // namespace warpix
