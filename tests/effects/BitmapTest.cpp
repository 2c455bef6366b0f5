#include "effects/Bitmap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "raster/ImageCatalogue.h"
#include "raster/PictureFiles.h"
#include "scene/OperationLog.h"
#include "scene/SceneFixture.h"

namespace warpix {
namespace {

using testing::Raster;
using testing::Rgb;
using testing::SceneFixture;

TEST(BitmapPlacement, ModesLeanToTheirCorners) {
  Random r(1);
  EXPECT_EQ(placementOffset(0, 101, 51, r), (Point{50, 25}));
  EXPECT_EQ(placementOffset(0, -7, -3, r), (Point{-3, -1}));  // halves truncate toward zero
  // Each corner mode is two skewed draws, x first; check against the
  // generator itself.
  for (int mode = 1; mode <= 4; ++mode) {
    Random a(mode * 7), b(mode * 7);
    const int kx = mode == 2 || mode == 3 ? -4 : 4;
    const int ky = mode == 3 || mode == 4 ? -4 : 4;
    const int ex = b.skewed(300, kx);
    const int ey = b.skewed(200, ky);
    EXPECT_EQ(placementOffset(mode, 300, 200, a), (Point{ex, ey})) << mode;
  }
}

TEST(BitmapPlacement, APictureAsLargeAsTheAreaLiesAtItsCornerInEveryMode) {
  for (int mode = 0; mode < 5; ++mode) {
    Random r(99);
    EXPECT_EQ(placementOffset(mode, 0, 0, r), (Point{0, 0})) << mode;
  }
}

// Writes a picture of one colour and points the settings at its folder.
std::string onePicture(SceneFixture& f, const std::string& name, int w, int h, Rgb colour) {
  const std::string folder = f.folder.str() + "/pictures";
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/" + name;
  testing::writePng(path, Raster::rgb(w, h, [&](int, int) { return colour; }), 2);
  f.settings.setFolders({folder});
  f.settings.setImagePeriod(0);
  return path;
}

Rect boundsOf(const Surface& s, Pixel colour) {
  Rect r{s.width(), s.height(), -1, -1};
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.pixel(x, y) == colour) {
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x + 1);
        r.bottom = std::max(r.bottom, y + 1);
      }
  return r;
}

TEST(Bitmap, ACentredPhotoSitsInTheMiddleOfOneMonitorInsideItsFrame) {
  for (int seed = 1; seed <= 6; ++seed) {
    SceneFixture f(400, 150, 2);
    onePicture(f, "p.png", 60, 40, {10, 200, 30});
    f.create(seed);
    f.scene->placementCounter() = 5;  // mode 0: centred
    f.scene->onPaint();
    ASSERT_STREQ(f.scene->currentOperation()->kindName(), "Bitmap");
    const Surface& s = f.screen.surface();
    // The frame is a 4-pixel pen along a path 2 pixels outside the photo,
    // in a colour read from the photo (here its only colour): the coloured
    // area is the photo grown by 4 on every side, and nothing more.
    const Rect coloured = boundsOf(s, makePixel(10, 200, 30));
    const bool left = coloured.left < 200;
    const Rect monitor = left ? Rect{0, 0, 200, 150} : Rect{200, 0, 400, 150};
    EXPECT_EQ(coloured, (Rect{monitor.left + 70 - 4, 55 - 4, monitor.left + 130 + 4, 95 + 4})) << seed;
    EXPECT_EQ(f.scene->placementCounter(), 6);
    // Round joins leave the very corner pixels of the outline's outer edge.
    const auto corner = [&](int x, int y) {
      return (x == coloured.left || x == coloured.right - 1) && (y == coloured.top || y == coloured.bottom - 1);
    };
    for (int y = coloured.top; y < coloured.bottom; ++y)
      for (int x = coloured.left; x < coloured.right; ++x)
        if (!corner(x, y)) {
          ASSERT_EQ(s.pixel(x, y), makePixel(10, 200, 30)) << x << "," << y;
        }
  }
}

TEST(Bitmap, APngLargerThanTheSceneIsShrunkToFit) {
  SceneFixture f(320, 240);
  onePicture(f, "big.png", 400, 300, {200, 0, 0});
  f.create(4);
  f.scene->onPaint();
  ASSERT_STREQ(f.scene->currentOperation()->kindName(), "Bitmap");
  // Halved to 200 x 150, then grown by its 4-pixel frame on every side.
  const Rect coloured = boundsOf(f.screen.surface(), makePixel(200, 0, 0));
  EXPECT_EQ(coloured.right - coloured.left, 200 + 8);
  EXPECT_EQ(coloured.bottom - coloured.top, 150 + 8);
}

