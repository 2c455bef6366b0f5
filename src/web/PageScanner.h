#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "web/RE.h"

namespace warpix {

// Turns the text of a page into the links a crawl may follow and the
// pictures it may download: every address resolved against the page's
// own, words that mark unwanted places left out, no address twice.
class PageScanner {
 public:
  static constexpr const char* kBlockedWords =
      "adult|video|viagra|boobs|nude|naked|xxx|porn|p0rn|teen|babe|bikini|penis|sex|hardcore|cock|suck|cum|virgin|"
      "smut|fuck|cunt|pussy|tits|login|privacy|contact|about|paypal|url\\(|comment|thumb|small|help|faq|https://";

  PageScanner();

  // Appends the page's new links to `links`.
  void scanLinks(std::string_view address, const std::vector<std::string>& lines, std::vector<std::string>& links) const;
  // Appends the page's new picture addresses to `images`.
  void scanImages(std::string_view address, const std::vector<std::string>& lines,
                  std::vector<std::string>& images) const;
  // Drops what is no JPEG or PNG picture, what was downloaded lately and
  // what looks like a page's decoration.
  static void filterImages(std::vector<std::string>& images, const std::deque<std::string>& visited);

 private:
  RE linkBase_;
  RE root_;
  RE imageBase_;
  RE quot_;
  RE lt_;
  RE gt_;
  RE link_;
  RE linkBlocked_;
  RE linkParent_;
  RE image_;
  RE imageBlocked_;
  RE imageParent_;
};

// The one scanner of the program: its patterns are compiled once.
const PageScanner& pageScanner();

}  // namespace warpix
