#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace warpix {

// True when `name` matches `pattern`, where "*" stands for any run of
// characters and "?" for exactly one byte. Letters match regardless of case
// (ASCII), as camera files are often named IMG_0001.JPG.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// One folder of the file system: lists the files that match wildcard
// patterns and the subfolders below it, and searches a tree for folders that
// hold pictures. Names are bare names; paths are folder + "/" + name.
//
// Nothing here throws: a folder that is missing, unreadable or vanishes
// while it is read simply lists what could be read (usually nothing).
class teFolder {
 public:
  // Trailing "/" are dropped ("/" itself stays "/").
  explicit teFolder(std::string path);

  const std::string& path() const { return path_; }
  const std::vector<std::string>& files() const { return files_; }
  const std::vector<std::string>& subfolders() const { return subfolders_; }

  // Appends the names that match each pattern of the space-separated list,
  // pattern by pattern; within one pattern in byte order of the names, so a
  // scan does not depend on the order the file system happens to return.
  // The folder's contents are read at the first scan of this object.
  // Returns the number appended. When `running` is given and becomes false
  // the scan ends before the next pattern.
  int scanFiles(const std::string& patterns, const std::atomic<bool>* running = nullptr, bool lowercase = false);
  bool hasFiles(const std::string& patterns, const std::atomic<bool>* running = nullptr) const;

  // Appends every subfolder whose name does not begin with "." (the hidden
  // ones) and rewinds the subfolder cursor; returns the count.
  int scanSubfolders(const std::atomic<bool>* running = nullptr);
  // The path of the subfolder under the cursor, advancing it; "" at the end.
  std::string nextSubfolder();

  void appendPaths(std::vector<std::string>& list) const;

  using StatusCallback = std::function<void(const std::string&)>;
  // Appends to `result` this folder and every folder below it that has a
  // file matching `patterns`, depth first in the order found. `status` hears
  // each folder as it is entered. Each real folder is entered once, so a
  // symbolic link that leads back up the tree ends instead of looping.
  void searchTree(const std::string& patterns, std::vector<std::string>& result, const StatusCallback& status,
                  const std::atomic<bool>* running = nullptr);

 private:
  void searchTree(const std::string& patterns, std::vector<std::string>& result, const StatusCallback& status,
                  const std::atomic<bool>* running, std::set<std::string>& visited);
  std::string join(const std::string& name) const;
  std::vector<std::string> matches(const std::string& pattern, bool lowercase) const;

  struct Entry {
    std::string name;
    bool listable = false;   // may be offered as a file
    bool directory = false;  // a folder, or a link to one
  };
  // The folder is read once, at the first scan, and the later scans of this
  // object share that reading: five patterns cost one pass over the folder.
  const std::vector<Entry>& listing() const;

  std::string path_;
  std::vector<std::string> files_;
  std::vector<std::string> subfolders_;
  std::size_t subfolderCursor_ = 0;
  mutable std::optional<std::vector<Entry>> listing_;
};

}  // namespace warpix
