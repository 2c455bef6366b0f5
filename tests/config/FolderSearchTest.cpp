#include "config/FolderSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "platform/TempFolder.h"

namespace warpix {
namespace {

using testing::TempFolder;

// Waits on the worker's wake-ups the way the dialog's main loop does.
class Waker {
 public:
  void wake() {
    const std::lock_guard lock(mutex_);
    ++wakes_;
    changed_.notify_all();
  }
  bool waitFinished(FolderSearch& search) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return search.finished(); });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int wakes_ = 0;
};

TEST(FolderSearchTest, FindsEveryFolderHoldingPicturesAndStoppingFindsNothing) {
  TempFolder tree;
  for (const char* dir : {"a/b", "a/c", "d", ".hidden"}) std::filesystem::create_directories(tree.path() / dir);
  tree.write("a/b/x.png", "");
  tree.write("d/y.JPEG", "");
  tree.write("a/c/notes.txt", "");
  tree.write(".hidden/z.jpg", "");

  Waker waker;
  FolderSearch search([&] { waker.wake(); });
  search.start(tree.str());
  ASSERT_TRUE(waker.waitFinished(search));
  std::vector<std::string> found = search.takeFound();
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{(tree.path() / "a/b").string(), (tree.path() / "d").string()}));
  EXPECT_FALSE(search.running());
  EXPECT_TRUE(search.takeFound().empty()) << "handed over once";

  search.start(tree.str());
  search.stop();
  EXPECT_FALSE(search.running());
  EXPECT_FALSE(search.finished());
  EXPECT_TRUE(search.takeFound().empty());
}

}  // namespace
}  // namespace warpix
