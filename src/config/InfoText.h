#pragma once

#include <string>

namespace warpix {

// The Information page: what the program is, its version and where its
// settings are kept.
struct InfoText {
  static std::string title(const std::string& version);
  static std::string body(const std::string& profilePath, const std::string& iniPath);
};

}  // namespace warpix
