#include "config/CStylesPage.h"

#include "config/StyleSamples.h"
#include "config/SurfacePixbuf.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {

constexpr int kColumns = 2;

}  // namespace

CStylesPage::CStylesPage(RegSettings& settings, DialogServices& services)
    : CSliderPage("Distortions", settings, services, styleSliders(), kColumns, &RegSettings::saveStyles) {
  const std::span<const SliderDef> defs = styleSliders();
  for (std::size_t i = 0; i < defs.size(); ++i) {
    Gtk::Widget& row = sliders().row(i);
    grid().remove(row);
    auto* cell = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_HORIZONTAL, 12);
    cell->pack_start(row, Gtk::PACK_EXPAND_WIDGET);
    auto* picture = Gtk::make_managed<Gtk::Image>(surfacePixbuf(StyleSamples::styleSample(defs[i].key)));
    picture->set_name(std::string(defs[i].key) + "Picture");
    cell->pack_start(*picture, Gtk::PACK_SHRINK);
    grid().attach(*cell, static_cast<int>(i) % kColumns, static_cast<int>(i) / kColumns);
  }
}

}  // namespace warpix
