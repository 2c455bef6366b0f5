#include "raster/teFolder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace warpix {

namespace fs = std::filesystem;

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool running(const std::atomic<bool>* flag) { return flag == nullptr || flag->load(); }

std::vector<std::string> splitPatterns(const std::string& patterns) {
  std::vector<std::string> out;
  std::size_t pos = 0;
  while (pos < patterns.size()) {
    const std::size_t end = std::min(patterns.find(' ', pos), patterns.size());
    if (end > pos) out.push_back(patterns.substr(pos, end - pos));
    pos = end + 1;
  }
  return out;
}

// Pipes, sockets and devices are left out: opening one to decode it could
// block for ever. Anything else counts, folders and dangling links included.
bool listable(const fs::directory_entry& entry) {
  std::error_code ec;
  fs::file_status st = entry.symlink_status(ec);
  if (ec) return false;
  if (fs::is_symlink(st)) {
    st = entry.status(ec);
    if (ec) return true;  // a dangling link: harmless to list, fails to open
  }
  return !fs::is_other(st);
}

// Visits every entry of `dir`; a folder that cannot be read, or an error
// part way, ends the listing quietly.
template <typename Visit>
void forEachEntry(const std::string& dir, Visit&& visit) {
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    if (!visit(*it)) return;
  }
}

}  // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || lowerAscii(pattern[p]) == lowerAscii(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;  // let the last "*" swallow one more character
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

teFolder::teFolder(std::string path) : path_(std::move(path)) {
  while (path_.size() > 1 && path_.back() == '/') path_.pop_back();
}

std::string teFolder::join(const std::string& name) const {
  return path_.back() == '/' ? path_ + name : path_ + "/" + name;
}

std::vector<std::string> teFolder::matches(const std::string& pattern, bool lowercase, bool firstOnly) const {
  std::vector<std::string> found;
  // An empty folder name stands for no folder, never for the root.
  if (path_.empty()) return found;
  forEachEntry(path_, [&](const fs::directory_entry& entry) {
    std::string name = entry.path().filename().string();
    if (!wildcardMatch(pattern, name) || !listable(entry)) return true;
    if (lowercase) std::transform(name.begin(), name.end(), name.begin(), lowerAscii);
    found.push_back(std::move(name));
    return !firstOnly;
  });
  std::sort(found.begin(), found.end());
  return found;
}

int teFolder::scanFiles(const std::string& patterns, const std::atomic<bool>* runningFlag, bool lowercase) {
  int added = 0;
  for (const std::string& pattern : splitPatterns(patterns)) {
    if (!running(runningFlag)) break;
    std::vector<std::string> found = matches(pattern, lowercase, false);
    added += static_cast<int>(found.size());
    files_.insert(files_.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
  }
  fileCursor_ = 0;
  return added;
}

bool teFolder::hasFiles(const std::string& patterns, const std::atomic<bool>* runningFlag) const {
  for (const std::string& pattern : splitPatterns(patterns)) {
    if (!running(runningFlag)) return false;
    if (!matches(pattern, false, true).empty()) return true;
  }
  return false;
}

int teFolder::scanSubfolders(bool /*includeSystem*/, bool /*includeHidden*/, const std::atomic<bool>* runningFlag) {
  std::vector<std::string> found;
  if (!path_.empty()) {
    forEachEntry(path_, [&](const fs::directory_entry& entry) {
      if (!running(runningFlag)) return false;
      std::string name = entry.path().filename().string();
      std::error_code ec;
      if (!name.empty() && name.front() != '.' && entry.is_directory(ec) && !ec) found.push_back(std::move(name));
      return true;
    });
  }
  std::sort(found.begin(), found.end());
  subfolders_.insert(subfolders_.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
  subfolderCursor_ = 0;
  return static_cast<int>(found.size());
}

std::string teFolder::nextSubfolder() {
  if (subfolderCursor_ >= subfolders_.size()) return {};
  return join(subfolders_[subfolderCursor_++]);
}

void teFolder::appendPaths(std::vector<std::string>& list) const {
  list.reserve(list.size() + files_.size());
  for (const std::string& name : files_) list.push_back(join(name));
}

void teFolder::searchTree(const std::string& patterns, std::vector<std::string>& result,
                          const StatusCallback& status, bool includeSystem, bool includeHidden,
                          const std::atomic<bool>* runningFlag) {
  std::set<std::string> visited;
  searchTree(patterns, result, status, includeSystem, includeHidden, runningFlag, visited);
}

void teFolder::searchTree(const std::string& patterns, std::vector<std::string>& result,
                          const StatusCallback& status, bool includeSystem, bool includeHidden,
                          const std::atomic<bool>* runningFlag, std::set<std::string>& visited) {
  if (!running(runningFlag) || path_.empty()) return;
  std::error_code ec;
  const fs::path real = fs::canonical(path_, ec);
  if (!ec && !visited.insert(real.string()).second) return;  // reached again through a link
  if (status) status(path_);
  if (hasFiles(patterns, runningFlag)) result.push_back(path_);
  scanSubfolders(includeSystem, includeHidden, runningFlag);
  for (std::string sub = nextSubfolder(); !sub.empty() && running(runningFlag); sub = nextSubfolder()) {
    teFolder(sub).searchTree(patterns, result, status, includeSystem, includeHidden, runningFlag, visited);
  }
}

}  // namespace warpix
