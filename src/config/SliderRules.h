#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "config/SliderDef.h"

namespace warpix {

class RegSettings;

// The positions of a page's sliders: read from the settings when the page
// is first shown, moved by the user or by "Reset to defaults", and copied
// into the settings on OK (the page then saves its group).
class SliderRules {
 public:
  SliderRules(RegSettings& settings, std::span<const SliderDef> defs);

  std::span<const SliderDef> defs() const { return defs_; }
  std::int32_t value(std::size_t index) const { return values_.at(index); }
  // Held to the slider's range, as a slider cannot go beyond it.
  void set(std::size_t index, std::int32_t value);
  void reset();
  // Writes the positions into the settings record (not to storage).
  void store() const;

 private:
  RegSettings& settings_;
  std::span<const SliderDef> defs_;
  std::vector<std::int32_t> values_;
};

}  // namespace warpix
