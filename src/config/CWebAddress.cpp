#include "config/CWebAddress.h"

#include "config/WebRules.h"

namespace warpix {

CWebAddress::CWebAddress(Gtk::Window* parent, const std::string& initial)
    : Gtk::Dialog("Web Address", true), label_("Enter _web site address:", Gtk::ALIGN_START, Gtk::ALIGN_CENTER, true) {
  if (parent != nullptr) set_transient_for(*parent);
  set_resizable(false);
  entry_.set_max_length(static_cast<int>(WebRules::kMaxAddressChars));
  entry_.set_width_chars(40);
  entry_.set_activates_default(true);
  entry_.set_text(initial);
  entry_.set_tooltip_text("Enter or paste the address of the web site. There is no need to use \"http://\"");
  label_.set_mnemonic_widget(entry_);
  Gtk::Box* area = get_content_area();
  area->set_spacing(6);
  area->set_border_width(12);
  area->pack_start(label_, Gtk::PACK_SHRINK);
  area->pack_start(entry_, Gtk::PACK_SHRINK);
  add_button("_Cancel", Gtk::RESPONSE_CANCEL);
  add_button("_OK", Gtk::RESPONSE_OK);
  set_default_response(Gtk::RESPONSE_OK);
  show_all_children();
}

}  // namespace warpix
