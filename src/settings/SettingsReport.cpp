#include "settings/SettingsReport.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/ProfileStore.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {

// Texts in double quotes, with the characters that would break the line or
// hide in it written as escapes, so that an empty text and trailing blanks
// are visible.
std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7f) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Said beside a folder the saver can take no photo from, so that the user
// sees at once why none shows; empty for a folder that is there.
std::string folderProblem(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(folder, error);
  if (fs::is_directory(status)) return {};
  if (status.type() == fs::file_type::not_found) return "  (missing)";
  if (error) return "  (cannot be reached: " + error.message() + ")";
  return "  (not a folder)";
}

void appendList(std::string& out, const char* title, const std::vector<std::string>& items,
                std::string (*note)(const std::string&) = nullptr) {
  out += title;
  out += " (" + std::to_string(items.size()) + "):\n";
  if (items.empty()) out += "  (none)\n";
  for (const std::string& item : items) out += "  " + quoted(item) + (note ? note(item) : "") + "\n";
}

}  // namespace

std::string settingsReport(const RegSettings& settings, const ProfileStore& store) {
  std::string out;
  for (const RegSettings::Entry& entry : settings.entries()) {
    const std::string value = entry.isText ? quoted(entry.value) : entry.value;
    const std::string fallback = entry.isText ? quoted(entry.fallback) : entry.fallback;
    out += entry.key + " = " + value + " (default " + fallback + ")\n";
  }
  out += "\n";
  appendList(out, "Folders", settings.folders(), folderProblem);
  appendList(out, "WebSites", settings.webSites());
  out += "\nSettings file: " + store.profilePath() + "\n";
  out += "Lists file: " + store.iniPath() + "\n";
  for (const std::string& problem : store.problems()) out += "Warning: " + problem + "\n";
  return out;
}

}  // namespace warpix
