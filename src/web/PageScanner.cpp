#include "web/PageScanner.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace warpix {

namespace {

constexpr std::string_view kHttp = "http://";

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// Whether the address is fetched over TLS: "https://" in any letters, as the
// fetcher reads it.
bool isHttps(std::string_view address) {
  constexpr std::string_view kHttps = "https://";
  if (address.size() < kHttps.size()) return false;
  for (std::size_t i = 0; i < kHttps.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(address[i])) != kHttps[i]) return false;
  return true;
}

// The address with "http://" in front unless it has it (in those letters)
// or is an https address, and, when asked, a "/" at its end. An https page
// keeps its scheme: "http://https://..." would resolve nothing.
std::string withScheme(std::string_view address, bool slash) {
  std::string out = startsWith(address, kHttp) || isHttps(address) ? std::string(address)
                                                                     : std::string(kHttp) + std::string(address);
  if (slash && (out.empty() || out.back() != '/')) out += '/';
  return out;
}

std::string joined(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size();
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) text += line;
  return text;
}

// A list that refuses an entry it already holds, in the order of discovery.
class UniqueAppender {
 public:
  explicit UniqueAppender(std::vector<std::string>& list) : list_(list), seen_(list.begin(), list.end()) {}
  void add(std::string entry) {
    if (seen_.insert(entry).second) list_.push_back(std::move(entry));
  }

 private:
  std::vector<std::string>& list_;
  std::unordered_set<std::string> seen_;
};

std::string resolved(std::string_view found, const std::string& root, const std::string& base) {
  if (startsWith(found, "/")) return root + std::string(found.substr(1));
  if (!startsWith(found, kHttp)) return base + std::string(found);
  return std::string(found);
}

// Applies a "folder/../" rule to what follows the scheme only: on an
// address like "http:///../x" the rule would otherwise eat one of the
// scheme's slashes and leave "http:/x", which no fetch can use.
void dropParents(const RE& parent, std::string& address) {
  const std::size_t schemeEnd = address.find("://");
  if (schemeEnd == std::string::npos) {
    parent.Replace(address, "\\1");
    return;
  }
  std::string path = address.substr(schemeEnd + 3);
  if (parent.Replace(path, "\\1")) address.replace(schemeEnd + 3, std::string::npos, path);
}

std::string lowered(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

}  // namespace

PageScanner::PageScanner()
    : linkBase_(R"((https?://[^?]*/)(\?|(.*\.)).*$)", true),
      root_(R"((https?://.*?/).*)", true),
      imageBase_(R"((https?://.*/)(.*\..*$))", true),
      quot_("&quot;"),
      lt_("&lt;"),
      gt_("&gt;"),
      link_(R"((<a.*?href *= *["'])(.*?)(["']))", true),
      linkBlocked_(std::string(kBlockedWords) + R"(|\.(jpg|png|gif|exe|zip|rar|mp3|pdf|doc|xls|swf))", true),
      linkParent_(R"((.*/)([^\.]+?/)(\.\./))"),
      // PCRE2 reads a hyphen right after \w as a broken range; at the end
      // of the class it is the same plain hyphen.
      image_(R"(( (href|src) *=.*?)([\w:/\(\)\%\.-]+)(jpg|png)[^\?])", true),
      imageBlocked_(kBlockedWords, true),
      imageParent_(R"((.*/)(.+?/)(\.\./))") {}

void PageScanner::scanLinks(std::string_view address, const std::vector<std::string>& lines,
                            std::vector<std::string>& links) const {
  std::string base = withScheme(address, true);
  linkBase_.Replace(base, "\\1");
  std::string root = base;
  root_.Replace(root, "\\1");
  std::string text = joined(lines);
  quot_.GlobalReplace(text, "\"");
  lt_.GlobalReplace(text, "<");
  gt_.GlobalReplace(text, ">");

  UniqueAppender out(links);
  std::string_view rest(text);
  std::vector<std::string_view> groups;
  // A search that runs into a limit ends the scan: the page was built to
  // stall it, and what was found before stands.
  while (link_.FindAndConsume(rest, groups)) {
    const std::string_view found = groups.at(1);
    if (found.find(':') != std::string_view::npos && !startsWith(found, kHttp)) continue;
    if (linkBlocked_.PartialMatch(found)) continue;
    std::string link = resolved(found, root, base);
    dropParents(linkParent_, link);
    out.add(std::move(link));
  }
}

void PageScanner::scanImages(std::string_view address, const std::vector<std::string>& lines,
                             std::vector<std::string>& images) const {
  const bool pageHttps = isHttps(address);
  std::string base = withScheme(address, true);
  std::string root = base;
  root_.Replace(root, "\\1");
  imageBase_.Replace(base, "\\1");
  const std::string text = joined(lines);

  UniqueAppender out(images);
  std::string_view rest(text);
  std::vector<std::string_view> groups;
  while (image_.FindAndConsume(rest, groups)) {
    std::string image = resolved(std::string(groups.at(2)) + std::string(groups.at(3)), root, base);
    // The scheme of an https page's own pictures is not a blocked word;
    // "https://" anywhere else in the address still is.
    const std::size_t schemeEnd = pageHttps && isHttps(image) ? std::string_view("https://").size() : 0;
    if (imageBlocked_.PartialMatch(std::string_view(image).substr(schemeEnd))) continue;
    dropParents(imageParent_, image);
    out.add(std::move(image));
  }
}

void PageScanner::filterImages(std::vector<std::string>& images, const std::deque<std::string>& visited) {
  const std::unordered_set<std::string> seen(visited.begin(), visited.end());
  std::erase_if(images, [&](const std::string& image) {
    const std::string lower = lowered(image);
    if (lower.find(".jpg") == std::string::npos && lower.find(".jpeg") == std::string::npos &&
        lower.find(".png") == std::string::npos)
      return true;
    if (seen.contains(image)) return true;
    for (const char* word : {"home", "back", "next", "foot"})
      if (image.find(word) != std::string::npos) return true;
    return false;
  });
}

const PageScanner& pageScanner() {
  static const PageScanner scanner;
  return scanner;
}

}  // namespace warpix
