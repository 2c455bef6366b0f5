#pragma once

#include <cstddef>
#include <string>

#include "raster/FolderCensus.h"

namespace warpix {

class ProfileStore;
class RegSettings;

// The text of `warpix --print-settings`: every setting as
// "Key = value (default …)", then the folders with the pictures each holds
// and the files it skips, whether the sample pictures in `samplesFolder`
// stand in, the web sites, the two settings files and anything wrong with
// them. The look into the folders opens at most `fileBudget` files.
std::string settingsReport(const RegSettings& settings, const ProfileStore& store,
                           const std::string& samplesFolder = {},
                           std::size_t fileBudget = FolderCensus::kDefaultBudget);

}  // namespace warpix
