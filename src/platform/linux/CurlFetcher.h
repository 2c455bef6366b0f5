#pragma once

#include "platform/HttpFetcher.h"

namespace warpix {

// HTTP through libcurl: one easy handle per fetch, so any number of
// workers may fetch at once. Proxies come from http_proxy, https_proxy
// and no_proxy as libcurl reads them.
class CurlFetcher final : public HttpFetcher {
 public:
  static constexpr long kConnectTimeoutSeconds = 20;
  static constexpr long kMaxRedirects = 5;

  CurlFetcher();
  Outcome fetch(const Request& request, const Sink& sink, const std::atomic<bool>& keepGoing) override;
};

}  // namespace warpix
