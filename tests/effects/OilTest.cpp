#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "effects/NextPointFactory.h"
#include "effects/Oil.h"
#include "effects/OilBlend.h"
#include "effects/OilFreq.h"
#include "effects/OilSharpen.h"
#include "scene/OperationLog.h"
#include "effects/EffectTestKit.h"
#include "scene/SceneFixture.h"

namespace warpix {
namespace {

using testing::runInterrupted;
using testing::SceneFixture;

// What an operation chose at construction.
struct Made {
  std::unique_ptr<Saver> op;
  int radius = 0;
  std::string order;
  int spread = 0;
};

template <class T>
Made make(CSceneWnd& scene) {
  auto op = std::make_unique<T>(scene);
  Made m{nullptr, op->radius(), op->order().name(), 0};
  if constexpr (requires { op->spread(); }) m.spread = op->spread();
  m.op = std::move(op);
  return m;
}

// The square window of a radius around (x, y), clipped to the picture.
struct Window {
  int left, right, top, bottom;
  Window(const Surface& s, int x, int y, int r)
      : left(std::max(0, x - r)), right(std::min(s.width() - 1, x + r)), top(std::max(0, y - r)),
        bottom(std::min(s.height() - 1, y + r)) {}
};

// Straightforward forms of the four rules, pixel by pixel, for comparison
// with the operations' prepared and hashed ones. Empty: the pixel stays.
std::optional<Pixel> average(const Surface& s, int x, int y, int r) {
  const Window w(s, x, y, r);
  int red = 0, green = 0, blue = 0, n = 0;
  for (int cy = w.top; cy <= w.bottom; ++cy)
    for (int cx = w.left; cx <= w.right; ++cx, ++n) {
      red += pixelRed(s.pixel(cx, cy));
      green += pixelGreen(s.pixel(cx, cy));
      blue += pixelBlue(s.pixel(cx, cy));
    }
  return makePixel(red / n, green / n, blue / n);
}

std::optional<Pixel> sharpened(const Surface& s, int x, int y) {
  if (x < 1 || y < 1 || x > s.width() - 2 || y > s.height() - 2) return std::nullopt;
  int channel[3] = {};
  int (*const get[3])(Pixel) = {pixelRed, pixelGreen, pixelBlue};
  for (int c = 0; c < 3; ++c) {
    int around = 0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (dx != 0 || dy != 0) around += get[c](s.pixel(x + dx, y + dy));
    channel[c] = std::clamp(2 * get[c](s.pixel(x, y)) - around / 8, 0, 255);
  }
  return makePixel(channel[0], channel[1], channel[2]);
}

std::optional<Pixel> mostFrequent(const Surface& s, int x, int y, int r) {
  const Window w(s, x, y, r);
  std::vector<std::pair<Pixel, int>> seen;
  Pixel best = 0;
  int bestCount = 0;
  for (int cx = w.left; cx <= w.right; ++cx)
    for (int cy = w.top; cy <= w.bottom; ++cy) {
      const Pixel p = s.pixel(cx, cy);
      auto it = std::find_if(seen.begin(), seen.end(), [&](const auto& e) { return e.first == p; });
      if (it == seen.end()) {
        seen.emplace_back(p, 1);
      } else if (++it->second > bestCount) {
        bestCount = it->second;
        best = p;
      }
    }
  if (bestCount == 0) return std::nullopt;
  return best;
}

std::optional<Pixel> cornerBlend(const Surface& s, int x, int y, int dx, int dy) {
  const Window w(s, x, 0, dx), h(s, 0, y, dy);
  const Pixel c[4] = {s.pixel(w.left, h.top), s.pixel(w.right, h.top), s.pixel(w.right, h.bottom),
                      s.pixel(w.left, h.bottom)};
  int red = 0, green = 0, blue = 0;
  for (const Pixel p : c) {
    red += pixelRed(p);
    green += pixelGreen(p);
    blue += pixelBlue(p);
  }
  return makePixel(red / 4, green / 4, blue / 4);
}

// The construction draws of each kind replayed on a copy of the generators.
struct Shadow {
  Random program;
  Random own;
  int radius = 1;
  std::unique_ptr<NextPoint> order;
  int spread = 0;
};

struct KindRow {
  const char* name;
  Made (*make)(CSceneWnd&);
  bool radiusDrawn;
  bool spreadDrawn;
  // The new colour of (x, y) from the picture before the pass; may draw.
  std::function<std::optional<Pixel>(const Surface&, int, int, Shadow&)> rule;
};

const KindRow kKinds[] = {
    {"Oil", make<Oil>, true, false, [](const Surface& s, int x, int y, Shadow& sh) { return average(s, x, y, sh.radius); }},
    {"OilFreq", make<OilFreq>, true, false,
     [](const Surface& s, int x, int y, Shadow& sh) { return mostFrequent(s, x, y, sh.radius); }},
    {"OilSharpen", make<OilSharpen>, false, false, [](const Surface& s, int x, int y, Shadow&) { return sharpened(s, x, y); }},
    {"OilBlend", make<OilBlend>, false, true,
     [](const Surface& s, int x, int y, Shadow& sh) {
       const int dx = sh.own.below(sh.spread);
       const int dy = sh.own.below(sh.spread);
       return cornerBlend(s, x, y, dx, dy);
     }},
};

Shadow shadow(const KindRow& kind, SceneFixture& f, CSceneWnd& scene) {
  Shadow sh{f.program->random, Random(0), 1, nullptr, 0};
  sh.own = Random(sh.program.next());
  sh.own.below(scene.paletteSize());  // pen colour
  sh.own.below(scene.paletteSize());  // palette index
  if (kind.radiusDrawn) sh.radius = sh.own.skewed(3, 2) + 1;
  sh.order = pickNextPoint(f.settings.visitingOrders(), sh.own, scene.width(), scene.height());
  if (kind.spreadDrawn) sh.spread = sh.own.skewed(32, 4) + 1;
  return sh;
}

// Photograph-like noise with flat patches of a few colours, so that colours
// repeat, channels clamp at both ends and windows differ everywhere.
void paintNoise(Surface& s, unsigned seed) {
  std::mt19937 rng(seed);
  const Pixel patches[] = {makePixel(200, 30, 30), makePixel(30, 30, 200), makePixel(0, 0, 0), makePixel(255, 255, 255)};
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      s.setPixel(x, y, rng() % 3 == 0 ? static_cast<Pixel>(rng() & 0xFFFFFF) : patches[rng() % 4]);
}

Surface copyOf(const Surface& s) {
  Surface c(s.width(), s.height());
  c.copyFrom(s);
  return c;
}

void runToEnd(Saver& op) {
  for (int i = 0; i < 1000 && !op.isFinished(); ++i) op.run();
  ASSERT_TRUE(op.isFinished());
}

void paintRows(Surface& s, const std::vector<std::vector<Pixel>>& rows) {
  for (int y = 0; y < static_cast<int>(rows.size()); ++y)
    for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) s.setPixel(x, y, rows[y][x]);
}

// Constructs operations of a kind until one has the radius (and spread)
// asked for and visits the screen in rows or columns: the ring orders leave
// parts of a screen of odd height unvisited.
Made madeWith(const KindRow& kind, CSceneWnd& scene, int radius, int spread = 0) {
  for (int i = 0; i < 500; ++i) {
    Made m = kind.make(scene);
    const bool rings = m.order.find("side") != std::string::npos;
    if (m.radius == radius && (spread == 0 || m.spread == spread) && !rings) return m;
  }
  ADD_FAILURE() << kind.name << " never chose radius " << radius << " spread " << spread;
  return {};
}

TEST(Oil, ConstructionDrawsInItsFixedOrderAndLogsItsChoices) {
  for (const KindRow& kind : kKinds) {
    SceneFixture f;
    CSceneWnd& scene = f.create(23);
    std::set<int> radii, spreads;
    for (int i = 0; i < 40; ++i) {
      Shadow sh = shadow(kind, f, scene);
      Made m = kind.make(scene);
      ASSERT_STREQ(m.op->kindName(), kind.name);
      EXPECT_EQ(m.radius, sh.radius) << kind.name;
      EXPECT_EQ(m.order, sh.order->name()) << kind.name;
      EXPECT_EQ(m.spread, sh.spread) << kind.name;
      EXPECT_EQ(f.program->random.next(), sh.program.next()) << kind.name << ": one program draw per operation";
      radii.insert(m.radius);
      spreads.insert(m.spread);

      JsonLine line;
      m.op->describe(line);
      const std::string text = line.str();
      EXPECT_NE(text.find("\"radius\": " + std::to_string(m.radius)), std::string::npos) << text;
      EXPECT_NE(text.find("\"order\": \"" + m.order + "\""), std::string::npos) << text;
      EXPECT_EQ(text.find("\"spread\": " + std::to_string(m.spread)) != std::string::npos, kind.spreadDrawn) << text;
    }
    EXPECT_EQ(radii.size(), kind.radiusDrawn ? 3u : 1u) << kind.name;
    EXPECT_EQ(*radii.begin(), 1) << kind.name;
    if (kind.spreadDrawn) {
      EXPECT_GT(spreads.size(), 3u);
    }
  }
}

// Every kind, on pictures from one pixel to a few dozen, with every radius,
// spread and visiting order that the draws give: the pass paints exactly
// what the rule, applied to the picture as it was before the pass, says.
TEST(Oil, APassPaintsWhatTheRuleSaysOnThePictureBeforeIt) {
  const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {3, 3}, {7, 5}, {16, 9}, {31, 12}};
  for (const KindRow& kind : kKinds) {
    std::set<int> radii;
    std::set<std::string> orders;
    for (const auto& [w, h] : sizes) {
      SceneFixture f(w, h);
      CSceneWnd& scene = f.create(w * 100 + h);
      for (int i = 0; i < 8; ++i) {
        Surface& screen = f.screen.surface();
        paintNoise(screen, static_cast<unsigned>(i * 977 + w));
        const Surface before = copyOf(screen);
        Shadow sh = shadow(kind, f, scene);
        Made m = kind.make(scene);
        radii.insert(m.radius);
        orders.insert(m.order);
        runToEnd(*m.op);

        Surface expected = copyOf(before);
        int x = 0, y = 0;
        do {
          const std::optional<Pixel> p = kind.rule(before, x, y, sh);
          if (p && expected.contains(x, y)) expected.setPixel(x, y, *p);
        } while (!sh.order->next(x, y));
        for (int py = 0; py < h; ++py)
          for (int px = 0; px < w; ++px)
            ASSERT_EQ(screen.pixel(px, py), expected.pixel(px, py))
                << kind.name << " " << w << "x" << h << " radius " << m.radius << " spread " << m.spread << " "
                << m.order << " at " << px << "," << py;
      }
    }
    EXPECT_EQ(radii.size(), kind.radiusDrawn ? 3u : 1u) << kind.name;
    EXPECT_GE(orders.size(), 5u) << kind.name;
  }
}

