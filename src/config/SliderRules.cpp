#include "config/SliderRules.h"

#include <algorithm>

#include "settings/RegSettings.h"

namespace warpix {

SliderRules::SliderRules(RegSettings& settings, std::span<const SliderDef> defs)
    : settings_(settings), defs_(defs) {
  for (const SliderDef& def : defs_) {
    const RegSettings::Field* field = RegSettings::findField(def.key);
    values_.push_back(field != nullptr ? std::clamp(field->read(settings_), def.lo(), def.hi()) : 0);
  }
}

void SliderRules::set(std::size_t index, std::int32_t value) {
  const SliderDef& def = defs_[index];
  values_.at(index) = std::clamp(value, def.lo(), def.hi());
}

void SliderRules::reset() {
  for (std::size_t i = 0; i < defs_.size(); ++i) values_[i] = defs_[i].reset;
}

void SliderRules::store() const {
  for (std::size_t i = 0; i < defs_.size(); ++i) {
    if (const RegSettings::Field* field = RegSettings::findField(defs_[i].key)) field->write(settings_, values_[i]);
  }
}

}  // namespace warpix
