#include "scene/CScreenWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/headless/HeadlessScreen.h"
#include "scene/Saver.h"
#include "scene/SceneFixture.h"

namespace warpix {
namespace {

using Event = ScreenBackend::InputEvent;
using Kind = Event::Kind;

Event motion(int x, int y) { return {Kind::Motion, x, y}; }
Event of(Kind kind) { return {kind}; }

// The full-screen window on a memory screen with virtual time; the scene has
// painted once, so an operation is running.
struct ScreenFixture : testing::SceneFixture {
  explicit ScreenFixture(bool ownsInput = true, int monitors = 1) : SceneFixture(320, 240, monitors) {
    window = &make<CScreenWnd>(42, ownsInput);
    EXPECT_TRUE(window->open());
    EXPECT_TRUE(window->onPaint());
  }
  Operation* op() { return scene->currentOperation(); }

  CScreenWnd* window = nullptr;
};

TEST(CScreenWnd, TheFirstMotionOnlySetsTheReference) {
  ScreenFixture f;
  EXPECT_EQ(f.window->mouseReference(), (Point{-1, -1}));
  f.window->handle(motion(300, 200));
  EXPECT_FALSE(f.window->closePosted());
  EXPECT_EQ(f.window->mouseReference(), (Point{300, 200}));
}

TEST(CScreenWnd, JitterUpToTwentyPixelsStaysAndTwentyOneCloses) {
  // Offsets from the first position; 20 in either direction and on both
  // axes at once is still jitter, 21 on either axis is a move.
  struct Case {
    int dx, dy;
    bool closes;
  };
  for (const Case c : {Case{20, 20, false}, Case{-20, -20, false}, Case{20, -20, false}, Case{0, 0, false},
                       Case{21, 0, true}, Case{-21, 0, true}, Case{0, 21, true}, Case{0, -21, true},
                       Case{21, 21, true}}) {
    ScreenFixture f;
    f.window->handle(motion(100, 100));
    f.window->handle(motion(100 + c.dx, 100 + c.dy));
    EXPECT_EQ(f.window->closePosted(), c.closes) << c.dx << "," << c.dy;
    // Jitter leaves the reference where it was; a move takes the new point.
    const Point expected = c.closes ? Point{100 + c.dx, 100 + c.dy} : Point{100, 100};
    EXPECT_EQ(f.window->mouseReference(), expected) << c.dx << "," << c.dy;
  }
}

TEST(CScreenWnd, JitterIsMeasuredFromTheFirstPointNotTheLast) {
  ScreenFixture f;
  f.window->handle(motion(100, 100));
  // Creeping by 15 pixels a step: the second step is 30 from the reference.
  f.window->handle(motion(115, 100));
  EXPECT_FALSE(f.window->closePosted());
  f.window->handle(motion(130, 100));
  EXPECT_TRUE(f.window->closePosted());
}

TEST(CScreenWnd, KeyButtonAndFocusLossEachClose) {
  for (const Kind kind : {Kind::Key, Kind::Button, Kind::FocusLost}) {
    ScreenFixture f;
    f.screen.pushEvent(of(kind));
    EXPECT_FALSE(f.window->pumpOnce()) << static_cast<int>(kind);
    EXPECT_TRUE(f.window->closePosted());
    EXPECT_TRUE(f.window->destroyed());
    EXPECT_TRUE(f.screen.hidden());
    // The scene's destroy handling stopped the operation.
    ASSERT_NE(f.op(), nullptr);
    EXPECT_TRUE(f.op()->stopRequested());
  }
}

TEST(CScreenWnd, AGrantedCloseStopsTheOperationAndRefusesAnotherCheck) {
  ScreenFixture f;
  ASSERT_NE(f.op(), nullptr);
  EXPECT_TRUE(f.window->mayClose());
  EXPECT_TRUE(f.op()->stopRequested());
  // Closing: no second check, even for a real move.
  EXPECT_FALSE(f.window->mayClose());
}

TEST(CScreenWnd, ARefusedCloseResumesThePaintChain) {
  ScreenFixture f;
  int checks = 0;
  bool stoppedDuringCheck = false;
  f.window->setPasswordCheck([&] {
    ++checks;
    stoppedDuringCheck = f.op()->stopRequested();
    return false;
  });
  f.window->handle(motion(10, 10));
  f.window->handle(motion(60, 10));
  EXPECT_EQ(checks, 1);
  EXPECT_TRUE(stoppedDuringCheck);
  EXPECT_FALSE(f.window->closePosted());
  EXPECT_FALSE(f.op()->stopRequested());
  EXPECT_TRUE(f.window->invalidated());
  EXPECT_TRUE(f.window->pumpOnce());
  EXPECT_FALSE(f.screen.hidden());
  // The movement that triggered the check is the new reference.
  EXPECT_EQ(f.window->mouseReference(), (Point{60, 10}));
  // A later key asks again: a refusal is not sticky.
  f.window->handle(of(Kind::Key));
  EXPECT_EQ(checks, 2);
  EXPECT_TRUE(f.window->pumpOnce());
}

TEST(CScreenWnd, InputDuringTheCheckStartsNoSecondCheck) {
  ScreenFixture f;
  int checks = 0;
  f.window->setPasswordCheck([&] {
    ++checks;
    // The dialog is up: input arrives meanwhile.
    f.window->handle(of(Kind::Key));
    f.window->handle(of(Kind::Button));
    f.window->handle(motion(0, 0));
    f.window->handle(motion(200, 200));
    return true;
  });
  f.window->handle(of(Kind::Key));
  EXPECT_EQ(checks, 1);
  EXPECT_TRUE(f.window->closePosted());
  // Movements while checking did not touch the reference.
  EXPECT_EQ(f.window->mouseReference(), (Point{-1, -1}));
}

TEST(CScreenWnd, AWaitingEventIsHandledBeforeAnyPaint) {
  ScreenFixture f;
  f.screen.pushEvent(motion(5, 5));
  const int presents = f.screen.presents();
  EXPECT_TRUE(f.window->pumpOnce());
  EXPECT_EQ(f.window->mouseReference(), (Point{5, 5}));
  // The event was taken, then the step painted and presented.
  EXPECT_GT(f.screen.presents(), presents);
}

TEST(CScreenWnd, QuitEndsTheLoopEvenInAForeignWindow) {
  for (const bool owns : {true, false}) {
    ScreenFixture f(owns);
    f.screen.pushEvent(of(Kind::Quit));
    f.window->run();
    EXPECT_TRUE(f.window->destroyed());
    EXPECT_FALSE(f.window->closePosted());
    EXPECT_TRUE(f.op()->stopRequested());
  }
}

TEST(CScreenWnd, AForeignWindowLeavesInputToItsOwner) {
  ScreenFixture f(false);
  for (const Event e : {of(Kind::Key), of(Kind::Button), of(Kind::FocusLost), motion(0, 0), motion(300, 200)})
    f.screen.pushEvent(e);
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(f.window->pumpOnce());
  EXPECT_FALSE(f.window->closePosted());
  EXPECT_EQ(f.window->mouseReference(), (Point{-1, -1}));
}

TEST(CScreenWnd, AResizeEndsTheOperationThatMeasuredTheOldSize) {
  ScreenFixture f(false);
  Operation* before = f.op();
  const std::uint32_t count = f.window->operationCount();
  f.window->handle({Kind::Resize, 0, 0, 200, 100});
  EXPECT_EQ(f.window->width(), 200);
  EXPECT_EQ(f.window->height(), 100);
  EXPECT_TRUE(before->isFinished());
  EXPECT_TRUE(f.window->invalidated());
  // The next step replaces it before it can draw again.
  EXPECT_TRUE(f.window->onPaint());
  EXPECT_EQ(f.window->operationCount(), count + 1);
}

TEST(CScreenWnd, TwoMonitorsGiveTwoRectanglesAndOneWindow) {
  ScreenFixture f(true, 2);
  const std::vector<Rect> expected{{0, 0, 160, 240}, {160, 0, 320, 240}};
  EXPECT_EQ(f.window->monitors(), expected);
  EXPECT_EQ(f.window->width(), 320);
  EXPECT_EQ(f.window->height(), 240);
}

}  // namespace
}  // namespace warpix
