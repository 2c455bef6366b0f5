#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "platform/Surface.h"

namespace warpix {
namespace {

constexpr Pixel kBackground = 0x102030;
constexpr Pixel kInk = 0xC86403;

Surface blankSurface(int w = 48, int h = 40) {
  Surface s(w, h);
  s.fill(kBackground);
  s.takeDirty();
  return s;
}

// The expected coverage of an unantialiased stroke, worked from geometry
// rather than from the drawing code: a pixel is painted when its centre
// (x + 0.5, y + 0.5) lies within half the pen width of the path, which is
// exactly the shape of a pen with round caps and round joins. Pixel centres
// never lie exactly on the edge in the cases below (the distances are
// half-integers or roots of sums of two squares of half-integers).
double distanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Cairo draws round caps and joins as polygons within 0.1 pixel of the true
// circle, so pixels whose centres lie that close to the pen's edge may go
// either way; everything else must match.
constexpr double kRoundTolerance = 0.15;

enum class Cover { No, Yes, Either };

Cover coverage(int x, int y, const std::vector<Point>& path, double halfWidth, double offset) {
  double nearest = 1e9;
  for (std::size_t i = 0; i + 1 < path.size(); ++i)
    nearest = std::min(nearest, distanceToSegment(x + 0.5, y + 0.5, path[i].x + offset, path[i].y + offset,
                                                  path[i + 1].x + offset, path[i + 1].y + offset));
  if (std::abs(nearest - halfWidth) < kRoundTolerance) return Cover::Either;
  return nearest < halfWidth ? Cover::Yes : Cover::No;
}

void expectCoverage(const Surface& s, const std::vector<Point>& path, int pen) {
  const double offset = pen % 2 == 1 ? 0.5 : 0.0;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) {
      const Cover want = coverage(x, y, path, pen / 2.0, offset);
      const Pixel p = s.pixel(x, y);
      if (want == Cover::Either)
        EXPECT_TRUE(p == kInk || p == kBackground) << "pixel " << x << "," << y;
      else
        EXPECT_EQ(p, want == Cover::Yes ? kInk : kBackground) << "pixel " << x << "," << y << " pen " << pen;
    }
}

std::vector<int> paintedRowsInColumn(const Surface& s, int x) {
  std::vector<int> rows;
  for (int y = 0; y < s.height(); ++y)
    if (s.pixel(x, y) == kInk) rows.push_back(y);
  return rows;
}

TEST(SurfaceLine, EvenPenCoversHalfItsWidthEachSideOfTheCoordinate) {
  Surface s = blankSurface();
  s.line({10, 10}, {30, 10}, kInk, 4);
  // Rows 10 - 2 .. 10 + 1 along the body of the line.
  for (const int x : {10, 20, 30}) EXPECT_EQ(paintedRowsInColumn(s, x), (std::vector<int>{8, 9, 10, 11}));
  // Round caps: the column whose centre is 1.5 beyond each end point keeps
  // only the middle rows (centre distances 1.58; the corner pixels are
  // 2.12 away), the next one (2.5 away) nothing.
  EXPECT_EQ(paintedRowsInColumn(s, 9), (std::vector<int>{8, 9, 10, 11}));
  EXPECT_EQ(paintedRowsInColumn(s, 8), (std::vector<int>{9, 10}));
  EXPECT_EQ(paintedRowsInColumn(s, 7), std::vector<int>{});
  EXPECT_EQ(paintedRowsInColumn(s, 31), (std::vector<int>{9, 10}));
  EXPECT_EQ(paintedRowsInColumn(s, 32), std::vector<int>{});
  expectCoverage(s, {{10, 10}, {30, 10}}, 4);
}

TEST(SurfaceLine, OddPensAreCentredOnThePixel) {
  Surface s = blankSurface();
  s.line({20, 5}, {20, 30}, kInk, 3);
  // Columns 19, 20 and 21 along the body.
  for (int y = 5; y <= 30; ++y) EXPECT_EQ(s.pixel(18, y) == kInk || s.pixel(22, y) == kInk, false) << y;
  expectCoverage(s, {{20, 5}, {20, 30}}, 3);
}

TEST(SurfaceLine, OnePixelPensHitPixelCentres) {
  for (const int pen : {0, 1, -3}) {
    Surface s = blankSurface();
    s.line({2, 5}, {8, 5}, kInk, pen);
    // Both end points and nothing above or below.
    for (int x = 0; x < 12; ++x) EXPECT_EQ(s.pixel(x, 5), (x >= 2 && x <= 8) ? kInk : kBackground) << x;
    EXPECT_EQ(paintedRowsInColumn(s, 5), std::vector<int>{5});
  }
  // A 45-degree line is exactly its diagonal: the side neighbours' centres
  // are 0.71 away from it.
  Surface d = blankSurface();
  d.line({3, 4}, {13, 14}, kInk, 1);
  expectCoverage(d, {{3, 4}, {13, 14}}, 1);
  int painted = 0;
  for (int y = 0; y < d.height(); ++y)
    for (int x = 0; x < d.width(); ++x) painted += d.pixel(x, y) == kInk;
  EXPECT_EQ(painted, 11);
}

TEST(SurfacePolyline, FramePenCoversTwoEachSideWithRoundCorners) {
  // The photo frame: outline 2 pixels outside a 20 x 15 picture at (12, 12).
  const int x = 12, y = 12, w = 20, h = 15;
  const std::vector<Point> path{{x - 2, y - 2}, {x + w + 2, y - 2}, {x + w + 2, y + h + 2}, {x - 2, y + h + 2}};
  for (const bool closed : {true, false}) {
    Surface s = blankSurface();
    std::vector<Point> drawn = path;
    if (!closed) drawn.push_back(path.front());
    s.polyline(drawn, kInk, 4, closed);
    std::vector<Point> loop = path;
    loop.push_back(path.front());
    expectCoverage(s, loop, 4);
    // The picture itself stays clear, and the ring of pixels round it is
    // painted: the frame touches the picture on every side.
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) ASSERT_EQ(s.pixel(i, j), kBackground);
    for (int i = x - 1; i <= x + w; ++i) {
      EXPECT_EQ(s.pixel(i, y - 1), kInk);
      EXPECT_EQ(s.pixel(i, y + h), kInk);
    }
    // Outer corners are rounded off, inner corners are square.
    EXPECT_EQ(s.pixel(x - 4, y - 4), kBackground);
    EXPECT_EQ(s.pixel(x - 3, y - 4), kInk);
    EXPECT_EQ(s.pixel(x + w + 3, y + h + 3), kBackground);
    EXPECT_EQ(s.pixel(x - 1, y - 1), kInk);
  }
}

