#pragma once

#include <gtkmm.h>

#include <functional>
#include <optional>

#include "config/SortedList.h"

namespace warpix {

// A list of lines (folders, web sites) that scrolls sideways when a line is
// wider than the box, showing a SortedList and following its selection.
class CHorzListBox final : public Gtk::ScrolledWindow {
 public:
  CHorzListBox();

  // Shows the list's lines and its selection.
  void show(const SortedList& list);
  // Called with the row the user selects (nothing when none is).
  void onSelect(std::function<void(std::optional<std::size_t>)> handler) { onSelect_ = std::move(handler); }
  Gtk::TreeView& view() { return view_; }

 private:
  struct Columns : Gtk::TreeModelColumnRecord {
    Columns() { add(text); }
    Gtk::TreeModelColumn<Glib::ustring> text;
  };

  Columns columns_;
  Glib::RefPtr<Gtk::ListStore> store_;
  Gtk::TreeView view_;
  std::function<void(std::optional<std::size_t>)> onSelect_;
  bool showing_ = false;
};

}  // namespace warpix
