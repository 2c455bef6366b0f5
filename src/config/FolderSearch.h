#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace warpix {

// The Images page's search for folders that hold pictures, on a worker
// thread. The worker never calls into the dialog: it only calls `notify`,
// which must be safe from any thread (it wakes the dialog's main loop,
// which then reads status() and, once finished(), takeFound()). Calls to
// notify are coalesced: one is pending until the main loop reads status().
class FolderSearch {
 public:
  explicit FolderSearch(std::function<void()> notify);
  ~FolderSearch();
  FolderSearch(const FolderSearch&) = delete;
  FolderSearch& operator=(const FolderSearch&) = delete;

  // Starts a search under `root` unless one is running.
  void start(const std::string& root);
  // Ends a running search and waits for its worker; what it found is
  // dropped.
  void stop();
  bool running() const;

  // The folder the worker is in now.
  std::string status();
  // True once a search ended by itself; takeFound() then hands over its
  // folders (once) and clears the mark.
  bool finished() const;
  std::vector<std::string> takeFound();

 private:
  void work(std::string root);
  void post();

  std::function<void()> notify_;
  std::thread worker_;
  std::atomic<bool> running_{false};
  std::atomic<bool> finished_{false};
  std::atomic<bool> notifyPending_{false};
  mutable std::mutex mutex_;
  std::string status_;
  std::vector<std::string> found_;
};

}  // namespace warpix