TEST(Oil, AveragesFourPixelsInACornerAndNineInside) {
  SceneFixture f(4, 4);
  CSceneWnd& scene = f.create(5);
  const int red[4][4] = {{0, 10, 20, 30}, {40, 50, 60, 70}, {80, 91, 100, 110}, {120, 130, 140, 150}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) f.screen.surface().setPixel(x, y, makePixel(red[y][x], 255 - red[y][x], 7));
  Made m = madeWith(kKinds[0], scene, 1);
  ASSERT_TRUE(m.op);
  runToEnd(*m.op);
  const Surface& s = f.screen.surface();
  EXPECT_EQ(s.pixel(0, 0), makePixel(25, 230, 7));   // 100 / 4, 920 / 4
  EXPECT_EQ(s.pixel(1, 1), makePixel(50, 204, 7));   // 451 / 9, 1844 / 9
  EXPECT_EQ(s.pixel(2, 2), makePixel(100, 154, 7));  // 901 / 9, 1394 / 9
  EXPECT_EQ(s.pixel(3, 3), makePixel(125, 130, 7));  // 500 / 4, 520 / 4
}

TEST(Oil, SharpeningClampsAndLeavesTheBorder) {
  struct Case {
    const char* what;
    std::vector<std::vector<Pixel>> picture;
    std::vector<std::vector<Pixel>> want;
  };
  const Pixel k = 0, b = makePixel(200, 200, 200), g = makePixel(90, 90, 90);
  const Pixel mixed = makePixel(120, 10, 250);
  const Case cases[] = {
      {"uniform", {{g, g, g, g}, {g, g, g, g}, {g, g, g, g}}, {{g, g, g, g}, {g, g, g, g}, {g, g, g, g}}},
      {"bright dot on black",
       {{k, k, k, k, k}, {k, k, k, k, k}, {k, k, b, k, k}, {k, k, k, k, k}, {k, k, k, k, k}},
       {{k, k, k, k, k}, {k, k, k, k, k}, {k, k, makePixel(255, 255, 255), k, k}, {k, k, k, k, k}, {k, k, k, k, k}}},
      // Neighbours sum to 500 in red, 1980 in green and 480 in blue:
      // 240 - 62 = 178; 20 - 247 clamps to 0; 500 - 60 clamps to 255.
      {"neighbours around one pixel",
       {{makePixel(60, 255, 60), makePixel(60, 255, 60), makePixel(60, 255, 60)},
        {makePixel(60, 255, 60), mixed, makePixel(70, 195, 60)},
        {makePixel(70, 255, 60), makePixel(60, 255, 60), makePixel(60, 255, 60)}},
       {{makePixel(60, 255, 60), makePixel(60, 255, 60), makePixel(60, 255, 60)},
        {makePixel(60, 255, 60), makePixel(178, 0, 255), makePixel(70, 195, 60)},
        {makePixel(70, 255, 60), makePixel(60, 255, 60), makePixel(60, 255, 60)}}},
  };
  for (const Case& c : cases) {
    const int h = static_cast<int>(c.picture.size()), w = static_cast<int>(c.picture[0].size());
    SceneFixture f(w, h);
    f.create(8);
    paintRows(f.screen.surface(), c.picture);
    Made m = madeWith(kKinds[2], *f.scene, 1);
    ASSERT_TRUE(m.op);
    runToEnd(*m.op);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) EXPECT_EQ(f.screen.surface().pixel(x, y), c.want[y][x]) << c.what << " " << x << "," << y;
  }
}

