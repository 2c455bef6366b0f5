// The crawler's fetches against a real HTTP server on this machine: what
// a page and a picture become, and that no hostile answer holds a worker
// past its limit or leaves a file behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <string>

#include "app/Trace.h"
#include "platform/TempFolder.h"
#include "platform/headless/VirtualClock.h"
#include "platform/linux/CurlFetcher.h"
#include "raster/ImagePNG.h"
#include "web/TestWebServer.h"
#include "web/WebPage.h"

namespace warpix {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class WebPageServer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { shared = std::make_unique<testing::TestWebServer>(); }
  static void TearDownTestSuite() { shared.reset(); }
  void SetUp() override {
    if (!server.problem().empty()) GTEST_SKIP() << "no test web server: " << server.problem();
    page.SetTempFile(temp());
  }
  std::string temp() const { return folder.str() + "/warpix.tmp"; }
  // Files in the folder of the temporary file.
  std::size_t files() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()));
  }
  // Starts a fetch and polls it to its end; the seconds it took.
  double fetch(const std::string& path, bool image) {
    const auto start = Clock::now();
    if (image) page.LoadFile(server.url(path));
    else page.Load(server.url(path));
    page.WaitForWorker(60000);
    page.Status();
    return std::chrono::duration<double>(Clock::now() - start).count();
  }

  static inline std::unique_ptr<testing::TestWebServer> shared;
  const testing::TestWebServer& server = *shared;
  testing::TempFolder folder;
  VirtualClock clock;
  Trace trace{clock};
  CurlFetcher http;
  WebPage page{http, clock, trace};
};

TEST_F(WebPageServer, EveryAnswerEndsLoadedOrFailedInTime) {
  const struct {
    const char* path;
    bool image;
    CrawlerStatus status;
  } cases[] = {
      {"/site/index.html", false, CrawlerStatus::Loaded},  {"/redirect/5", false, CrawlerStatus::Loaded},
      {"/redirect/6", false, CrawlerStatus::Failed},       {"/loop", false, CrawlerStatus::Failed},
      {"/to-file", false, CrawlerStatus::Failed},          {"/to-ftp", true, CrawlerStatus::Failed},
      {"/status/404", true, CrawlerStatus::Failed},        {"/status/500", false, CrawlerStatus::Failed},
      {"/huge", false, CrawlerStatus::Failed},             {"/huge", true, CrawlerStatus::Failed},
      {"/huge-chunked", false, CrawlerStatus::Failed},     {"/huge-chunked", true, CrawlerStatus::Failed},
      {"/broken.html", false, CrawlerStatus::Loaded},      {"/pics/100x80.png", true, CrawlerStatus::Loaded},
  };
  for (const auto& c : cases) {
    const double seconds = fetch(c.path, c.image);
    EXPECT_EQ(page.Status(), c.status) << c.path;
    EXPECT_LT(seconds, 10.0) << c.path;
    // Nothing but the last whole picture is ever left in the folder, and
    // no more than a page's worth of text is held.
    EXPECT_LE(files(), 1u) << c.path;
    std::uint64_t held = 0;
    for (const std::string& line : page.pageLines()) held += line.size();
    EXPECT_LE(held, WebPage::kMaxPageBytes) << c.path;
  }
  EXPECT_TRUE(ImagePNG(temp(), 0, 1).loaded());
  EXPECT_EQ(fs::status(temp()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(WebPageServer, PagesAreReadLineByLineAndErrorsSayWhere) {
  fetch("/site/index.html", false);
  ASSERT_GT(page.pageLines().size(), 5u);
  EXPECT_EQ(page.pageLines().front(), "<html><head><title>Test site</title></head><body>");
  fetch("/status/500", false);
  EXPECT_EQ(page.pageLines(), (std::vector<std::string>{"Error connecting to " + server.url("/status/500")}));
  fetch("/agent", false);
  EXPECT_EQ(page.pageLines(), (std::vector<std::string>{WebPage::kPageAgent}));
  fetch("/agent", true);
  std::ifstream in(temp());
  std::string agent;
  std::getline(in, agent);
  EXPECT_EQ(agent, WebPage::kImageAgent);
}

TEST_F(WebPageServer, AStopEndsAStalledTransferAtOnceAndKeepsWhatWasRead) {
  for (const char* path : {"/never", "/slow"}) {
    page.Load(server.url(path));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto start = Clock::now();
    page.TimeOut();
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 0.5) << path;
    EXPECT_EQ(page.Status(), CrawlerStatus::TimedOut);
    EXPECT_FALSE(page.pageLines().empty()) << path;
  }
  page.LoadFile(server.url("/never"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  page.Stop();
  EXPECT_EQ(page.Status(), CrawlerStatus::Stopped);
  EXPECT_EQ(files(), 0u);
}

TEST_F(WebPageServer, TheLastPictureGoesWithTheCrawler) {
  {
    WebPage other(http, clock, trace);
    other.SetTempFile(folder.str() + "/other.tmp");
    other.LoadFile(server.url("/pics/100x80.png"));
    other.WaitForWorker(10000);
    other.Status();
    EXPECT_TRUE(fs::exists(folder.path() / "other.tmp"));
    // A worker still running when its crawler goes is stopped with it.
    other.LoadFile(server.url("/never"));
  }
  EXPECT_EQ(files(), 0u);
}

}  // namespace
}  // namespace warpix
