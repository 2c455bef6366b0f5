#pragma once

#include <gtkmm.h>

#include <string>

namespace warpix {

// The "Web Address" dialog: one web site address, at most 200 characters.
class CWebAddress final : public Gtk::Dialog {
 public:
  CWebAddress(Gtk::Window* parent, const std::string& initial);

  std::string address() const { return entry_.get_text(); }
  Gtk::Entry& entry() { return entry_; }

 private:
  Gtk::Label label_;
  Gtk::Entry entry_;
};

}  // namespace warpix
