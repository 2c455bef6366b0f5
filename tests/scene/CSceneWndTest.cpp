#include "scene/CSceneWnd.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "raster/PictureFiles.h"
#include "scene/Saver.h"
#include "scene/SceneFixture.h"

namespace warpix {
namespace {

using testing::SceneFixture;

std::string kindOf(const CSceneWnd& s) { return s.currentOperation() ? s.currentOperation()->kindName() : ""; }

// Collects the kind of every operation the scene creates, in order.
std::vector<std::string> kinds(SceneFixture& f, std::uint32_t count) {
  std::vector<std::string> seen;
  std::uint32_t last = 0;
  for (int i = 0; i < 200000 && seen.size() < count; ++i) {
    if (!f.scene->onPaint()) break;
    if (f.scene->operationCount() != last) {
      last = f.scene->operationCount();
      seen.push_back(kindOf(*f.scene));
    }
  }
  return seen;
}

TEST(CSceneWnd, FoldersWithoutPicturesFallBackOnTheSamplesWhenThereAreAny) {
  for (const bool samples : {true, false}) {
    SceneFixture f;
    const std::string empty = f.folder.str() + "/empty", sampleDir = f.folder.str() + "/samples";
    std::filesystem::create_directories(empty);
    std::filesystem::create_directories(sampleDir);
    testing::writePng(sampleDir + "/s.png",
                      testing::Raster::rgb(40, 30, [](int, int) { return testing::Rgb{250, 20, 120}; }), 2);
    for (const auto& folders : std::vector<std::vector<std::string>>{{}, {empty}}) {
      f.settings.setFolders(folders);
      f.create(5);
      if (samples) f.program->samplesFolder = sampleDir;
      f.scene->onPaint();
      ASSERT_EQ(kindOf(*f.scene), "Bitmap");
      EXPECT_EQ(f.scene->imageFiles(), samples ? std::vector<std::string>{sampleDir + "/s.png"}
                                               : std::vector<std::string>{});
      int seen = 0;
      const Surface& s = f.screen.surface();
      for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) seen += s.pixel(x, y) == makePixel(250, 20, 120);
      EXPECT_EQ(seen > 40 * 30, samples) << folders.size();
      f.screen.surface().fill(0);
    }
  }
}

TEST(CSceneWnd, TheFirstOperationIsAPhotoUnlessTenDrawsMissIt) {
  int photos = 0;
  for (int seed = 1; seed <= 40; ++seed) {
    SceneFixture f;
    f.create(seed);
    // Every kind but the photo is excluded at first: the pick redraws up to
    // nine times, and the tenth draw stands.
    const std::vector<int>& ids = f.settings.kindIds();
    std::vector<int> exclude;
    for (std::size_t i = 0; i < ids.size(); ++i)
      if (ids[i] != 1) exclude.push_back(static_cast<int>(i));
    Random shadow(f.program->random);
    const int expected = ids[f.settings.kinds().pick(shadow, exclude, 10)];
    ASSERT_TRUE(f.scene->onPaint());
    const std::string kind = f.scene->currentOperation()->kindName();
    EXPECT_EQ(kind == "Bitmap", expected == 1) << "seed " << seed;
    photos += kind == "Bitmap";
  }
  // With the default weights a photo is a fifth of the table: ten misses in
  // a row happen about one time in ten.
  EXPECT_GE(photos, 30);
}

TEST(CSceneWnd, AnEightBitDisplayOnlyDistortsAndWrites) {
  SceneFixture f(320, 240, 1, 8);
  f.create(3);
  EXPECT_EQ(f.settings.kindIds(), (std::vector<int>{0, 6}));
  EXPECT_EQ(f.scene->paletteSize(), 236);
  EXPECT_FALSE(f.scene->trueColour());
  for (const std::string& k : kinds(f, 30)) EXPECT_TRUE(k == "Distort" || k == "Text") << k;
}

TEST(CSceneWnd, NoBlurOrCanvasInTheFirstMinute) {
  SceneFixture f;
  // Only kinds whose weight comes from DoRepaint remain: Repaint and Canvas.
  for (auto set : {&RegSettings::setDoMangle, &RegSettings::setDoText, &RegSettings::setDoImage,
                   &RegSettings::setDoBlur})
    (f.settings.*set)(0);
  f.settings.setDoRepaint(100);
  f.create(11);
  const std::vector<std::string> seen = kinds(f, 60);
  ASSERT_EQ(seen.size(), 60u);
  // The placeholders finish at once, so all of this happens in the first
  // minute; a Canvas could only come from ten Canvas draws in a row.
  EXPECT_LT(f.clock.peekMs(), 60000u);
  for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_EQ(seen[i], "Repaint") << i;

  // After the first minute Canvas is back.
  f.clock.advance(61000);
  const std::vector<std::string> later = kinds(f, 60);
  EXPECT_NE(std::find(later.begin(), later.end(), "Canvas"), later.end());
}

TEST(CSceneWnd, PhotosAreSpacedByTheImagePeriod) {
  SceneFixture f;
  const std::string pictures = f.folder.str() + "/pictures";
  std::filesystem::create_directories(pictures);
  testing::writePng(pictures + "/a.png",
                    testing::Raster::rgb(16, 12, [](int x, int y) { return testing::Rgb{x * 9, y * 9, 100}; }), 2);
  f.settings.setFolders({pictures});
  f.settings.setImagePeriod(300);
  f.settings.setDoImage(100);
  f.create(5);
  const std::vector<std::string> seen = kinds(f, 80);
  ASSERT_EQ(seen.size(), 80u);
  EXPECT_LT(f.clock.peekMs(), 300000u);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "Bitmap"), 1) << "only the first";
}

