#include "config/WebRules.h"

#include <algorithm>

#include "settings/RegSettings.h"

namespace warpix {

namespace {

std::span<const SliderDef> periodSpec() { return {&webPeriodSlider(), 1}; }

}  // namespace

WebRules::WebRules(RegSettings& settings)
    : settings_(settings), period_(settings, periodSpec()), shownAccess_(settings.webAccess()) {
  if (shownAccess_ != 0 && shownAccess_ != 1) shownAccess_ = 2;
  for (const std::string& site : settings_.webSites()) list_.insert(site);
}

void WebRules::chooseAccess(std::int32_t access) {
  shownAccess_ = std::clamp(access, 0, 2);
  settings_.setWebAccess(shownAccess_);
}

std::string WebRules::stripPrefix(const std::string& address) {
  if (address.starts_with("http://") || address.starts_with("HTTP://")) return address.substr(7);
  return address;
}

void WebRules::add(const std::string& address) {
  std::string site = stripPrefix(address);
  // "http://" alone names no site; stored, it would read back as nothing.
  if (site.empty()) return;
  std::vector<std::string> sites = settings_.webSites();
  sites.push_back(site);
  settings_.setWebSites(std::move(sites));
  list_.insert(std::move(site));
}

void WebRules::editSelected(const std::string& address) {
  const std::optional<std::string> old = list_.selected();
  if (!old || stripPrefix(address).empty()) return;
  list_.eraseSelected();
  list_.select(std::nullopt);
  std::vector<std::string> sites = settings_.webSites();
  std::erase(sites, *old);
  settings_.setWebSites(std::move(sites));
  add(address);
}

void WebRules::removeSelected() {
  const std::optional<std::string> gone = list_.selected();
  if (!gone) return;
  list_.eraseSelected();
  std::vector<std::string> sites = settings_.webSites();
  std::erase(sites, *gone);
  settings_.setWebSites(std::move(sites));
}

void WebRules::reset() {
  period_.reset();
  shownAccess_ = 0;
}

void WebRules::ok() {
  period_.store();
  settings_.saveWeb();
}

}  // namespace warpix