TEST(Oil, TheMostFrequentColourWinsAndTheFirstToReachItBreaksTies) {
  const Pixel A = makePixel(255, 0, 0), B = makePixel(0, 0, 255), C = makePixel(1, 2, 3), D = makePixel(4, 5, 6),
              E = makePixel(7, 8, 9), F = makePixel(10, 11, 12), G = makePixel(13, 14, 15), H = makePixel(16, 17, 18),
              I = makePixel(19, 20, 21);
  struct Case {
    const char* what;
    std::vector<std::vector<Pixel>> picture;
    Pixel want;
  };
  const Case cases[] = {
      {"every colour different", {{A, B, C}, {D, E, F}, {G, H, I}}, E},
      {"five against four", {{A, B, A}, {B, B, A}, {A, B, A}}, A},
      // Three each; walking down the columns, B's third comes before A's,
      // though A is seen first and a walk along the rows would pick A.
      {"a tie", {{A, A, A}, {B, B, D}, {B, C, E}}, B},
      {"a pair beats singles", {{C, D, E}, {F, G, H}, {I, A, A}}, A},
  };
  for (const Case& c : cases) {
    SceneFixture f(3, 3);
    f.create(12);
    paintRows(f.screen.surface(), c.picture);
    Made m = madeWith(kKinds[1], *f.scene, 1);
    ASSERT_TRUE(m.op);
    runToEnd(*m.op);
    EXPECT_EQ(f.screen.surface().pixel(1, 1), c.want) << c.what << " radius " << m.radius;
  }
}

