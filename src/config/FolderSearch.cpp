#include "config/FolderSearch.h"

#include <utility>

#include "config/ImagesRules.h"
#include "raster/ImageCatalogue.h"
#include "raster/teFolder.h"

namespace warpix {

FolderSearch::FolderSearch(std::function<void()> notify) : notify_(std::move(notify)) {}

FolderSearch::~FolderSearch() { stop(); }

void FolderSearch::start(const std::string& root) {
  if (running()) return;
  if (worker_.joinable()) worker_.join();
  {
    const std::lock_guard lock(mutex_);
    found_.clear();
    status_ = root;
  }
  finished_ = false;
  running_ = true;
  worker_ = std::thread(&FolderSearch::work, this, root);
}

void FolderSearch::stop() {
  running_ = false;
  if (worker_.joinable()) worker_.join();
  finished_ = false;
  const std::lock_guard lock(mutex_);
  found_.clear();
}

bool FolderSearch::running() const { return running_; }

std::string FolderSearch::status() {
  notifyPending_ = false;
  const std::lock_guard lock(mutex_);
  return status_;
}

bool FolderSearch::finished() const { return finished_; }

std::vector<std::string> FolderSearch::takeFound() {
  finished_ = false;
  const std::lock_guard lock(mutex_);
  return std::exchange(found_, {});
}

void FolderSearch::post() {
  if (!notifyPending_.exchange(true) && notify_) notify_();
}

void FolderSearch::work(std::string root) {
  std::vector<std::string> found;
  teFolder(root).searchTree(
      imagePatterns(), found,
      [this](const std::string& folder) {
        {
          const std::lock_guard lock(mutex_);
          status_ = folder;
        }
        post();
      },
      &running_);
  // A search that was stopped adds nothing.
  if (!running_.exchange(false)) return;
  {
    const std::lock_guard lock(mutex_);
    found_ = std::move(found);
  }
  finished_ = true;
  notifyPending_ = false;
  post();
}

}  // namespace warpix