TEST(CSceneWnd, BlankingAtTheFirstPaintWithZeroMinutes) {
  SceneFixture f;
  f.settings.setBlankScreen(true);
  f.settings.setBlankMinutes(0);
  f.screen.surface().fill(makePixel(200, 10, 10));
  f.create();
  EXPECT_FALSE(f.scene->onPaint());
  EXPECT_FALSE(f.scene->currentOperation());
  for (int y = 0; y < f.screen.surface().height(); y += 17)
    for (int x = 0; x < f.screen.surface().width(); x += 13) ASSERT_EQ(f.screen.surface().pixel(x, y), 0u);
}

// An operation that never ends by itself, to see the time limit.
class Endless final : public Saver {
 public:
  explicit Endless(CSceneWnd& s) : Saver(s) {}
  const char* kindName() const override { return "Endless"; }
  int steps = 0;

 protected:
  void draw() override {
    ++steps;
    while (tick()) {
      if (pixelCount > 6000) return;
    }
  }
};

TEST(CSceneWnd, AnOperationIsReplacedAfterSixtySeconds) {
  SceneFixture f;
  f.create();
  f.scene->onPaint();
  f.scene->setCurrentOperation(std::make_unique<Endless>(*f.scene));
  Operation* endless = f.scene->currentOperation();
  const std::uint64_t start = f.clock.peekMs();
  while (f.scene->currentOperation() == endless) ASSERT_TRUE(f.scene->onPaint());
  EXPECT_GT(f.clock.peekMs() - start, 60000u);
  EXPECT_LT(f.clock.peekMs() - start, 61000u);
}

// The virtual time after each paint that created an operation.
std::vector<std::uint64_t> creationTimes(SceneFixture& f, std::size_t count) {
  std::vector<std::uint64_t> times;
  std::uint32_t last = 0;
  for (int i = 0; i < 100000 && times.size() < count; ++i) {
    f.scene->onPaint();
    if (f.scene->operationCount() != last) {
      last = f.scene->operationCount();
      times.push_back(f.clock.peekMs());
    }
  }
  return times;
}

