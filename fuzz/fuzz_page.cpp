// libFuzzer target: the page scanner on arbitrary page text. The first line
// is the page's own address, the rest its lines.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "web/PageScanner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::size_t firstEnd = text.find('\n');
  const std::string address(text.substr(0, firstEnd));
  std::vector<std::string> lines;
  for (std::size_t from = firstEnd == std::string_view::npos ? text.size() : firstEnd + 1; from < text.size();) {
    const std::size_t end = std::min(text.find('\n', from), text.size());
    lines.emplace_back(text.substr(from, end - from));
    from = end + 1;
  }
  std::vector<std::string> links, images;
  warpix::pageScanner().scanLinks(address, lines, links);
  warpix::pageScanner().scanImages(address, lines, images);
  warpix::PageScanner::filterImages(images, {address});
  // Every address found is one the crawler may fetch: it has its scheme,
  // "http://" or the "https://" (as written) of a page fetched over TLS.
  std::string scheme = address.substr(0, 8);
  std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](unsigned char c) { return std::tolower(c); });
  const std::string pageScheme = scheme == "https://" ? address.substr(0, 8) : "http://";
  for (const std::string& found : links)
    if (found.rfind("http://", 0) != 0 && found.rfind(pageScheme, 0) != 0) std::abort();
  return 0;
}