TEST(Bitmap, APhotoTooLargeForTheSceneIsNotShownButCountsAsAPhotoStep) {
  SceneFixture f(320, 240);
  // Still 375 wide at 1/8, the most any decoder shrinks.
  const std::string path = onePicture(f, "big.png", 3000, 100, {200, 0, 0});
  const std::string log = f.folder.str() + "/ops.jsonl";
  OperationLog opLog(log);
  f.create(4);
  f.program->operationLog = &opLog;
  f.scene->onPaint();
  ASSERT_STREQ(f.scene->currentOperation()->kindName(), "Bitmap");
  EXPECT_EQ(boundsOf(f.screen.surface(), makePixel(200, 0, 0)).right, -1);
  EXPECT_EQ(f.program->lastPhotoTime, f.clock.wallSeconds());
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("\"file\": \"" + path + "\", \"shown\": false"), std::string::npos) << text.str();
}

std::string readAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Files the photo step cannot show, of every kind: a folder under a
// picture's name, text, a JPEG cut short under a PNG name,
// a PNG cut short after its signature.
void writeBadFile(const std::string& path, int kind) {
  switch (kind % 4) {
    case 0: std::filesystem::create_directory(path); break;
    case 1: std::ofstream(path) << "not a picture"; break;
    case 2: std::ofstream(path, std::ios::binary) << "\xff\xd8\xff\xe0"; break;
    default: std::ofstream(path, std::ios::binary) << "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"; break;
  }
}

TEST(Bitmap, AFileThatCannotBeShownHandsOverToTheNextUpToTenFiles) {
  struct Case {
    int bad;
    bool good;       // a showable picture sorts after the bad files
    bool shown;
    int skipped;
    int imageNext;   // where the alphabetical order stands after the step
  } cases[] = {
      {3, true, true, 3, 0},      // the fourth file shows at the first photo step
      {12, true, false, 10, 10},  // ten failures and the step gives up
      {2, false, false, 2, 0},    // never more tries than files
  };
  for (const Case& c : cases) {
    SceneFixture f(320, 240);
    const std::string folder = f.folder.str() + "/pictures";
    std::filesystem::create_directories(folder);
    for (int i = 0; i < c.bad; ++i)
      writeBadFile(folder + "/bad" + std::to_string(10 + i) + (i % 4 >= 2 ? ".png" : ".jpg"), i);
    if (c.good) onePicture(f, "good.png", 30, 20, {10, 200, 30});
    f.settings.setFolders({folder});
    f.settings.setImagePeriod(0);
    f.settings.setImageOrder(ImageCatalogue::kAlphabeticalOrder);
    f.settings.setImageNext(0);
    const std::string log = f.folder.str() + "/ops.jsonl";
    OperationLog opLog(log);
    f.create(3);
    f.program->operationLog = &opLog;
    f.scene->onPaint();
    ASSERT_STREQ(f.scene->currentOperation()->kindName(), "Bitmap");
    const Rect green = boundsOf(f.screen.surface(), makePixel(10, 200, 30));
    // The picture with its frame, or nothing green at all.
    EXPECT_EQ(green.right - green.left, c.shown ? 30 + 2 * PictureFrame::kPen : -1 - 320) << c.bad;
    EXPECT_EQ(f.settings.imageNext(), c.imageNext) << c.bad;
    EXPECT_EQ(f.program->lastPhotoTime, f.clock.wallSeconds()) << c.bad;
    const std::string expected = "\"shown\": " + std::string(c.shown ? "true" : "false") +
                                 ", \"skipped\": " + std::to_string(c.skipped) + "}";
    EXPECT_NE(readAll(log).find(expected), std::string::npos) << c.bad << "\n" << readAll(log);
  }
}

TEST(Bitmap, TheHoldRunsForImagePauseAndInputEndsItAtOnce) {
  SceneFixture f;
  onePicture(f, "p.png", 20, 20, {1, 2, 3});
  f.settings.setImagePause(5);
  f.create(2);
  const std::uint64_t start = f.clock.peekMs();
  f.scene->onPaint();
  Operation* photo = f.scene->currentOperation();
  ASSERT_STREQ(photo->kindName(), "Bitmap");
  EXPECT_TRUE(photo->isFinished());
  EXPECT_GE(f.clock.peekMs() - start, 5000u);
  EXPECT_LT(f.clock.peekMs() - start, 5100u);

  // Input during a hold ends the wait within the step: time stands still.
  SceneFixture g;
  onePicture(g, "p.png", 20, 20, {1, 2, 3});
  g.settings.setImagePause(30);
  g.create(2);
  g.scene->onPaint();  // photo step and the first second-long waits
  g.screen.pushEvent({ScreenBackend::InputEvent::Kind::Key});
  const std::uint64_t before = g.clock.peekMs();
  g.scene->onPaint();
  EXPECT_LT(g.clock.peekMs() - before, 50u);
  EXPECT_FALSE(g.scene->currentOperation()->isFinished());
}

}  // namespace
}  // namespace warpix
