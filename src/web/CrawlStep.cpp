#include "web/CrawlStep.h"

#include "platform/Clock.h"
#include "platform/DownloadFile.h"
#include "settings/RegSettings.h"
#include "web/WebOnline.h"
#include "web/WebPage.h"

namespace warpix {

namespace {

// The branches of one step, over one page and one context.
class Crawl {
 public:
  Crawl(WebPage& page, Random& random, CrawlContext& context)
      : page_(page), random_(random), c_(context), now_(context.clock.wallSeconds()) {}

  bool step();

 private:
  std::string site() { return c_.settings.randomWebSite(c_.programRandom); }
  std::string randomLink() {
    return page_.RandomLink(random_, [this] { return site(); });
  }
  void nextImage() {
    const std::string image = page_.TakeRandomImage(random_, [this] { return site(); });
    page_.LoadFile(image);
    page_.AddVisited(image);
  }
  std::string restart() {
    page_.ClearLinks();
    const std::string next = site();
    c_.lastWebImageTime = now_;
    c_.lastNewImagesTime = now_;
    return next;
  }
  bool stale(std::int64_t imageAge, std::int64_t newImagesAge) const {
    return now_ - c_.lastWebImageTime > imageAge ||
           (!page_.HasLinks() && !page_.HasImages() && now_ - c_.lastNewImagesTime > newImagesAge);
  }
  void failed();
  bool imageEnded(bool loaded);
  void pageEnded();

  WebPage& page_;
  Random& random_;
  CrawlContext& c_;
  const std::int64_t now_;
};

bool Crawl::step() {
  if (c_.waitForFetches && page_.Status() == CrawlerStatus::Loading) {
    if (!page_.WaitForWorker(kRenderWaitMs)) {
      page_.TimeOut();
      return false;
    }
  }
  switch (page_.Status()) {
    case CrawlerStatus::NoAddress: page_.Load(site()); break;
    case CrawlerStatus::Loading:
      if (page_.ElapsedSinceStart() > kLoadTimeLimitSeconds) page_.TimeOut();
      break;
    case CrawlerStatus::Stopped: break;
    case CrawlerStatus::Failed: failed(); break;
    case CrawlerStatus::Loaded:
    case CrawlerStatus::TimedOut: {
      const bool loaded = page_.Status() == CrawlerStatus::Loaded;
      if (page_.isImageFile()) return imageEnded(loaded);
      pageEnded();
      break;
    }
  }
  return false;
}

void Crawl::failed() {
  if (page_.HasImages()) {
    nextImage();
    return;
  }
  const std::string next = stale(300, 120) ? restart() : randomLink();
  page_.Load(next);
}

bool Crawl::imageEnded(bool loaded) {
  page_.setImageFile(false);
  // A picture cut short leaves no file to measure; the page's other
  // pictures are still worth a try.
  if (loaded) {
    const std::optional<std::uint64_t> size = downloadedSize(page_.tempFile());
    if (!size || *size < kSmallPictureBytes) page_.ClearImages();
  }
  if (page_.HasImages()) {
    nextImage();
    return loaded;
  }
  std::string next;
  if (!loaded && stale(120, 60)) {
    next = restart();
  } else {
    next = randomLink();
    page_.ClearLinks();
    page_.ClearImages();
  }
  page_.Load(next);
  return loaded;
}

void Crawl::pageEnded() {
  const std::size_t before = page_.ImageCount();
  page_.ScanPage();
  if (page_.ImageCount() != before) c_.lastNewImagesTime = now_;
  if (page_.HasImages()) {
    nextImage();
    return;
  }
  const std::string next = stale(300, 120) ? restart() : randomLink();
  page_.ClearLinks();
  page_.Load(next);
}

}  // namespace

bool CrawlStep(WebPage* crawler, Random& random, CrawlContext& context) {
  if (crawler == nullptr) return false;
  if (context.settings.webAccess() != 2 && !WebOnline(context.online).IsOnline()) return false;
  return Crawl(*crawler, random, context).step();
}

}  // namespace warpix
