#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace warpix {

// One HTTP GET at a time on the calling thread, which is a worker of its
// own: the body arrives piece by piece, redirects are followed as a
// browser follows them (a few, to http and https only), and a transfer
// ends soon after `keepGoing` turns false.
class HttpFetcher {
 public:
  enum class Outcome {
    Done,       // a 2xx answer, read to its end
    HttpError,  // the server answered outside 200-299
    Failed,     // no connection, a broken transfer, a refused redirect
    TooLarge,   // the body is longer than the request allows
    Cancelled,  // keepGoing turned false, or the sink refused a piece
  };

  struct Request {
    std::string url;
    std::string userAgent;
    std::uint64_t maxBytes = 0;
  };

  // Takes one piece of the body; false ends the transfer (Cancelled).
  using Sink = std::function<bool(std::string_view piece)>;

  virtual ~HttpFetcher() = default;
  virtual Outcome fetch(const Request& request, const Sink& sink, const std::atomic<bool>& keepGoing) = 0;
};

}  // namespace warpix
