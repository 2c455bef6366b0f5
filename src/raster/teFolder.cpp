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

const std::vector<teFolder::Entry>& teFolder::listing() const {
  if (listing_) return *listing_;
  listing_.emplace();
  // An empty folder name stands for no folder, never for the root.
  if (path_.empty()) return *listing_;
  // A folder that cannot be read, or an error part way, ends the reading
  // quietly with what was read so far.
  std::error_code ec;
  fs::directory_iterator it(path_, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code dirEc;
    const bool directory = it->is_directory(dirEc) && !dirEc;
    listing_->push_back(Entry{it->path().filename().string(), listable(*it), directory});
  }
  std::sort(listing_->begin(), listing_->end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return *listing_;
}

std::vector<std::string> teFolder::matches(const std::string& pattern, bool lowercase) const {
  std::vector<std::string> found;
  for (const Entry& entry : listing()) {
    if (!entry.listable || !wildcardMatch(pattern, entry.name)) continue;
    found.push_back(entry.name);
    if (lowercase) std::transform(found.back().begin(), found.back().end(), found.back().begin(), lowerAscii);
  }
  return found;
}

int teFolder::scanFiles(const std::string& patterns, const std::atomic<bool>* runningFlag, bool lowercase) {
  int added = 0;
  for (const std::string& pattern : splitPatterns(patterns)) {
    if (!running(runningFlag)) break;
    std::vector<std::string> found = matches(pattern, lowercase);
    added += static_cast<int>(found.size());
    files_.insert(files_.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
  }
  return added;
}

bool teFolder::hasFiles(const std::string& patterns, const std::atomic<bool>* runningFlag) const {
  for (const std::string& pattern : splitPatterns(patterns)) {
    if (!running(runningFlag)) return false;
    for (const Entry& entry : listing())
      if (entry.listable && wildcardMatch(pattern, entry.name)) return true;
  }
  return false;
}

int teFolder::scanSubfolders(const std::atomic<bool>* runningFlag) {
  int added = 0;
  if (running(runningFlag)) {
    for (const Entry& entry : listing()) {
      if (!entry.directory || entry.name.empty() || entry.name.front() == '.') continue;
      subfolders_.push_back(entry.name);
      ++added;
    }
  }
  subfolderCursor_ = 0;
  return added;
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
                          const StatusCallback& status, const std::atomic<bool>* runningFlag) {
  std::set<std::string> visited;
  searchTree(patterns, result, status, runningFlag, visited);
}

void teFolder::searchTree(const std::string& patterns, std::vector<std::string>& result,
                          const StatusCallback& status, const std::atomic<bool>* runningFlag,
                          std::set<std::string>& visited) {
  if (!running(runningFlag) || path_.empty()) return;
  std::error_code ec;
  const fs::path real = fs::canonical(path_, ec);
  if (!ec && !visited.insert(real.string()).second) return;  // reached again through a link
  if (status) status(path_);
  if (hasFiles(patterns, runningFlag)) result.push_back(path_);
  scanSubfolders(runningFlag);
  for (std::string sub = nextSubfolder(); !sub.empty() && running(runningFlag); sub = nextSubfolder()) {
    teFolder(sub).searchTree(patterns, result, status, runningFlag, visited);
  }
}

}  // namespace warpix
