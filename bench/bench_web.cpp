// The crawler's work on the drawing thread. Goals: ScanPage on a 1 MiB page
// of ordinary HTML at most 20 ms; on a 4 MiB page built to make the patterns
// backtrack (long runs with no closing quote) at most 200 ms; a crawl step
// while a fetch runs at most 1 ms.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "BenchScene.h"
#include "platform/HttpFetcher.h"
#include "web/CrawlStep.h"
#include "web/PageScanner.h"
#include "web/WebPage.h"

namespace {

using warpix::pageScanner;

// A page like a news site's: navigation, paragraphs, links of every kind,
// pictures with and without queries, scripts, in lines of a few hundred bytes.
std::vector<std::string> ordinaryPage(std::size_t bytes) {
  std::vector<std::string> lines;
  std::size_t size = 0;
  for (int i = 0; size < bytes; ++i) {
    std::string line;
    switch (i % 6) {
      case 0: line = "<div class=\"nav\"><a href=\"/section/" + std::to_string(i) + "/index.html\">Section</a> "
                     "<a class=\"ext\" href=\"http://other.example/p" + std::to_string(i) + ".html\">Elsewhere</a></div>";
        break;
      case 1: line = "<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor incididunt ut "
                     "labore et dolore magna aliqua. Ut enim ad minim veniam, quis nostrud exercitation.</p>";
        break;
      case 2: line = "<img src=\"/images/photo" + std::to_string(i) + ".jpg\" alt=\"A photo\" width=\"300\"> "
                     "<img src=\"thumbs/t" + std::to_string(i) + ".png?size=small\">";
        break;
      case 3: line = "<a href=\"../archive/" + std::to_string(i) + ".html\" title=\"&quot;Archive&quot;\">Archive</a> "
                     "<a href=\"mailto:desk@example.com\">Mail</a> <a href=\"doc" + std::to_string(i) + ".pdf\">PDF</a>";
        break;
      case 4: line = "<script>var x = {\"a\": 1, \"b\": [1,2,3]}; function f(y) { return y * 2; }</script>";
        break;
      default: line = "<li><a href='story" + std::to_string(i) + ".html'>A story with a long headline</a></li>";
    }
    size += line.size();
    lines.push_back(std::move(line));
  }
  return lines;
}

// Runs with no closing quote after openings of both patterns.
std::vector<std::string> hostilePage(std::size_t bytes) {
  std::vector<std::string> lines;
  std::size_t size = 0;
  for (int i = 0; size < bytes; ++i) {
    std::string line = i % 2 ? "<a href=\"" : " src=";
    line += std::string(4000, i % 3 ? 'w' : '/');
    size += line.size();
    lines.push_back(std::move(line));
  }
  return lines;
}

void scan(benchmark::State& state, const std::vector<std::string>& lines) {
  std::size_t found = 0;
  for (auto _ : state) {
    std::vector<std::string> links, images;
    pageScanner().scanLinks("http://site.example/dir/page.html", lines, links);
    pageScanner().scanImages("http://site.example/dir/page.html", lines, images);
    warpix::PageScanner::filterImages(images, {});
    found = links.size() + images.size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = static_cast<double>(found);
}

void BM_ScanPageOrdinary1MiB(benchmark::State& state) { scan(state, ordinaryPage(1 << 20)); }
BENCHMARK(BM_ScanPageOrdinary1MiB)->Unit(benchmark::kMillisecond);

void BM_ScanPageHostile4MiB(benchmark::State& state) { scan(state, hostilePage(4 << 20)); }
BENCHMARK(BM_ScanPageHostile4MiB)->Unit(benchmark::kMillisecond);

// A fetch that never ends until it is stopped.
class StalledFetcher final : public warpix::HttpFetcher {
 public:
  Outcome fetch(const Request&, const Sink&, const std::atomic<bool>& keepGoing) override {
    while (keepGoing) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return Outcome::Cancelled;
  }
};

void BM_CrawlStepWhileFetching(benchmark::State& state) {
  warpix::bench::BenchScene scene(64, 48);
  scene.settings.setWebSites({"http://site.example/"});
  scene.settings.setWebAccess(2);
  StalledFetcher http;
  warpix::WebPage page(http, scene.clock, scene.trace);
  page.Load("http://site.example/");
  warpix::Random random(1);
  std::int64_t lastImage = scene.clock.wallSeconds(), lastNew = lastImage;
  warpix::CrawlContext context{scene.settings, random, scene.clock, nullptr, lastImage, lastNew, false};
  for (auto _ : state) {
    // Time stands still, so the fetch stays one that has just begun.
    scene.clock.sleepMs(0);
    benchmark::DoNotOptimize(warpix::CrawlStep(&page, random, context));
  }
}
BENCHMARK(BM_CrawlStepWhileFetching)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
