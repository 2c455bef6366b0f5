// A render whose web list names a site on this machine: the pictures it
// finds there reach the frames, and a second run shows the same.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/TempFolder.h"
#include "platform/Surface.h"
#include "platform/linux/CurlFetcher.h"
#include "raster/ImageBMP.h"
#include "raster/ImagePNG.h"
#include "web/TestWebServer.h"

namespace warpix {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Surface drawn(const Image& image) {
  Surface s(image.Width(), image.Height());
  image.Draw(s, 0, 0);
  return s;
}

// Whether `part` appears in `whole` enlarged `k` times at some place.
bool contains(const Surface& whole, const Surface& part, int k) {
  const int w = part.width() * k, h = part.height() * k;
  for (int y = 0; y + h <= whole.height(); ++y)
    for (int x = 0; x + w <= whole.width(); ++x) {
      if (whole.pixel(x, y) != part.pixel(0, 0)) continue;
      bool same = true;
      for (int j = 0; j < h && same; ++j)
        for (int i = 0; i < w && same; ++i) same = whole.pixel(x + i, y + j) == part.pixel(i / k, j / k);
      if (same) return true;
    }
  return false;
}

struct RenderRun {
  int status = -1;
  std::string log;
};

RenderRun render(const testing::TempFolder& t, const std::string& out) {
  const std::string command = std::string("TEMP='") + t.str() + "' '" + WARPIX_BINARY + "' --render '" +
                              (t.path() / out).string() + "' --config-dir '" + (t.path() / "cfg").string() +
                              "' --size 640x480 --operations 6 --seed 9 --do-surf 100 --log-ops '" +
                              (t.path() / (out + ".jsonl")).string() + "' >/dev/null 2>&1";
  RenderRun r;
  r.status = WEXITSTATUS(std::system(command.c_str()));
  r.log = slurp(t.path() / (out + ".jsonl"));
  return r;
}

TEST(WebRender, PicturesFromTheListedSiteAreShownAndTheRunRepeats) {
  const testing::TestWebServer server;
  if (!server.problem().empty()) GTEST_SKIP() << "no test web server: " << server.problem();
  const testing::TempFolder t;
  fs::create_directories(t.path() / "cfg");
  std::ofstream(t.path() / "cfg" / "Warpix.ini")
      << "[WebSitesCount]\nCount=1\n[WebSites]\nImage0=" << server.hostAndPort() << "/site/index.html\n";
  std::ofstream(t.path() / "cfg" / "photo-warpix.conf")
      << "[Config]\nWebAccess=2\nWebSitePeriod=0\nDoImage=0\nDoMangle=0\nDoBlur=0\nDoText=0\nDoRepaint=0\n";
  const RenderRun first = render(t, "a");
  ASSERT_EQ(first.status, 0) << first.log;
  // The third step of the crawl shows the site's one large picture.
  std::istringstream lines(first.log);
  std::string line, shownOp;
  while (std::getline(lines, line))
    if (line.find("\"shown\": true") != std::string::npos) {
      EXPECT_NE(line.find("\"address\": \"" + server.url("/pics/200x150.png") + "\""), std::string::npos) << line;
      shownOp = line.substr(line.find(':') + 2, line.find(',') - line.find(':') - 2);
      break;
    }
  ASSERT_FALSE(shownOp.empty()) << first.log;
  // The picture the server sent, 200 x 150, shown twice as large.
  const std::string picture = (t.path() / "p.png").string();
  {
    CurlFetcher http;
    std::ofstream out(picture, std::ios::binary);
    const std::atomic<bool> go{true};
    ASSERT_EQ(http.fetch({server.url("/pics/200x150.png"), "test", 1 << 20},
                         [&](std::string_view piece) { return static_cast<bool>(out.write(piece.data(), piece.size())); },
                         go),
              HttpFetcher::Outcome::Done);
  }
  const ImagePNG expected(picture, 0, 1);
  ASSERT_TRUE(expected.loaded());
  char frame[16];
  std::snprintf(frame, sizeof frame, "%04d.bmp", std::stoi(shownOp));
  const ImageBMP shot((t.path() / "a" / frame).string(), 0, 1);
  ASSERT_TRUE(shot.loaded()) << frame;
  EXPECT_TRUE(contains(drawn(shot), drawn(expected), 2)) << frame;
  // Nothing of the download is left behind.
  for (const auto& entry : fs::directory_iterator(t.path()))
    EXPECT_NE(entry.path().filename().string().rfind("warpix", 0), 0u) << entry.path();

  const RenderRun second = render(t, "b");
  EXPECT_EQ(second.log, first.log);
  for (int op = 1; op <= 6; ++op) {
    std::snprintf(frame, sizeof frame, "%04d.bmp", op);
    EXPECT_EQ(slurp(t.path() / "a" / frame), slurp(t.path() / "b" / frame)) << frame;
  }
}

}  // namespace
}  // namespace warpix
