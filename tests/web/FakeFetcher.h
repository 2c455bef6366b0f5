#pragma once

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/HttpFetcher.h"
#include "platform/OnlineDetector.h"

namespace warpix::testing {

// Answers fetches from a table, at once; an address it does not know gets
// a 404. A "hang" answer sends its body and then waits until it is stopped.
class FakeFetcher final : public HttpFetcher {
 public:
  struct Answer {
    Outcome outcome = Outcome::Done;
    std::string body;
    bool hang = false;
  };

  void answer(const std::string& url, Answer a) {
    const std::lock_guard lock(mutex_);
    answers_[url] = std::move(a);
  }
  std::vector<std::string> requested() {
    const std::lock_guard lock(mutex_);
    return requested_;
  }
  // Waits until `n` fetches have sent what they had and hang.
  void waitUntilHanging(int n) {
    while (hanging_ < n) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::vector<std::string> agents() {
    const std::lock_guard lock(mutex_);
    return agents_;
  }

  Outcome fetch(const Request& request, const Sink& sink, const std::atomic<bool>& keepGoing) override {
    Answer a{Outcome::HttpError, {}, false};
    {
      const std::lock_guard lock(mutex_);
      requested_.push_back(request.url);
      agents_.push_back(request.userAgent);
      if (const auto it = answers_.find(request.url); it != answers_.end()) a = it->second;
    }
    if (!a.body.empty() && !sink(a.body)) return Outcome::Cancelled;
    if (!a.hang) return a.outcome;
    ++hanging_;
    while (keepGoing) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return Outcome::Cancelled;
  }

 private:
  std::atomic<int> hanging_{0};
  std::mutex mutex_;
  std::map<std::string, Answer> answers_;
  std::vector<std::string> requested_;
  std::vector<std::string> agents_;
};

struct FakeOnline final : OnlineDetector {
  bool monitor = true;
  bool full = true;
  bool monitorAvailable() override { return monitor; }
  bool fullConnectivity() override { return full; }
};

}  // namespace warpix::testing
