#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace warpix {

class Clock;
class HttpFetcher;
class Random;
class Trace;

enum class CrawlerStatus { Loaded = 0, NoAddress = 1, Failed = 2, Loading = 3, Stopped = 4, TimedOut = 5 };

// Fetches one web page or one picture at a time on a worker thread of its
// own and keeps what the crawl needs between fetches: the last page's
// lines, the candidate pictures and links found on it, and the pictures
// downloaded lately. Everything but the worker runs on the scene's thread.
//
// A worker shares only its own job with this object, so a worker that a
// stop could not end in time never touches a page that has moved on. A
// picture is downloaded to a file of its own and renamed over the web
// temporary file when the poll sees the download end, so the picture the
// crawl has just reported stays whole until the next poll.
class WebPage {
 public:
  static constexpr const char* kPageAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; .NET CLR 1.1.4322)";
  static constexpr const char* kImageAgent = "Photo Warpix";
  static constexpr std::uint64_t kMaxPageBytes = 4ull << 20;
  static constexpr std::uint64_t kMaxImageBytes = 32ull << 20;
  static constexpr std::uint32_t kStopWaitMs = 10000;
  static constexpr std::size_t kVisitedLimit = 100;

  WebPage(HttpFetcher& http, Clock& clock, Trace& trace);
  virtual ~WebPage();
  WebPage(const WebPage&) = delete;
  WebPage& operator=(const WebPage&) = delete;

  void SetTempFile(const std::string& path) { tempFilePath_ = path; }
  const std::string& tempFile() const { return tempFilePath_; }

  void Load(const std::string& address);
  void LoadFile(const std::string& address);
  CrawlerStatus Status();
  bool IsRunning();
  void Stop();
  void TimeOut();
  std::int64_t ElapsedSinceStart() const;
  // Waits, in real time, until the worker ends or has run `limitMs`
  // since it started; true when it has ended.
  bool WaitForWorker(std::uint32_t limitMs);

  void ScanPage();
  bool HasImages() const { return !imageList_.empty(); }
  bool HasLinks() const { return !linkList_.empty(); }
  std::size_t ImageCount() const { return imageList_.size(); }
  void ClearImages() { imageList_.clear(); }
  void ClearLinks() { linkList_.clear(); }
  // A random entry, removed from the list, or a configured site when the
  // list is empty (then nothing changes).
  // The fallback is asked only when the list is empty, so its draws are
  // made only then.
  using Fallback = std::function<std::string()>;
  std::string TakeRandomImage(Random& random, const Fallback& fallback);
  std::string RandomLink(Random& random, const Fallback& fallback) const;
  void AddVisited(const std::string& address);

  const std::string& address() const { return address_; }
  bool isImageFile() const { return isImageFile_; }
  void setImageFile(bool image) { isImageFile_ = image; }
  // Whether the picture whose end the last poll saw is named as a PNG file
  // (and not as a JPEG file).
  bool isPng() const { return isPng_; }
  // The address of the fetch whose end the last poll saw.
  const std::string& finishedAddress() const { return finishedAddress_; }
  // How many fetches were started so far.
  std::uint64_t fetchCount() const { return fetchCount_; }
  const std::vector<std::string>& pageLines() const { return pageLines_; }
  const std::vector<std::string>& imageList() const { return imageList_; }
  const std::vector<std::string>& linkList() const { return linkList_; }
  const std::deque<std::string>& visitedList() const { return visitedList_; }

  // The address a fetch requests: "http://" in front of what has no
  // scheme, and a page without its final "/".
  static std::string requestAddress(const std::string& address, bool page);

 // What one worker shares with its page.
  struct Job;

 private:
  void start(const std::string& address, bool image);
  // Forgets the worker: joins it when it has ended, lets it go otherwise.
  void release(bool ended);

  HttpFetcher& http_;
  Clock& clock_;
  Trace& trace_;
  std::shared_ptr<Job> job_;
  std::thread worker_;
  std::string address_;
  std::vector<std::string> pageLines_;
  CrawlerStatus status_ = CrawlerStatus::Loaded;
  std::vector<std::string> imageList_;
  std::vector<std::string> linkList_;
  std::deque<std::string> visitedList_;
  bool isImageFile_ = false;
  std::int64_t startTime_ = 0;
  std::string tempFilePath_;
  bool isPng_ = false;
  std::string finishedAddress_;
  std::uint64_t fetchCount_ = 0;
};

}  // namespace warpix
