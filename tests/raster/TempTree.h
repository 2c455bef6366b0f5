#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace warpix::test {

// A scratch folder under the system temp folder, removed with its contents
// when the test ends.
class TempTree {
 public:
  TempTree() {
    std::random_device rd;
    root_ = std::filesystem::temp_directory_path() / ("warpix-tree-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(root_);
  }
  ~TempTree() {
    std::error_code ec;
    // Give back any permission a test took away, so everything can go.
    for (auto it = std::filesystem::recursive_directory_iterator(root_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(root_, ec);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  std::string path(const std::string& relative = "") const {
    return relative.empty() ? root_.string() : (root_ / relative).string();
  }
  std::string dir(const std::string& relative) const {
    std::filesystem::create_directories(root_ / relative);
    return path(relative);
  }
  std::string file(const std::string& relative) const {
    std::filesystem::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative) << "x";
    return path(relative);
  }

 private:
  std::filesystem::path root_;
};

}  // namespace warpix::test