TEST(CSceneWnd, TheDelayBetweenDrawingsComesBeforeTheNextOperationDraws) {
  SceneFixture paused;
  paused.settings.setDelayBetweenDrawings(2);
  paused.settings.setImagePeriod(0);
  paused.create();
  const std::vector<std::uint64_t> t = creationTimes(paused, 6);
  ASSERT_EQ(t.size(), 6u);
  for (std::size_t i = 1; i < t.size(); ++i) EXPECT_GE(t[i] - t[i - 1], 2000u) << i;

  SceneFixture straight;
  straight.settings.setImagePeriod(0);
  straight.create();
  const std::vector<std::uint64_t> u = creationTimes(straight, 6);
  ASSERT_EQ(u.size(), 6u);
  for (std::size_t i = 1; i < u.size(); ++i) EXPECT_LT(u[i] - u[i - 1], 1000u) << i;
}

TEST(CSceneWnd, TheSnapshotIsRewrittenAfterEveryOperation) {
  SceneFixture f(64, 48);
  const std::string shot = f.folder.str() + "/shot.bmp";
  f.settings.setSaveBitmap(true);
  f.settings.setBitmapFilename(shot);
  f.create();
  f.paintUntilOperation(2);
  ASSERT_TRUE(std::filesystem::exists(shot));
  // A 32-bit snapshot of the whole screen: header 54 bytes, then the rows.
  EXPECT_EQ(std::filesystem::file_size(shot), 54u + 64u * 48u * 4u);
  std::filesystem::remove(shot);
  f.paintUntilOperation(3);
  EXPECT_TRUE(std::filesystem::exists(shot));
  // No temporary file is left beside it.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(f.folder.path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

// Counts its units; input arrives in the middle of its work.
class Interrupted final : public Saver {
 public:
  Interrupted(CSceneWnd& s, HeadlessScreen& screen) : Saver(s), screen_(screen) {}
  const char* kindName() const override { return "Interrupted"; }
  std::vector<int> visited;

 protected:
  void draw() override {
    while (x < 3000) {
      if (x == 1000 && visited.size() == 1000) screen_.pushEvent({ScreenBackend::InputEvent::Kind::Key});
      visited.push_back(x);
      ++x;
      if (!tick()) return;
    }
    setFinished(true);
  }

 private:
  HeadlessScreen& screen_;
};

TEST(CSceneWnd, InputInterruptsAStepWhichResumesWhereItStopped) {
  SceneFixture f;
  f.create();
  f.scene->onPaint();
  f.scene->setCurrentOperation(std::make_unique<Interrupted>(*f.scene, f.screen));
  auto* op = static_cast<Interrupted*>(f.scene->currentOperation());
  EXPECT_TRUE(f.scene->onPaint());
  // It stopped at the first check after the key: unit 1200.
  EXPECT_EQ(op->visited.size(), 1201u);
  // While the key waits, a step does nothing.
  EXPECT_TRUE(f.scene->onPaint());
  EXPECT_EQ(op->visited.size(), 1201u);
  f.screen.nextEvent();
  f.scene->onPaint();
  ASSERT_EQ(op->visited.size(), 3000u);
  for (int i = 0; i < 3000; ++i) ASSERT_EQ(op->visited[i], i);
}

TEST(CSceneWnd, RandomMonitorDrawsFromTheProgramGenerator) {
  SceneFixture f(300, 100, 3);
  f.create(8);
  Random shadow(f.program->random);
  for (int i = 0; i < 20; ++i) {
    const Rect r = f.scene->randomMonitor();
    EXPECT_EQ(r, f.screen.monitors()[shadow.below(3)]);
  }
}

}  // namespace
}  // namespace warpix

namespace warpix {
namespace {

TEST(CSceneWnd, TheScratchSurfaceFollowsTheSceneSize) {
  testing::SceneFixture f(64, 48);
  f.create();
  Surface* first = f.scene->scratchSurface();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(f.scene->scratchSurface(), first);  // made once, then kept
  f.scene->onSize(32, 20);
  Surface* resized = f.scene->scratchSurface();
  ASSERT_NE(resized, nullptr);
  EXPECT_EQ(resized->width(), 32);
  EXPECT_EQ(resized->height(), 20);
}

}  // namespace
}  // namespace warpix
