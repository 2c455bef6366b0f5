#pragma once

#include <cstdint>
#include <locale>
#include <string>

#include "effects/Texter.h"

namespace warpix {

class Clock;

// The local date and time as "7 Dec 8:05": day without a leading zero, the
// month's abbreviation in the user's language, the hour on the 12-hour
// clock without a leading zero and two-digit minutes, with no AM or PM.
// The time comes from the program's clock, so rendered runs repeat.
class TexterTime final : public Texter {
 public:
  // `names` supplies the month abbreviations (its time category counts).
  TexterTime(Random& random, Clock& clock, std::locale names = userLocale());

  std::string getText() override;
  const char* name() const override { return "TexterTime"; }

  // `wallSeconds` since the epoch, in the local time zone.
  static std::string format(std::int64_t wallSeconds, const std::locale& names);
  // The time category of the user's environment (LC_ALL, LC_TIME, LANG);
  // the classic one when that locale is not installed.
  static std::locale userLocale();

 private:
  Clock& clock_;
  std::locale names_;
};

}  // namespace warpix