// The most-frequent filter slides its counts along each row; pictures
// chosen to strain that (ties at every count, runs that enter and leave the
// window whole, up to a window's worth of colours coming and going, many
// more colours passing through than a window holds, nothing repeated, one
// colour everywhere), on screens down to one pixel wide or
// high, with every radius: the pass paints what the rule says everywhere.
TEST(Oil, MostFrequentColourHoldsForTiesRunsAndEdges) {
  struct Picture {
    const char* what;
    std::function<Pixel(int x, int y, std::mt19937& rng)> colour;
  };
  const Pixel three[] = {makePixel(255, 0, 0), makePixel(0, 0, 255), makePixel(0, 0, 0)};
  Pixel run = three[0];
  const Picture pictures[] = {
      {"two colours at random", [&](int, int, std::mt19937& rng) { return three[rng() % 2]; }},
      {"three colours in stripes", [&](int x, int y, std::mt19937&) { return three[(x / 2 + y % 2) % 3]; }},
      {"runs of one colour", [&](int, int, std::mt19937& rng) {
         if (rng() % 9 == 0) run = three[rng() % 3];
         return run;
       }},
      {"sixty colours", [](int, int, std::mt19937& rng) { return static_cast<Pixel>(rng() % 60 * 0x030507); }},
      {"many colours, a few repeated",
       [&](int x, int y, std::mt19937& rng) { return rng() % 4 == 0 ? three[rng() % 3] : makePixel(x, y, 77); }},
      {"no colour twice", [](int x, int y, std::mt19937&) { return makePixel(x, y, 9); }},
      {"one colour", [&](int, int, std::mt19937&) { return three[1]; }},
  };
  const std::pair<int, int> sizes[] = {{1, 17}, {23, 1}, {2, 2}, {9, 13}, {41, 12}};
  for (const Picture& picture : pictures)
    for (const auto& [w, h] : sizes)
      for (int radius = 1; radius <= 3; ++radius) {
        SceneFixture f(w, h);
        CSceneWnd& scene = f.create(w + h + radius);
        Surface& screen = f.screen.surface();
        std::mt19937 rng(static_cast<unsigned>(w * 31 + radius));
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) screen.setPixel(x, y, picture.colour(x, y, rng));
        const Surface before = copyOf(screen);
        Made m = madeWith(kKinds[1], scene, radius);
        ASSERT_TRUE(m.op);
        runToEnd(*m.op);
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x)
            ASSERT_EQ(screen.pixel(x, y), mostFrequent(before, x, y, radius).value_or(before.pixel(x, y)))
                << picture.what << " " << w << "x" << h << " radius " << radius << " at " << x << "," << y;
      }
}

