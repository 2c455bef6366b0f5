#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "web/PageScanner.h"
#include "web/RE.h"

namespace warpix {
namespace {

std::vector<std::string> links(const std::string& address, const std::string& html) {
  std::vector<std::string> out;
  pageScanner().scanLinks(address, {html}, out);
  return out;
}

std::vector<std::string> images(const std::string& address, const std::string& html) {
  std::vector<std::string> out;
  pageScanner().scanImages(address, {html}, out);
  return out;
}

TEST(RE, ReplacesWithGroupsFindsInTurnAndMatchesWithoutCase) {
  std::string text = "http://a.example/dir/page.html";
  EXPECT_TRUE(RE(R"((http://.*?/).*)").Replace(text, "[\\1]"));
  EXPECT_EQ(text, "[http://a.example/]");
  std::string entities = "&lt;a&gt; &lt;b&gt;";
  EXPECT_EQ(RE("&lt;").GlobalReplace(entities, "<"), 2);
  EXPECT_EQ(entities, "<a&gt; <b&gt;");
  std::string_view rest = "x=1 y=22 z=333";
  std::vector<std::string_view> groups;
  std::vector<std::string> found;
  const RE pair(R"((\w)=(\d+))");
  while (pair.FindAndConsume(rest, groups)) found.push_back(std::string(groups[0]) + std::string(groups[1]));
  EXPECT_EQ(found, (std::vector<std::string>{"x1", "y22", "z333"}));
  EXPECT_TRUE(RE("porn|thumb", true).PartialMatch("/IMG/Thumbs/a.jpg"));
  EXPECT_FALSE(RE("porn|thumb").PartialMatch("/IMG/Thumbs/a.jpg"));
  EXPECT_FALSE(RE("(unclosed").ok());
  EXPECT_FALSE(RE("(unclosed").PartialMatch("(unclosed"));
}

TEST(RE, ABacktrackingMonsterStopsAtTheLimitInsteadOfRunningOn) {
  const RE nested("(a+)+[bc]");
  const std::string text = std::string(40, 'a') + "x";
  EXPECT_FALSE(nested.PartialMatch(text));
  EXPECT_TRUE(nested.hitLimit());
  EXPECT_TRUE(nested.PartialMatch(std::string(40, 'a') + "b"));
  EXPECT_FALSE(nested.hitLimit());
}

TEST(PageScanner, LinksResolveAgainstThePageAndSkipWhatIsNoPageToFollow) {
  const std::string page = "http://site.example/dir/page.html";
  const struct {
    const char* html;
    std::vector<std::string> expected;
  } cases[] = {
      {R"(<a href="next.html">)", {"http://site.example/dir/next.html"}},
      {R"(<a href='/top.html'>)", {"http://site.example/top.html"}},
      {R"(<a class="x" href = "http://other.example/a">)", {"http://other.example/a"}},
      {R"(<a href="sub/../up.html">)", {"http://site.example/dir/up.html"}},
      // The parent rule never reaches into the scheme ("http:/x" is no address).
      {R"(<a href="http:///../x">)", {"http:///../x"}},
      {R"(<a href="HTTP://other.example/a">)", {}},
      {R"x(<a href="mailto:me@example.com"><a href="javascript:go()"><a href="https://x.example/">)x", {}},
      {R"(<a href="pic.JPG"><a href="f.zip"><a href="r.Pdf"><a href="about.html"><a href="Login">)", {}},
      {R"(<a href="a.html"><A HREF="a.html">)", {"http://site.example/dir/a.html"}},
      {R"(&lt;a href=&quot;quoted.html&quot;&gt;)", {"http://site.example/dir/quoted.html"}},
  };
  for (const auto& c : cases) EXPECT_EQ(links(page, c.html), c.expected) << c.html;
  // A bare host gets its scheme and counts as a folder; a query drops the rest.
  EXPECT_EQ(links("site.example", R"(<a href="b.html">)"), (std::vector<std::string>{"http://site.example/b.html"}));
  EXPECT_EQ(links("http://site.example/d/?q=1", R"(<a href="b.html">)"),
            (std::vector<std::string>{"http://site.example/d/b.html"}));
  // A page fetched over TLS resolves against itself, in its own scheme.
  EXPECT_EQ(links("HTTPS://site.example/d/p.html", R"(<a href="b.html"><a href="/c.html">)"),
            (std::vector<std::string>{"HTTPS://site.example/d/b.html", "HTTPS://site.example/c.html"}));
}

TEST(PageScanner, ImagesResolveAgainstTheFolderOfThePageAndKeepOnlyWhatMayBeDownloaded) {
  const std::string page = "http://site.example/dir/page.html";
  const struct {
    const char* html;
    std::vector<std::string> expected;
  } cases[] = {
      {R"(<img src="p.jpg">)", {"http://site.example/dir/p.jpg"}},
      {R"(<img src="/top/p.png" >)", {"http://site.example/top/p.png"}},
      {R"(<img src="http://cdn.example/x/p.jpg">)", {"http://cdn.example/x/p.jpg"}},
      {R"(<img src="a/../p.jpg">)", {"http://site.example/dir/p.jpg"}},
      {R"(<img src="p.jpg?w=10">)", {}},
      {R"(<img src="thumbs/p.jpg"><img src="SMALL/p.jpg">)", {}},
      {R"(<img SRC="p.jpg"><a href="p.jpg">)", {"http://site.example/dir/p.jpg"}},
      {R"(<img alt="x"src="p.jpg">)", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(images(page, c.html), c.expected) << c.html;
  // A blocked word in the page's own address rejects its relative pictures.
  EXPECT_TRUE(images("http://site.example/contact/", R"(<img src="p.jpg">)").empty());
  // An https page's own scheme blocks nothing; "https://" elsewhere still does.
  EXPECT_EQ(images("https://site.example/dir/page.html",
                   R"(<img src="p.jpg"><img src="/t/q.png"><img src="https://cdn.example/r.jpg">)"),
            (std::vector<std::string>{"https://site.example/dir/p.jpg", "https://site.example/t/q.png"}));
  EXPECT_TRUE(images("http://site.example/", R"(<img src="https://cdn.example/r.jpg">)").empty());
}

TEST(PageScanner, TheFilterDropsWhatIsNoPictureWasSeenLatelyOrDecoratesThePage) {
  std::vector<std::string> list = {"http://a/x.gif",      "http://a/X.JPEG",    "http://a/seen.jpg",
                                   "http://a/home.png",   "http://a/Home.png",  "http://a/footer.jpg",
                                   "http://a/next.png",   "http://a/back.jpg",  "http://a/ok.png"};
  PageScanner::filterImages(list, {"http://a/seen.jpg"});
  EXPECT_EQ(list, (std::vector<std::string>{"http://a/X.JPEG", "http://a/Home.png", "http://a/ok.png"}));
}

TEST(PageScanner, LinesAreJoinedAndNoAddressIsTakenTwice) {
  std::vector<std::string> out = {"http://site.example/dir/a.html"};
  pageScanner().scanLinks("http://site.example/dir/", {"<a hr", "ef=\"a.html\"><a href=\"b.html\">"}, out);
  EXPECT_EQ(out, (std::vector<std::string>{"http://site.example/dir/a.html", "http://site.example/dir/b.html"}));
}

}  // namespace
}  // namespace warpix
