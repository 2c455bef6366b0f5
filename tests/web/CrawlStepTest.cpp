#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/Random.h"
#include "app/Trace.h"
#include "platform/TempFolder.h"
#include "platform/headless/VirtualClock.h"
#include "platform/linux/KeyFileStore.h"
#include "settings/FakeShell.h"
#include "settings/RegSettings.h"
#include "web/CrawlStep.h"
#include "web/FakeFetcher.h"
#include "web/WebPage.h"

namespace warpix {
namespace {

using testing::FakeFetcher;
using Outcome = HttpFetcher::Outcome;

constexpr const char* kSite = "http://site.example/index.html";

// A crawler over a fake web, its clocks at a start of their own.
struct Crawler {
  Crawler() : store(folder.str() + "/config"), settings(store, shell), trace(clock) {
    settings.load(false);
    settings.setWebSites({kSite});
    settings.setWebAccess(2);
    page.SetTempFile(folder.str() + "/warpix.tmp");
    lastWebImage = lastNewImages = clock.wallSeconds();
  }

  // One step; with `wait`, as a render runs it (each fetch polled to its end).
  bool step(bool wait = true) {
    CrawlContext c{settings, programRandom, clock, &online, lastWebImage, lastNewImages, wait};
    return CrawlStep(&page, random, c);
  }
  // The address fetched last, once its worker has asked for it.
  std::string last() {
    page.WaitForWorker(10000);
    return http.requested().empty() ? "" : http.requested().back();
  }