TEST(SurfacePolyline, JoinsAreRoundOnAWidePen) {
  Surface s = blankSurface();
  s.polyline({{6, 30}, {20, 8}, {38, 28}}, kInk, 7, false);
  expectCoverage(s, {{6, 30}, {20, 8}, {38, 28}}, 7);
}

TEST(SurfaceLine, ClipsAndSurvivesFarCoordinates) {
  Surface s = blankSurface();
  s.line({-10, 3}, {100, 3}, kInk, 2);
  EXPECT_EQ(paintedRowsInColumn(s, 0), (std::vector<int>{2, 3}));
  EXPECT_EQ(paintedRowsInColumn(s, 47), (std::vector<int>{2, 3}));
  // Far off the surface in every direction: nothing painted, no fault.
  Surface t = blankSurface();
  t.line({INT_MIN, INT_MIN}, {INT_MIN, INT_MAX}, kInk, 5);
  t.line({INT_MAX, 0}, {INT_MAX, 40}, kInk, INT_MAX);
  t.line({-500, -500}, {-400, -400}, kInk, 9);
  for (int y = 0; y < t.height(); ++y)
    for (int x = 0; x < t.width(); ++x) ASSERT_EQ(t.pixel(x, y), kBackground);
}

TEST(SurfaceLine, PaintsTheExactColourAndMarksItsRows) {
  Surface s = blankSurface();
  s.line({4, 20}, {40, 24}, kInk, 4);
  int painted = 0;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) {
      const Pixel p = s.pixel(x, y);
      ASSERT_TRUE(p == kInk || p == kBackground) << std::hex << p;
      painted += p == kInk;
    }
  EXPECT_GT(painted, 0);
  // Rows 18 .. 25 are painted; the dirty range holds them and not much more.
  const Rect r = s.takeDirty().bounds();
  EXPECT_LE(r.top, 18);
  EXPECT_GE(r.bottom, 26);
  EXPECT_GE(r.top, 15);
  EXPECT_LE(r.bottom, 29);
}

TEST(SurfacePolyline, FewerThanTwoPointsDrawNothing) {
  Surface s = blankSurface();
  s.polyline({}, kInk, 4, true);
  s.polyline({{5, 5}}, kInk, 4, true);
  EXPECT_TRUE(s.takeDirty().empty());
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) ASSERT_EQ(s.pixel(x, y), kBackground);
}

}  // namespace
}  // namespace warpix
