#include "config/CSliderPage.h"

#include "settings/RegSettings.h"

namespace warpix {

CSliderPage::CSliderPage(const char* caption, RegSettings& settings, DialogServices& services,
                         std::span<const SliderDef> defs, int columns, void (RegSettings::*save)())
    : ConfigPage(caption, services), settings_(settings), defs_(defs), save_(save), sliders_(defs) {
  grid_.set_row_spacing(12);
  grid_.set_column_spacing(24);
  grid_.set_column_homogeneous(true);
  for (std::size_t i = 0; i < defs.size(); ++i)
    grid_.attach(sliders_.row(i), static_cast<int>(i) % columns, static_cast<int>(i) / columns);
  pack_start(grid_, Gtk::PACK_SHRINK);
  packButtonRow(true);
  resetButton().signal_clicked().connect([this] {
    rules_->reset();
    sliders_.refresh();
  });
}

void CSliderPage::fill() {
  rules_.emplace(settings_, defs_);
  sliders_.bind(*rules_);
}

void CSliderPage::apply() {
  rules_->store();
  (settings_.*save_)();
}

}  // namespace warpix
