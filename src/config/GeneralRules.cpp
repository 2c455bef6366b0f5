#include "config/GeneralRules.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "settings/RegSettings.h"

namespace warpix {

GeneralRules::GeneralRules(RegSettings& settings)
    : settings_(settings),
      sliders_(settings, generalSliders()),
      blankScreen_(settings.blankScreen()),
      minutesText_(std::to_string(settings.blankMinutes())) {}

std::optional<std::int64_t> GeneralRules::parseInteger(const std::string& text) {
  std::size_t start = 0;
  std::size_t end = text.size();
  while (start < end && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
  while (end > start && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  if (start < end && text[start] == '+') ++start;
  std::int64_t value = 0;
  const char* first = text.data() + start;
  const char* last = text.data() + end;
  const auto [stop, error] = std::from_chars(first, last, value);
  if (first == last || error != std::errc() || stop != last) return std::nullopt;
  return value;
}

std::optional<std::string> GeneralRules::minutesProblem(const std::string& text) {
  const std::optional<std::int64_t> value = parseInteger(text);
  if (!value) return std::string("Please enter an integer.");
  if (*value < kMinutesLo || *value > kMinutesHi)
    return "Please enter an integer between " + std::to_string(kMinutesLo) + " and " + std::to_string(kMinutesHi) +
           ".";
  return std::nullopt;
}

void GeneralRules::stepMinutes(int delta) {
  const std::optional<std::int64_t> value = parseInteger(minutesText_);
  const std::int64_t from = value.value_or(kArrowLo);
  minutesText_ = std::to_string(std::clamp<std::int64_t>(from + delta, kArrowLo, kMinutesHi));
}

void GeneralRules::reset() {
  sliders_.reset();
  blankScreen_ = false;
  minutesText_ = std::to_string(kResetMinutes);
}

bool GeneralRules::ok() {
  if (minutesProblem(minutesText_)) return false;
  settings_.setBlankScreen(blankScreen_);
  settings_.setBlankMinutes(static_cast<std::int32_t>(*parseInteger(minutesText_)));
  sliders_.store();
  settings_.saveGeneral();
  return true;
}

}  // namespace warpix
