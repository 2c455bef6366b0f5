#pragma once

#include <gtkmm.h>

#include <string>

#include "config/PreviewPicture.h"

namespace warpix {

// The "Images" preview of one folder: its picture files in a list, and the
// selected one drawn beside it, shrunk to fit with its proportions kept.
class CPreviewDialog final : public Gtk::Dialog {
 public:
  CPreviewDialog(Gtk::Window* parent, std::string folder);

  // Shows file `index` of the list, as a click on it does.
  void select(std::size_t index);
  const PreviewPicture& picture() const { return picture_; }
  std::string statusText() const { return status_.get_text(); }

 private:
  bool draw(const Cairo::RefPtr<Cairo::Context>& cr);

  struct Columns : Gtk::TreeModelColumnRecord {
    Columns() { add(name); }
    Gtk::TreeModelColumn<Glib::ustring> name;
  };

  std::string folder_;
  PreviewPicture picture_;
  Columns columns_;
  Glib::RefPtr<Gtk::ListStore> store_;
  Gtk::TreeView list_;
  Gtk::ScrolledWindow scroll_;
  Gtk::DrawingArea area_;
  Gtk::Label status_;
};

}  // namespace warpix
