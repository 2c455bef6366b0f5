#pragma once

#include <string>

namespace warpix {

class ProfileStore;
class RegSettings;

// The text of `warpix --print-settings`: every setting as
// "Key = value (default …)", then the folders, the web sites, the two
// settings files and anything wrong with them.
std::string settingsReport(const RegSettings& settings, const ProfileStore& store);

}  // namespace warpix
