#pragma once

#include <functional>
#include <optional>

#include "config/ConfigPage.h"
#include "config/SliderGroup.h"
#include "config/SliderRules.h"

namespace warpix {

class RegSettings;

// A page of sliders alone, laid out in columns, with "Reset to defaults"
// and "Help"; OK stores the sliders and saves the page's group.
class CSliderPage : public ConfigPage {
 public:
  CSliderPage(const char* caption, RegSettings& settings, DialogServices& services, std::span<const SliderDef> defs,
              int columns, void (RegSettings::*save)());

  void apply() override;

 protected:
  void fill() override;
  // Where slider `index` goes; a page puts a picture beside it this way.
  Gtk::Grid& grid() { return grid_; }
  SliderGroup& sliders() { return sliders_; }

 private:
  RegSettings& settings_;
  std::span<const SliderDef> defs_;
  void (RegSettings::*save_)();
  std::optional<SliderRules> rules_;
  SliderGroup sliders_;
  Gtk::Grid grid_;
};

}  // namespace warpix
