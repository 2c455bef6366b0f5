#include "effects/TexterTime.h"

#include <ctime>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "platform/Clock.h"

namespace warpix {

TexterTime::TexterTime(Random& random, Clock& clock, std::locale names)
    : Texter(random), clock_(clock), names_(std::move(names)) {}

std::string TexterTime::getText() { return format(clock_.wallSeconds(), names_); }

std::string TexterTime::format(std::int64_t wallSeconds, const std::locale& names) {
  const auto t = static_cast<std::time_t>(wallSeconds);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return {};
  std::ostringstream out;
  out.imbue(names);
  out << local.tm_mday << ' ';
  std::use_facet<std::time_put<char>>(names).put(std::ostreambuf_iterator<char>(out), out, ' ', &local, 'b');
  const int hour = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
  out << ' ' << hour << ':' << (local.tm_min < 10 ? "0" : "") << local.tm_min;
  return out.str();
}

std::locale TexterTime::userLocale() {
  try {
    return std::locale(std::locale::classic(), std::locale(""), std::locale::time);
  } catch (const std::runtime_error&) {
    return std::locale::classic();
  }
}

}  // namespace warpix
