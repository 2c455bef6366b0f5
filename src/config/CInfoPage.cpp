#include "config/CInfoPage.h"

namespace warpix {

CInfoPage::CInfoPage(std::string title, std::string body, DialogServices& services)
    : ConfigPage("Information", services), title_(title, Gtk::ALIGN_START) {
  title_.set_name("infoTitle");
  title_.set_markup("<b>" + Glib::Markup::escape_text(title) + "</b>");
  text_.set_name("infoText");
  text_.set_editable(false);
  text_.set_cursor_visible(false);
  text_.set_wrap_mode(Gtk::WRAP_WORD_CHAR);
  text_.set_left_margin(6);
  text_.set_right_margin(6);
  text_.get_buffer()->set_text(body);
  scroll_.set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
  scroll_.set_shadow_type(Gtk::SHADOW_IN);
  scroll_.add(text_);
  pack_start(title_, Gtk::PACK_SHRINK);
  pack_start(scroll_, Gtk::PACK_EXPAND_WIDGET);
  packButtonRow(false);
}

}  // namespace warpix
