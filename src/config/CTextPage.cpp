#include "config/CTextPage.h"

#include "settings/RegSettings.h"

namespace warpix {

CTextPage::CTextPage(RegSettings& settings, DialogServices& services)
    : CSliderPage("Text", settings, services, textSliders(), 1, &RegSettings::saveText) {
  auto* heading = Gtk::make_managed<Gtk::Label>("How often to display various types of  messages:", Gtk::ALIGN_START);
  pack_start(*heading, Gtk::PACK_SHRINK);
  reorder_child(*heading, 0);
}

}  // namespace warpix
