#include "config/SliderRules.h"

#include <algorithm>

#include "settings/RegSettings.h"

namespace warpix {

SliderRules::SliderRules(RegSettings& settings, std::span<const SliderSpec> specs)
    : settings_(settings), specs_(specs) {
  for (const SliderSpec& spec : specs_) {
    const RegSettings::Field* field = RegSettings::findField(spec.key);
    values_.push_back(field != nullptr ? std::clamp(field->read(settings_), spec.lo(), spec.hi()) : 0);
  }
}

void SliderRules::set(std::size_t index, std::int32_t value) {
  const SliderSpec& spec = specs_[index];
  values_.at(index) = std::clamp(value, spec.lo(), spec.hi());
}

void SliderRules::reset() {
  for (std::size_t i = 0; i < specs_.size(); ++i) values_[i] = specs_[i].reset;
}

void SliderRules::store() const {
  for (std::size_t i = 0; i < specs_.size(); ++i) {
    if (const RegSettings::Field* field = RegSettings::findField(specs_[i].key)) field->write(settings_, values_[i]);
  }
}

}  // namespace warpix
