#include "web/WebPage.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>

#include "app/Random.h"
#include "app/Trace.h"
#include "platform/Clock.h"
#include "platform/DownloadFile.h"
#include "platform/HttpFetcher.h"
#include "web/PageScanner.h"

namespace warpix {

namespace {
constexpr int kSuccess = 0;
constexpr int kFailure = 2;

std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The index of a draw below `size`, which now and then is `size` itself.
std::size_t drawIndex(Random& random, std::size_t size) {
  const auto n = static_cast<std::int32_t>(std::min<std::size_t>(size, INT32_MAX));
  return static_cast<std::size_t>(std::clamp(random.below(n), 0, n - 1));
}
}  // namespace

// What one worker shares with its page: the keep-going flag, and what the
// worker leaves behind for the page to take once it has ended.
struct WebPage::Job {
  std::atomic<bool> running{true};
  std::mutex mutex;
  std::condition_variable endedSignal;
  bool ended = false;
  int exitCode = kSuccess;
  std::vector<std::string> lines;
  std::unique_ptr<DownloadFile> file;
  std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();

  void end(int code) {
    const std::lock_guard lock(mutex);
    exitCode = code;
    ended = true;
    running = false;
    endedSignal.notify_all();
  }
};

namespace {

void readPage(WebPage::Job& job, HttpFetcher& http, const std::string& url);
void readImage(WebPage::Job& job, HttpFetcher& http, const std::string& url, const std::string& tempFile);

}  // namespace

WebPage::WebPage(HttpFetcher& http, Clock& clock, Trace& trace) : http_(http), clock_(clock), trace_(trace) {
  trace_.startNewTraceFile();
}

WebPage::~WebPage() {
  Stop();
  // The last picture is of no use once the saver ends.
  if (!tempFilePath_.empty()) removeDownload(tempFilePath_);
}

std::string WebPage::requestAddress(const std::string& address, bool page) {
  std::string url = address;
  if (lowered(url.substr(0, 8)) != "https://" && url.substr(0, 7) != "http://") url = "http://" + url;
  if (page && !url.empty() && url.back() == '/') url.pop_back();
  return url;
}

void WebPage::Load(const std::string& address) {
  Stop();
  if (trace_.on()) trace_.traceLine(traceSite("WebPage", 54, " : \"Load: \" + sURL = ") + "Load: " + address);
  start(address, false);
}

void WebPage::LoadFile(const std::string& address) {
  Stop();
  if (trace_.on()) trace_.traceLine(traceSite("WebPage", 75, " : \"LoadFile: \" + sURL = ") + "LoadFile: " + address);
  start(address, true);
}

void WebPage::start(const std::string& address, bool image) {
  isImageFile_ = image;
  address_ = address;
  status_ = CrawlerStatus::Loading;
  startTime_ = clock_.wallSeconds();
  ++fetchCount_;
  const std::string url = requestAddress(address, !image);
  if (!image) pageLines_.clear();
  // An empty address has nothing to fetch; its status says so.
  if (address.empty()) return;
  auto job = std::make_shared<Job>();
  try {
    worker_ = std::thread([job, &http = http_, url, image, temp = tempFilePath_] {
      if (image) readImage(*job, http, url, temp);
      else readPage(*job, http, url);
    });
  } catch (const std::system_error&) {
    status_ = CrawlerStatus::Failed;
    return;
  }
  job_ = std::move(job);
}

bool WebPage::IsRunning() {
  if (!job_) return false;
  {
    const std::lock_guard lock(job_->mutex);
    if (!job_->ended) return true;
  }
  int code = job_->exitCode;
  // The picture takes its place only now, on this thread: the one reported
  // before stays whole until the crawl polls again.
  if (isImageFile_ && code == kSuccess && !(job_->file && job_->file->commit())) code = kFailure;
  finishedAddress_ = address_;
  release(true);
  status_ = code == kSuccess ? CrawlerStatus::Loaded : CrawlerStatus::Failed;
  return false;
}

CrawlerStatus WebPage::Status() {
  if (address_.empty()) return CrawlerStatus::NoAddress;
  if (IsRunning()) return CrawlerStatus::Loading;
  return status_;
}

bool WebPage::WaitForWorker(std::uint32_t limitMs) {
  if (!job_) return true;
  std::unique_lock lock(job_->mutex);
  return job_->endedSignal.wait_until(lock, job_->started + std::chrono::milliseconds(limitMs),
                                      [&] { return job_->ended; });
}

void WebPage::Stop() {
  if (!job_) return;
  job_->running = false;
  bool ended = false;
  {
    std::unique_lock lock(job_->mutex);
    ended = job_->endedSignal.wait_for(lock, std::chrono::milliseconds(kStopWaitMs), [&] { return job_->ended; });
  }
  finishedAddress_ = address_;
  release(ended);
  status_ = CrawlerStatus::Stopped;
}

void WebPage::release(bool ended) {
  // The flag belongs to the picture that has just ended: the crawl starts
  // the next download before the one it reported is decoded.
  if (isImageFile_) {
    const std::string lower = lowered(requestAddress(address_, false));
    isPng_ = lower.find(".png") != std::string::npos && lower.find(".jpg") == std::string::npos &&
             lower.find(".jpeg") == std::string::npos;
  }
  if (ended) {
    worker_.join();
    // A page cut short is still worth scanning; a picture cut short is not
    // worth showing, and its file goes with the job.
    if (!isImageFile_) pageLines_ = std::move(job_->lines);
  } else {
    // Still inside a network call: it keeps its job alive and removes its
    // own file when it ends, touching nothing of ours.
    worker_.detach();
  }
  job_.reset();
}

void WebPage::TimeOut() {
  Stop();
  status_ = CrawlerStatus::TimedOut;
}

std::int64_t WebPage::ElapsedSinceStart() const { return clock_.wallSeconds() - startTime_; }

void WebPage::ScanPage() {
  const PageScanner& scanner = pageScanner();
  scanner.scanLinks(address_, pageLines_, linkList_);
  scanner.scanImages(address_, pageLines_, imageList_);
  PageScanner::filterImages(imageList_, visitedList_);
}

std::string WebPage::TakeRandomImage(Random& random, const Fallback& fallback) {
  if (imageList_.empty()) return fallback();
  const auto at = imageList_.begin() + static_cast<std::ptrdiff_t>(drawIndex(random, imageList_.size()));
  std::string image = std::move(*at);
  imageList_.erase(at);
  return image;
}

std::string WebPage::RandomLink(Random& random, const Fallback& fallback) const {
  if (linkList_.empty()) return fallback();
  return linkList_[drawIndex(random, linkList_.size())];
}

void WebPage::AddVisited(const std::string& address) {
  visitedList_.push_back(address);
  if (visitedList_.size() > kVisitedLimit) visitedList_.pop_front();
}

namespace {

void readPage(WebPage::Job& job, HttpFetcher& http, const std::string& url) {
  if (!job.running) {
    job.lines.emplace_back("Could not connect to the Internet");
    job.end(kFailure);
    return;
  }
  std::string pending;
  const auto sink = [&](std::string_view piece) {
    pending.append(piece);
    std::size_t from = 0;
    for (std::size_t nl; (nl = pending.find('\n', from)) != std::string::npos; from = nl + 1)
      job.lines.emplace_back(pending, from, nl - from);
    pending.erase(0, from);
    return job.running.load();
  };
  const HttpFetcher::Outcome outcome =
      http.fetch({url, WebPage::kPageAgent, WebPage::kMaxPageBytes}, sink, job.running);
  int code = kSuccess;
  switch (outcome) {
    case HttpFetcher::Outcome::Done:
      if (!pending.empty()) job.lines.push_back(std::move(pending));
      break;
    case HttpFetcher::Outcome::Cancelled: break;
    case HttpFetcher::Outcome::HttpError:
      job.lines.push_back("Error connecting to " + url);
      code = kFailure;
      break;
    case HttpFetcher::Outcome::Failed:
    case HttpFetcher::Outcome::TooLarge: code = kFailure; break;
  }
  job.end(code);
}

void readImage(WebPage::Job& job, HttpFetcher& http, const std::string& url, const std::string& tempFile) {
  std::unique_ptr<DownloadFile> file = job.running ? DownloadFile::create(tempFile) : nullptr;
  if (!file) {
    job.end(kFailure);
    return;
  }
  const auto sink = [&](std::string_view piece) { return file->write(piece); };
  const HttpFetcher::Outcome outcome =
      http.fetch({url, WebPage::kImageAgent, WebPage::kMaxImageBytes}, sink, job.running);
  // Only a whole picture is kept; a cut or broken one is never decoded.
  if (outcome != HttpFetcher::Outcome::Done || !job.running) {
    file->discard();
    job.end(kFailure);
    return;
  }
  {
    const std::lock_guard lock(job.mutex);
    job.file = std::move(file);
  }
  job.end(kSuccess);
}

}  // namespace

}  // namespace warpix
