#pragma once

#include <cstdint>
#include <string>

#include "config/SliderRules.h"
#include "config/SortedList.h"

namespace warpix {

class RegSettings;

// The Web Sites page: when the web is used, the list of sites and the
// minimum period between web pictures. The choice and the list go into the
// settings record at once; OK stores the slider and saves the page.
class WebRules {
 public:
  static constexpr std::size_t kMaxAddressChars = 200;

  explicit WebRules(RegSettings& settings);

  SortedList& list() { return list_; }
  const SortedList& list() const { return list_; }
  SliderRules& period() { return period_; }

  // The choice shown: 0 never, 1 when on-line, 2 always.
  std::int32_t shownAccess() const { return shownAccess_; }
  void chooseAccess(std::int32_t access);
  // The site list and its buttons are usable only while the web is used.
  bool listEnabled() const { return shownAccess_ != 0; }

  // An address as typed, without a leading "http://" or "HTTP://".
  static std::string stripPrefix(const std::string& address);
  // Nothing happens for an empty address.
  void add(const std::string& address);
  void editSelected(const std::string& address);
  void removeSelected();
  // Shows "never" and the default period without storing the choice.
  void reset();

  void ok();

 private:
  RegSettings& settings_;
  SortedList list_;
  SliderRules period_;
  std::int32_t shownAccess_;
};

}  // namespace warpix