  testing::TempFolder folder;
  KeyFileStore store;
  testing::FakeShell shell;
  RegSettings settings;
  VirtualClock clock;
  Trace trace;
  FakeFetcher http;
  testing::FakeOnline online;
  Random random{7};
  Random programRandom{11};
  std::int64_t lastWebImage = 0;
  std::int64_t lastNewImages = 0;
  WebPage page{http, clock, trace};
};

std::string picture(std::size_t bytes) { return std::string(bytes, 'p'); }

TEST(CrawlStep, APageLeadsToItsPicturesAndAFinishedPictureIsReportedWhole) {
  Crawler c;
  c.http.answer(kSite, {Outcome::Done, "<img src=\"a.jpg\">\n<img src=\"b.png\">\n<a href=\"more.html\">", false});
  c.http.answer("http://site.example/a.jpg", {Outcome::Done, picture(20000), false});
  c.http.answer("http://site.example/b.png", {Outcome::Done, picture(30000), false});
  EXPECT_FALSE(c.step());  // no address yet: the site is loaded
  EXPECT_EQ(c.last(), kSite);
  EXPECT_FALSE(c.step());  // the page ended: its first picture is fetched
  const std::string first = c.last();
  EXPECT_EQ(c.page.visitedList().back(), first);
  EXPECT_EQ(c.page.linkList(), (std::vector<std::string>{"http://site.example/more.html"}));
  EXPECT_TRUE(c.step());  // the picture is there, and the second is on its way
  EXPECT_EQ(c.page.finishedAddress(), first);
  const std::size_t size = first.ends_with(".jpg") ? 20000 : 30000;
  // The next download has ended too, but the reported picture stays until
  // the crawl polls again.
  c.page.WaitForWorker(10000);
  EXPECT_EQ(std::filesystem::file_size(c.page.tempFile()), size);
  EXPECT_EQ(c.page.isPng(), first.ends_with(".png"));  // of the reported picture, not of the next
  EXPECT_EQ(std::filesystem::status(c.page.tempFile()).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_TRUE(c.step());
  EXPECT_EQ(std::filesystem::file_size(c.page.tempFile()), 50000 - size);
  EXPECT_FALSE(c.page.HasImages());
  EXPECT_EQ(c.last(), "http://site.example/more.html");  // the page's link comes next
  EXPECT_FALSE(c.page.HasLinks());
}

TEST(CrawlStep, ASmallFirstPictureDropsThePagesOtherPictures) {
  for (const std::size_t bytes : {std::size_t{14999}, std::size_t{15000}}) {
    Crawler c;
    c.http.answer(kSite, {Outcome::Done, R"(<img src="a.jpg"><img src="b.jpg"><a href="l.html">)", false});
    for (const char* name : {"a", "b"})
      c.http.answer(std::string("http://site.example/") + name + ".jpg", {Outcome::Done, picture(bytes), false});
    c.step();
    c.step();
    EXPECT_TRUE(c.step()) << bytes;
    if (bytes < kSmallPictureBytes) EXPECT_EQ(c.last(), "http://site.example/l.html");
    else EXPECT_TRUE(c.last().ends_with(".jpg")) << c.last();
  }
}

TEST(CrawlStep, FailuresRestartAtAConfiguredSiteAfterFiveMinutesWithoutAPictureOrTwoWithoutNewOnes) {
  Crawler c;  // the picture and the linked page answer 404
  c.http.answer(kSite, {Outcome::Done, R"(<img src="gone.jpg"><a href="dead.html">)", false});
  c.step();
  c.step();
  const std::int64_t start = c.lastWebImage;
  c.clock.advance(300'000);
  EXPECT_FALSE(c.step());  // exactly 300 s: the page's link is followed
  EXPECT_EQ(c.last(), "http://site.example/dead.html");
  EXPECT_EQ(c.lastWebImage, start);
  c.clock.advance(1000);
  c.step();  // 301 s: back to a configured site
  EXPECT_EQ(c.last(), kSite);
  EXPECT_EQ(c.lastWebImage, c.clock.wallSeconds());
  EXPECT_EQ(c.lastNewImages, c.clock.wallSeconds());
  EXPECT_FALSE(c.page.HasLinks());

  Crawler d;  // nothing at all: no links, no pictures
  d.step();
  d.last();
  EXPECT_EQ(d.page.Status(), CrawlerStatus::Failed);
  EXPECT_EQ(d.page.pageLines(), (std::vector<std::string>{"Error connecting to " + std::string(kSite)}));
  d.clock.advance(120'000);
  d.step();
  EXPECT_EQ(d.lastNewImages, start);
  d.clock.advance(1000);
  d.step();
  EXPECT_EQ(d.lastNewImages, d.clock.wallSeconds());
}

TEST(CrawlStep, AFetchRunningMoreThanAMinuteIsStoppedAndWhatItReadIsScanned) {
  Crawler c;
  c.http.answer(kSite, {Outcome::Done, "<img src=\"a.jpg\">\n<img src=\"b.jpg\">\n", true});
  c.step(false);
  c.http.waitUntilHanging(1);
  c.clock.advance(60'000);
  c.step(false);
  EXPECT_EQ(c.page.Status(), CrawlerStatus::Loading);  // exactly 60 s: still running
  c.clock.advance(1000);
  c.step(false);
  EXPECT_EQ(c.page.Status(), CrawlerStatus::TimedOut);
  EXPECT_FALSE(c.step(false));  // the lines read before the stop are scanned
  EXPECT_TRUE(c.last().ends_with(".jpg")) << c.last();
  // A picture that times out is not reported; the page's other one is next.
  c.page.Stop();
  c.http.answer(c.page.imageList().at(0), {Outcome::Done, picture(100), true});
  c.page.setImageFile(true);
  c.page.LoadFile(c.page.imageList().at(0));
  c.http.waitUntilHanging(2);
  c.clock.advance(61'000);
  c.step(false);
  EXPECT_EQ(c.page.Status(), CrawlerStatus::TimedOut);
  EXPECT_FALSE(c.step(false));
  EXPECT_FALSE(std::filesystem::exists(c.page.tempFile()));
}

TEST(CrawlStep, OnlyWhileOnLineUnlessTheConnectionIsPermanent) {
  for (const bool online : {false, true}) {
    Crawler c;
    c.settings.setWebAccess(1);
    c.online.full = online;
    c.step();
    c.last();
    EXPECT_EQ(c.http.requested().size(), online ? 1u : 0u) << online;
  }
  Crawler c;
  c.online.monitor = false;
  c.step();
  c.last();
  EXPECT_EQ(c.http.requested().size(), 1u);
}

TEST(WebPage, RequestsGetTheirSchemeAndPagesLoseTheirLastSlash) {
  const struct {
    const char* stored;
    bool page;
    const char* requested;
  } cases[] = {
      {"site.example/", true, "http://site.example"},
      {"site.example/", false, "http://site.example/"},
      {"http://site.example/a/", true, "http://site.example/a"},
      {"HTTPS://site.example/", true, "HTTPS://site.example"},
      {"https://site.example/p.png", false, "https://site.example/p.png"},
      {"Http://site.example", true, "http://Http://site.example"},
  };
  for (const auto& c : cases) EXPECT_EQ(WebPage::requestAddress(c.stored, c.page), c.requested) << c.stored;
}

TEST(WebPage, PagesAndPicturesIntroduceThemselvesDifferentlyTheHistoryKeepsTheLastHundredAndFetchesAreTraced) {
  Crawler c;
  c.page.Load(kSite);
  c.page.WaitForWorker(10000);
  c.page.LoadFile("http://site.example/a.png");
  c.page.WaitForWorker(10000);
  EXPECT_EQ(c.http.agents(), (std::vector<std::string>{WebPage::kPageAgent, WebPage::kImageAgent}));
  for (int i = 0; i < 150; ++i) c.page.AddVisited(std::to_string(i));
  EXPECT_EQ(c.page.visitedList().size(), 100u);
  EXPECT_EQ(c.page.visitedList().front(), "50");
  EXPECT_EQ(c.page.Status(), CrawlerStatus::Failed);
  c.page.Load("");
  EXPECT_EQ(c.page.Status(), CrawlerStatus::NoAddress);
  c.trace.setOn(true);
  ::setenv("TENDTEMP", c.folder.str().c_str(), 1);
  c.page.Load("a.example");
  c.page.LoadFile("b.example/p.jpg");
  ::unsetenv("TENDTEMP");
  const std::string log = c.folder.read("trace.txt");
  EXPECT_NE(log.find(".\\WebPage.cpp line 54 : \"Load: \" + sURL = Load: a.example\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find(".\\WebPage.cpp line 75 : \"LoadFile: \" + sURL = LoadFile: b.example/p.jpg\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace warpix
