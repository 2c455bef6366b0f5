#pragma once

#include <cstdint>

namespace warpix {

class Clock;
class OnlineDetector;
class Random;
class RegSettings;
class WebPage;

// What a crawl step reads and stamps besides its page: the settings and
// the program-wide generator (for the configured sites), the clock, the
// two crawl clocks that every scene shares, and how on-line is told.
struct CrawlContext {
  const RegSettings& settings;
  Random& programRandom;
  Clock& clock;
  OnlineDetector* online;
  std::int64_t& lastWebImageTime;
  std::int64_t& lastNewImagesTime;
  // A render waits for every fetch it polls (up to kRenderWaitMs of real
  // time), so that a run against the same pages is repeatable.
  bool waitForFetches = false;
};

inline constexpr std::int64_t kLoadTimeLimitSeconds = 60;
inline constexpr std::uint32_t kRenderWaitMs = 60000;
// A first picture smaller than this says the page holds only small ones.
inline constexpr std::uint64_t kSmallPictureBytes = 15000;

// One step of the crawl: polls the page's fetch and, once it has ended,
// starts the next one. True exactly when a picture download has just
// ended whole; it then lies in the crawler's temporary file.
bool CrawlStep(WebPage* crawler, Random& random, CrawlContext& context);

}  // namespace warpix