TEST(Oil, BlendingWithSpreadOneLeavesThePictureAsItWas) {
  SceneFixture f(37, 21);
  CSceneWnd& scene = f.create(31);
  paintNoise(f.screen.surface(), 4);
  const Surface before = copyOf(f.screen.surface());
  Made m = madeWith(kKinds[3], scene, 1, 1);
  ASSERT_TRUE(m.op);
  runToEnd(*m.op);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 37; ++x) ASSERT_EQ(f.screen.surface().pixel(x, y), before.pixel(x, y)) << x << "," << y;
}

// Each kind, driven to the end in one go and again with input arriving
// every few checks (in the snapshot and in the pass), paints the same picture.
TEST(Oil, AnInterruptedPassEndsLikeAnUninterruptedOne) {
  for (const KindRow& kind : kKinds) {
    for (int seed = 1; seed <= 3; ++seed) {
      SceneFixture a(83, 47), b(83, 47);
      a.create(seed);
      b.create(seed);
      paintNoise(a.screen.surface(), static_cast<unsigned>(seed));
      paintNoise(b.screen.surface(), static_cast<unsigned>(seed));
      Made ma = kind.make(*a.scene), mb = kind.make(*b.scene);
      runToEnd(*ma.op);
      Saver& op = *mb.op;
      const int interruptions = runInterrupted(op, b.screen, 3);
      ASSERT_TRUE(op.isFinished());
      EXPECT_GT(interruptions, 10) << kind.name;
      const Surface &sa = a.screen.surface(), &sb = b.screen.surface();
      for (int y = 0; y < sa.height(); ++y)
        for (int x = 0; x < sa.width(); ++x)
          ASSERT_EQ(sa.pixel(x, y), sb.pixel(x, y)) << kind.name << " " << ma.order << " " << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace warpix
