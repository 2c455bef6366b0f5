#include "settings/SettingsReport.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/ProfileStore.h"
#include "raster/ImageCatalogue.h"
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

std::string plural(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The pictures a folder holds and the files the saver passes over, with
// the reasons for the first few.
std::string folderContents(const FolderCensus::Count& count, std::size_t budget) {
  const std::string limit = "(the look opens at most " + std::to_string(budget) + " files)";
  if (count.capped && count.looked == 0) return "  not looked at " + limit + "\n";
  std::string out = "  ";
  out += count.pictures == 0 ? std::string("no pictures") : plural(count.pictures, "picture", "pictures");
  if (count.skipped > 0) out += ", " + plural(count.skipped, "file", "files") + " skipped";
  if (count.capped) out += ", then the look stopped " + limit;
  out += "\n";
  for (const FolderCensus::Skip& skip : count.firstSkips)
    out += "      " + quoted(skip.name) + ": " + skip.reason + "\n";
  const int unnamed = count.skipped - static_cast<int>(count.firstSkips.size());
  if (unnamed > 0) out += "      and " + std::to_string(unnamed) + " more\n";
  return out;
}

// Whether the folders offered any picture, as far as the look went.
struct FoldersSeen {
  int pictures = 0;
  bool capped = false;
};

FoldersSeen appendFolders(std::string& out, const std::vector<std::string>& folders, FolderCensus& census) {
  out += "Folders (" + std::to_string(folders.size()) + "):\n";
  if (folders.empty()) out += "  (none)\n";
  FoldersSeen seen;
  for (const std::string& folder : folders) {
    const std::string problem = folderProblem(folder);
    out += "  " + quoted(folder) + problem;
    if (!problem.empty()) {
      out += "\n";
      continue;
    }
    const FolderCensus::Count count = census.count(folder);
    seen.pictures += count.pictures;
    seen.capped = seen.capped || count.capped;
    out += folderContents(count, census.budget());
  }
  return seen;
}

// Said when the folders give the saver nothing to show.
void appendSamplesNote(std::string& out, const std::vector<std::string>& folders, const FoldersSeen& seen,
                       const std::string& samplesFolder) {
  // A picture found is in the catalogue: no second listing of big folders.
  if (seen.pictures > 0) return;
  if (!buildImageList(folders).empty()) {
    // The samples stand in only for folders with nothing to try; files
    // that are all skipped leave the screen without photos.
    if (!seen.capped)
      out += "None of the files the saver would try can be shown (see above): it shows no photos.\n";
    return;
  }
  if (!samplesFolder.empty() && !buildImageList({samplesFolder}).empty()) {
    out += "No pictures found in the listed folders: the saver shows the sample pictures from " + samplesFolder +
           " instead (a --render run shows none).\n";
  } else {
    out += "No pictures found in the listed folders, and no sample pictures to show instead: the saver shows "
           "no photos.\n";
  }
}

void appendList(std::string& out, const char* title, const std::vector<std::string>& items) {
  out += title;
  out += " (" + std::to_string(items.size()) + "):\n";
  if (items.empty()) out += "  (none)\n";
  for (const std::string& item : items) out += "  " + quoted(item) + "\n";
}

}  // namespace

std::string settingsReport(const RegSettings& settings, const ProfileStore& store, const std::string& samplesFolder,
                           std::size_t fileBudget) {
  std::string out;
  for (const RegSettings::Entry& entry : settings.entries()) {
    const std::string value = entry.isText ? quoted(entry.value) : entry.value;
    const std::string fallback = entry.isText ? quoted(entry.fallback) : entry.fallback;
    out += entry.key + " = " + value + " (default " + fallback + ")\n";
  }
  out += "\n";
  FolderCensus census(fileBudget);
  const FoldersSeen seen = appendFolders(out, settings.folders(), census);
  appendSamplesNote(out, settings.folders(), seen, samplesFolder);
  appendList(out, "WebSites", settings.webSites());
  out += "\nSettings file: " + store.profilePath() + "\n";
  out += "Lists file: " + store.iniPath() + "\n";
  for (const std::string& problem : store.problems()) out += "Warning: " + problem + "\n";
  return out;
}

}  // namespace warpix
