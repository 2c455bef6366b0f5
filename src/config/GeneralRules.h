#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/SliderRules.h"

namespace warpix {

class RegSettings;

// The General page: eight frequency sliders, the blank-screen switch and
// its minutes field with the up-down arrows beside it.
class GeneralRules {
 public:
  static constexpr std::int32_t kMinutesLo = 0;
  static constexpr std::int32_t kMinutesHi = 999;
  // The arrows never go below 1, though 0 may be typed.
  static constexpr std::int32_t kArrowLo = 1;
  static constexpr std::int32_t kResetMinutes = 60;

  explicit GeneralRules(RegSettings& settings);

  SliderRules& sliders() { return sliders_; }
  bool blankScreen() const { return blankScreen_; }
  void setBlankScreen(bool on) { blankScreen_ = on; }
  // The minutes field, its text and its arrows are usable only when blanking.
  bool minutesEnabled() const { return blankScreen_; }
  const std::string& minutesText() const { return minutesText_; }
  void setMinutesText(std::string text) { minutesText_ = std::move(text); }
  // What the arrows make of the field's text.
  void stepMinutes(int delta);
  void reset();

  // The message that refuses the minutes text, or nothing when it is fine.
  static std::optional<std::string> minutesProblem(const std::string& text);
  // Stores and saves the page; false (nothing stored) when the minutes are
  // refused.
  bool ok();

 private:
  static std::optional<std::int64_t> parseInteger(const std::string& text);

  RegSettings& settings_;
  SliderRules sliders_;
  bool blankScreen_;
  std::string minutesText_;
};

}  // namespace warpix
