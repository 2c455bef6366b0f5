#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace warpix {

// One slider of a settings page: the stored setting it moves, what the user
// reads around it, its tick spacing and the value "Reset to defaults" gives.
// The range is the setting's own, from the settings table.
struct SliderDef {
  std::string_view key;
  const char* label;    // with "_" before the mnemonic letter
  const char* endText;  // at the slider's right end
  std::int32_t tick;
  std::int32_t reset;
  const char* tip;      // empty: no tool tip

  std::int32_t lo() const;
  std::int32_t hi() const;
};

inline constexpr const char* kResetTip = "Resets all the above controls to their default settings";
inline constexpr const char* kMinimumPeriodLabel = "_Minimum period between images:";
inline constexpr const char* kMinimumPeriodTip =
    "The minimum time between displaying images, so they don't cycle too quickly";

std::span<const SliderDef> generalSliders();
std::span<const SliderDef> styleSliders();
std::span<const SliderDef> textSliders();
const SliderDef& imagePeriodSlider();
const SliderDef& webPeriodSlider();

}  // namespace warpix
