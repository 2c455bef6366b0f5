#include "platform/linux/CurlFetcher.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace warpix {

namespace {

struct Transfer {
  const HttpFetcher::Sink& sink;
  const std::atomic<bool>& keepGoing;
  std::uint64_t maxBytes;
  std::uint64_t received = 0;
  CURL* handle = nullptr;
  bool tooLarge = false;
  bool refused = false;  // the sink or the status stopped it
  bool httpError = false;
};

long responseCode(CURL* handle) {
  long code = 0;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &code);
  return code;
}

bool success(long code) { return code >= 200 && code <= 299; }

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto& t = *static_cast<Transfer*>(user);
  const std::size_t bytes = size * count;
  // Only the last answer's body arrives here; an error page is not content.
  if (t.received == 0 && !success(responseCode(t.handle))) {
    t.httpError = true;
    return 0;
  }
  t.received += bytes;
  if (t.received > t.maxBytes) {
    t.tooLarge = true;
    return 0;
  }
  if (!t.keepGoing.load() || !t.sink(std::string_view(data, bytes))) {
    t.refused = true;
    return 0;
  }
  return bytes;
}

// Also ends a transfer from inside libcurl's own loops.
int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto& t = *static_cast<Transfer*>(user);
  return t.keepGoing.load() ? 0 : 1;
}

struct EasyDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

struct MultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};

// How often a transfer with nothing to read looks at its keep-going flag.
constexpr int kPollMs = 50;

// Runs the transfer, waking at least every kPollMs, so a stop ends even a
// transfer that receives nothing at all within a fraction of a second.
CURLcode perform(CURL* handle, const std::atomic<bool>& keepGoing) {
  const std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!multi || curl_multi_add_handle(multi.get(), handle) != CURLM_OK) return CURLE_FAILED_INIT;
  CURLcode result = CURLE_ABORTED_BY_CALLBACK;
  for (int running = 1; running > 0 && keepGoing.load();) {
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
      result = CURLE_FAILED_INIT;
      break;
    }
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &left))
      if (message->msg == CURLMSG_DONE) result = message->data.result;
    if (running > 0) curl_multi_poll(multi.get(), nullptr, 0, kPollMs, nullptr);
  }
  curl_multi_remove_handle(multi.get(), handle);
  return result;
}

}  // namespace

CurlFetcher::CurlFetcher() {
  // Must run once before any thread uses libcurl.
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HttpFetcher::Outcome CurlFetcher::fetch(const Request& request, const Sink& sink, const std::atomic<bool>& keepGoing) {
  const std::unique_ptr<CURL, EasyDeleter> handle(curl_easy_init());
  if (!handle) return Outcome::Failed;
  CURL* h = handle.get();
  Transfer t{sink, keepGoing, request.maxBytes};
  t.handle = h;
  curl_easy_setopt(h, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(h, CURLOPT_USERAGENT, request.userAgent.c_str());
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  // A server that announces a body above the cap is refused before it sends it.
  curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBytes));
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onBody);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, onProgress);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, &t);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  const CURLcode rc = perform(h, keepGoing);
  if (t.httpError) return Outcome::HttpError;
  if (t.tooLarge || rc == CURLE_FILESIZE_EXCEEDED) return Outcome::TooLarge;
  if (t.refused || !keepGoing.load()) return Outcome::Cancelled;
  if (rc != CURLE_OK) return Outcome::Failed;
  // An answer with no body never reached onBody.
  return success(responseCode(h)) ? Outcome::Done : Outcome::HttpError;
}

}  // namespace warpix
