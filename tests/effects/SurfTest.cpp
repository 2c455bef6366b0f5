#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <iterator>
#include <utility>

#include "effects/Surf.h"
#include "raster/PictureFiles.h"
#include "scene/SceneFixture.h"
#include "web/FakeFetcher.h"
#include "web/WebPage.h"

namespace warpix {
namespace {

using testing::FakeFetcher;
using Outcome = HttpFetcher::Outcome;

TEST(Surf, SmallPicturesGrowByPowersOfTwoWithinAThirdOfTheScene) {
  const struct {
    int w, h, sw, sh, stretch;
  } cases[] = {
      {64, 64, 1920, 1080, 8}, {300, 200, 1024, 768, 2}, {400, 300, 1024, 768, 1},
      {1, 1, 1920, 1080, 64},  {64, 500, 1024, 768, 1},  {101, 10, 300, 3000, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(Surf::stretchFor(c.w, c.h, c.sw, c.sh), c.stretch) << c.w << "x" << c.h;
}

// A scene with a crawler over a fake web whose one page shows one picture.
struct WebScene {
  explicit WebScene(const std::string& picture, bool png = true) {
    f.settings.setWebSites({"http://site.example/"});
    f.settings.setWebAccess(2);
    f.settings.setDoSurf(100);
    const std::string name = png ? "p.png" : "p.jpg";
    http.answer("http://site.example", {Outcome::Done, "<img src=\"" + name + "\">", false});
    http.answer("http://site.example/" + name, {Outcome::Done, picture, false});
    CSceneWnd& s = f.make<CSceneWnd>(3);
    f.program->http = &http;
    f.program->tempFilePath = f.folder.str() + "/warpix.tmp";
    f.program->waitForFetches = true;
    s.onCreate();
  }
  // Runs one Surf step after another; true when one of them drew.
  bool surf(int steps) {
    const std::int64_t before = f.program->lastWebImageTime = f.program->lastNewImagesTime = f.clock.wallSeconds();
    for (int i = 0; i < steps; ++i) {
      f.clock.advance(1000);
      Surf op(*f.scene);
      op.run();
      EXPECT_TRUE(op.isFinished());
      if (f.program->lastWebImageTime != before) return true;
    }
    return false;
  }

  testing::SceneFixture f{320, 240};
  FakeFetcher http;
};

std::string pngBytes(const testing::Raster& raster) {
  const testing::TempFolder t;
  const std::string path = t.str() + "/p.png";
  testing::writePng(path, raster, 2);
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

testing::Rgb checker(int x, int y) { return (x / 4 + y / 4) % 2 ? testing::Rgb{10, 200, 30} : testing::Rgb{200, 10, 90}; }

TEST(Surf, ADownloadedPictureIsShownDoubledAndFramedInOneOfItsColours) {
  WebScene w(pngBytes(testing::Raster::rgb(64, 64, checker)));
  ASSERT_NE(w.f.scene->crawler(), nullptr);
  w.f.scene->surface().fill(0);
  w.f.scene->placementCounter() = 5;  // centred
  ASSERT_TRUE(w.surf(4));
  EXPECT_EQ(w.f.scene->placementCounter(), 6);
  const Surface& screen = w.f.scene->surface();
  const auto ours = [&](int x, int y) {
    const Pixel p = screen.pixel(x, y);
    return p == makePixel(10, 200, 30) || p == makePixel(200, 10, 90);
  };
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x)
      if (ours(x, y)) {
        left = std::min(left, x), top = std::min(top, y);
        right = std::max(right, x), bottom = std::max(bottom, y);
      }
  // 64 doubled is 128 (a third of 240 is 80), centred, and a 4-pixel frame
  // around it.
  EXPECT_EQ(left, (320 - 128) / 2 - 4);
  EXPECT_EQ(top, (240 - 128) / 2 - 4);
  EXPECT_EQ(right - left + 1, 136);
  EXPECT_EQ(bottom - top + 1, 136);
  for (int j = 0; j < 128; ++j)
    for (int i = 0; i < 128; ++i) {
      const testing::Rgb c = checker(i / 2, j / 2);
      ASSERT_EQ(screen.pixel(left + 4 + i, top + 4 + j), makePixel(c.r, c.g, c.b)) << i << "," << j;
    }
}

TEST(Surf, PicturesTooSmallTooLargeOrBrokenAreNotShown) {
  const std::string cases[] = {
      pngBytes(testing::Raster::rgb(63, 100, checker)),
      pngBytes(testing::Raster::rgb(321, 100, checker)),
      std::string("\x89PNG\r\n\x1a\n") + std::string(20000, 'x'),
  };
  for (const std::string& picture : cases) {
    WebScene w(picture);
    EXPECT_FALSE(w.surf(6));
  }
}

std::string jpegBytes(int w, int h) {
  const testing::TempFolder t;
  const std::string path = t.str() + "/p.jpg";
  testing::writeJpeg(path, testing::Raster::rgb(w, h, checker));
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Surf, APictureLargerThanTheSceneIsDecodedSmallerAndShown) {
  for (const auto& [w, h] : {std::pair{100, 80}, std::pair{1280, 960}}) {
    WebScene web(jpegBytes(w, h), false);
    EXPECT_TRUE(web.surf(4)) << w;
  }
  WebScene png(pngBytes(testing::Raster::rgb(1280, 960, checker)));
  EXPECT_TRUE(png.surf(6));
}

TEST(Surf, TheSceneMakesACrawlerOnlyForTheWebAndSpacesWebPictures) {
  for (const int access : {0, 1, 2}) {
    testing::SceneFixture f;
    FakeFetcher http;
    testing::FakeOnline offline;
    offline.full = false;
    f.settings.setWebSites({"http://site.example/"});
    f.settings.setWebAccess(access);
    CSceneWnd& s = f.make<CSceneWnd>(1);
    f.program->http = &http;
    f.program->online = &offline;
    s.onCreate();
    EXPECT_EQ(s.crawler() != nullptr, access == 2) << access;
  }
}

// How many of the first `count` operations are web pictures.
int surfs(testing::SceneFixture& f, std::uint32_t count) {
  int n = 0;
  std::uint32_t last = 0;
  for (int i = 0; i < 200000 && f.scene->operationCount() < count; ++i) {
    if (!f.scene->onPaint()) break;
    if (f.scene->operationCount() != last) {
      last = f.scene->operationCount();
      n += std::string(f.scene->currentOperation()->kindName()) == "Surf";
    }
  }
  return n;
}

TEST(Surf, WebPicturesAreSpacedByTheWebSitePeriod) {
  for (const int period : {0, 300}) {
    testing::SceneFixture f;
    FakeFetcher http;
    f.settings.setWebSites({"http://site.example/"});
    f.settings.setWebAccess(2);
    f.settings.setWebSitePeriod(period);
    f.settings.setDoSurf(100);
    f.settings.setDoText(0);
    CSceneWnd& s = f.make<CSceneWnd>(4);
    f.program->http = &http;
    s.onCreate();
    const int n = surfs(f, 30);
    // The first is made at once; then the period holds them back (short
    // of ten excluded draws in a row).
    if (period == 0) EXPECT_GT(n, 8);
    else EXPECT_LE(n, 2);
  }
}

}  // namespace
}  // namespace warpix
