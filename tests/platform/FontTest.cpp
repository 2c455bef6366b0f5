#include "platform/Font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "platform/Surface.h"

namespace warpix {
namespace {

// These tests need the Liberation fonts (fonts-liberation2), which
// scripts/install-deps installs.
constexpr Pixel kBackground = 0x203040;
constexpr Pixel kInk = 0xE0B010;

Surface blankSurface(int w = 320, int h = 90) {
  Surface s(w, h);
  s.fill(kBackground);
  s.takeDirty();
  return s;
}

struct Painted {
  int count = 0;
  Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  bool onlyInk = true;
};

Painted paintedPixels(const Surface& s) {
  Painted p;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) {
      const Pixel v = s.pixel(x, y);
      if (v == kBackground) continue;
      ++p.count;
      p.onlyInk = p.onlyInk && v == kInk;
      p.box.left = std::min(p.box.left, x);
      p.box.top = std::min(p.box.top, y);
      p.box.right = std::max(p.box.right, x + 1);
      p.box.bottom = std::max(p.box.bottom, y + 1);
    }
  return p;
}

TEST(Font, ClassicFacesResolveToTheirMetricTwins) {
  EXPECT_EQ(Font("Times New Roman", -20, 400, false).resolvedFamily(), "Liberation Serif");
  EXPECT_EQ(Font("Arial", -20, 700, true).resolvedFamily(), "Liberation Sans");
  // Style words inside the face name must not derail the choice.
  EXPECT_EQ(Font("Times New Roman", -20, 700, true).resolvedFamily(), "Liberation Serif");
}

TEST(Font, HeightFollowsTheLogicalFontRules) {
  // Negative: the character (em) height itself.
  EXPECT_EQ(Font("Arial", -36, 400, false).characterHeight(), 36);
  EXPECT_EQ(Font("Arial", 0, 400, false).characterHeight(), Font::kDefaultCharacterHeight);
  // Liberation Sans has ascent 1854 and descent 434 per 2048 units (read
  // from its hhea table), so a 36-pixel em gives a cell of 40.2 pixels,
  // each part rounded to whole pixels by the hinting: 40 to 42.
  const TextExtent e = Font("Arial", -36, 400, false).measure("Hg");
  EXPECT_GE(e.height, 40);
  EXPECT_LE(e.height, 42);
  EXPECT_EQ(e.ascent + e.descent, e.height);
  EXPECT_NEAR(e.ascent, 36.0 * 1854 / 2048, 1.0);
  // Positive: the cell height. Liberation Serif's cell is (1825 + 443) /
  // 2048 em, so a 40-pixel cell needs an em of 40 * 2048 / 2268 = 36.1.
  const Font cell("Times New Roman", 40, 400, false);
  EXPECT_EQ(cell.characterHeight(), 36);
  EXPECT_NEAR(cell.measure("Hg").height, 40, 1);
}

TEST(Font, MeasureGrowsWithTheTextAndTheWeight) {
  const Font f("Arial", -20, 400, false);
  const int one = f.measure("a").width;
  EXPECT_GT(one, 0);
  EXPECT_LT(one, f.measure("aa").width);
  EXPECT_LT(f.measure("aa").width, f.measure("aaaa").width);
  EXPECT_EQ(f.measure("").width, 0);
  EXPECT_EQ(f.measure("").height, f.measure("a").height);
  // Advances are whole pixels, so repeating a glyph adds exactly its width.
  EXPECT_EQ(f.measure("aaaa").width, 4 * one);
  const Font bold("Arial", -20, 700, false);
  EXPECT_GT(bold.measure("Wide words").width, f.measure("Wide words").width);
}

// Scripts the classic faces lack come from the installed fallback fonts
// (fonts-noto-core, fonts-noto-cjk, fonts-noto-color-emoji), not as boxes.
TEST(Font, OtherScriptsFallBackToInstalledFonts) {
  struct Case {
    const char* text;
    bool covered;
  };
  const Case cases[] = {
      {"Photo 7 Dec 8:05", true},
      {"\u0645\u0631\u062D\u0628\u0627", true},              // Arabic
      {"\u0928\u092E\u0938\u094D\u0924\u0947", true},        // Devanagari
      {"\u4F60\u597D\u4E16\u754C", true},                      // Chinese
      {"\xF0\x9F\x8C\x85\xF0\x9F\x93\xB7", true},          // emoji
      {"\xF4\x8F\xBF\xBD", false},                             // private use
  };
  for (const char* face : {"Times New Roman", "Arial"}) {
    const Font f(face, -24, 400, false);
    for (const Case& c : cases) {
      EXPECT_EQ(f.unknownGlyphs(c.text) == 0, c.covered) << face << " " << c.text;
      EXPECT_GT(f.measure(c.text).width, 0) << face << " " << c.text;
      Surface s = blankSurface();
      s.drawText(f, 4, 4, c.text, kInk);
      EXPECT_GT(paintedPixels(s).count, 0) << face << " " << c.text;
    }
  }
}

TEST(Font, MovedFromAndInvalidFontsMeasureNothingAndDrawNothing) {
  Font a("Arial", -16, 400, false);
  ASSERT_TRUE(a.valid());
  Font b = std::move(a);
  EXPECT_TRUE(b.valid());
  EXPECT_FALSE(a.valid());  // NOLINT(bugprone-use-after-move): the state after a move is the point
  EXPECT_EQ(a.measure("text"), TextExtent{});
  Surface s = blankSurface();
  s.drawText(a, 10, 10, "text", kInk);
  EXPECT_EQ(paintedPixels(s).count, 0);
  EXPECT_TRUE(s.takeDirty().empty());
}

TEST(SurfaceText, DrawsTheAskedColourInsideTheMeasuredCell) {
  for (const char* face : {"Times New Roman", "Arial"}) {
    const Font f(face, -24, 400, false);
    const std::string text = "Photo 7 Dec 8:05";
    const TextExtent e = f.measure(text);
    Surface s = blankSurface();
    s.drawText(f, 17, 11, text, kInk);
    const Painted p = paintedPixels(s);
    EXPECT_GT(p.count, 50) << face;
    EXPECT_TRUE(p.onlyInk) << face;
    EXPECT_GE(p.box.left, 17) << face;
    EXPECT_GE(p.box.top, 11) << face;
    EXPECT_LE(p.box.right, 17 + e.width) << face;
    EXPECT_LE(p.box.bottom, 11 + e.height) << face;
    // Without descenders the ink ends on the baseline (round letters may
    // overshoot it by a pixel).
    EXPECT_NEAR(p.box.bottom, 11 + e.ascent, 1) << face;
    const Rect dirty = s.takeDirty().bounds();
    EXPECT_LE(dirty.top, p.box.top);
    EXPECT_GE(dirty.bottom, p.box.bottom);
    EXPECT_LE(dirty.left, p.box.left);
    EXPECT_GE(dirty.right, p.box.right);
  }
}

TEST(SurfaceText, SameTextGivesTheSamePixels) {
  auto render = [](int height, int weight, bool italic) {
    const Font f("Times New Roman", height, weight, italic);
    Surface s = blankSurface();
    s.drawText(f, 5, 20, "Same text, same pixels", kInk);
    return std::vector<Pixel>(s.data(), s.data() + s.width() * s.height());
  };
  EXPECT_EQ(render(-30, 700, true), render(-30, 700, true));
  EXPECT_NE(render(-30, 700, true), render(-30, 700, false));
  EXPECT_NE(render(-30, 400, false), render(-30, 700, false));
}

TEST(SurfaceText, FontsOnTwoThreadsDoNotDisturbEachOther) {
  auto render = [](const char* face) {
    const Font f(face, -28, 400, false);
    Surface s = blankSurface();
    for (int i = 0; i < 20; ++i) s.drawText(f, 3 * i, 2 * i, "Threads " + std::to_string(i), kInk);
    return std::vector<Pixel>(s.data(), s.data() + s.width() * s.height());
  };
  const auto serif = render("Times New Roman"), sans = render("Arial");
  std::vector<Pixel> a, b;
  std::thread t1([&] { a = render("Times New Roman"); });
  std::thread t2([&] { b = render("Arial"); });
  t1.join();
  t2.join();
  EXPECT_EQ(a, serif);
  EXPECT_EQ(b, sans);
}

TEST(SurfaceText, ClipsAtTheSurfaceEdges) {
  const Font f("Arial", -30, 700, false);
  const TextExtent e = f.measure("Edge");
  Surface s = blankSurface(60, 30);
  s.drawText(f, -e.width / 2, -e.height / 2, "Edge", kInk);
  s.drawText(f, 60 - e.width / 2, 30 - e.height / 2, "Edge", kInk);
  s.drawText(f, -10000, 5, "Edge", kInk);
  s.drawText(f, INT32_MAX - 5, INT32_MAX - 5, "Edge", kInk);
  const Painted p = paintedPixels(s);
  EXPECT_GT(p.count, 0);
  EXPECT_TRUE(p.onlyInk);
}

}  // namespace
}  // namespace warpix
