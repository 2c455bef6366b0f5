#include "effects/Text.h"

#include <gtest/gtest.h>

#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "effects/TexterTime.h"
#include "platform/Font.h"
#include "raster/ColorHSL.h"
#include "effects/EffectTestKit.h"
#include "scene/SceneFixture.h"

namespace warpix {
namespace {

using testing::paintPattern;
using testing::SceneFixture;

std::vector<Pixel> pixelsOf(const Surface& s) {
  return std::vector<Pixel>(s.data(), s.data() + static_cast<std::size_t>(s.stride()) * s.height());
}

std::int64_t localSeconds(int year, int month, int day, int hour, int minute) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&t));
}

// The weights of the two text kinds, and the stored messages instead of
// the defaults.
void onlyTexts(RegSettings& settings, int dateTime, int messages, const std::vector<std::string>& stored) {
  settings.setTextDateTime(dateTime);
  settings.setTextMessages(messages);
  for (int i = 0; i < RegSettings::kMessageCount; ++i)
    settings.setMessage(i, static_cast<std::size_t>(i) < stored.size() ? stored[static_cast<std::size_t>(i)] : "");
}

TEST(Text, FontHeightCountsSixtiethsOfAnInch) {
  struct Case {
    int dpi, size, height;
  };
  for (const Case c : {Case{96, 8, -12}, Case{96, 36, -57}, Case{96, 10, -16}, Case{120, 8, -16}, Case{72, 36, -43}})
    EXPECT_EQ(Text::fontHeight(c.dpi, c.size), c.height) << c.dpi << " dpi, " << c.size << " pt";
}

TEST(TexterTime, DayMonthAndTwelveHourClockWithoutLeadingZeros) {
  struct Case {
    int year, month, day, hour, minute;
    const char* text;
  };
  const Case cases[] = {
      {2024, 3, 5, 14, 7, "5 Mar 2:07"},    {2023, 12, 7, 8, 5, "7 Dec 8:05"},
      {2024, 1, 1, 0, 0, "1 Jan 12:00"},     {2024, 6, 30, 12, 30, "30 Jun 12:30"},
      {2025, 11, 19, 23, 59, "19 Nov 11:59"}, {2024, 2, 29, 10, 10, "29 Feb 10:10"},
  };
  for (const Case& c : cases) {
    const std::int64_t at = localSeconds(c.year, c.month, c.day, c.hour, c.minute);
    EXPECT_EQ(TexterTime::format(at, std::locale::classic()), c.text);
    // The text follows the program's clock, not the machine's.
    VirtualClock clock(at);
    Random random(1);
    EXPECT_EQ(TexterTime(random, clock, std::locale::classic()).getText(), c.text);
  }
}

// Shadows both generators through the construction and the one step, and
// checks that the step chose what those draws say, in their order.
TEST(Text, DrawsInItsFixedOrder) {
  SceneFixture f;
  onlyTexts(f.settings, 50, 50, {"Warpix", "Hello, world", "A somewhat longer line of text"});
  CSceneWnd& scene = f.create(23);
  Surface& screen = f.screen.surface();
  std::set<std::string> texters;
  int drawn = 0;
  for (int i = 0; i < 24; ++i) {
    paintPattern(screen);
    const std::vector<Pixel> before = pixelsOf(screen);
    Random own(Random(f.program->random).next());
    own.below(scene.paletteSize());  // pen colour
    own.below(scene.paletteSize());  // palette index
    const bool message = f.settings.texts().pick(own) == 1;

    Text t(scene);
    ASSERT_STREQ(t.texter().name(), message ? "TexterMessage" : "TexterTime");
    texters.insert(t.texter().name());
    t.run();
    ASSERT_TRUE(t.isFinished());
    const Text::Drawing& d = t.drawing();

    const int size = own.below(29) + 8;
    const char* face = own.coin() == 1 ? "Times New Roman" : "Arial";
    const int weight = own.coin() == 1 ? 400 : 700;
    const bool italic = own.coin() == 1;
    EXPECT_EQ(d.size, size);
    EXPECT_EQ(d.fontHeight, Text::fontHeight(96, size));
    EXPECT_EQ(d.face, face);
    EXPECT_EQ(d.weight, weight);
    EXPECT_EQ(d.italic, italic);
    const std::string text = message ? f.settings.randomMessage(own)
                                     : TexterTime::format(f.clock.wallSeconds(), TexterTime::userLocale());
    EXPECT_EQ(d.text, text);

    const TextExtent e = Font(face, d.fontHeight, weight, italic).measure(text);
    ASSERT_EQ(d.drawn, e.width <= 320 && e.height <= 240) << text;
    if (!d.drawn) continue;
    ++drawn;
    const int x = own.below(320 - e.width);
    const int y = own.below(240 - e.height) + e.height;
    EXPECT_EQ(d.x, x);
    EXPECT_EQ(d.y, y);
    const int row = own.below(240);
    const int column = own.below(320);
    ColorHSL hsl(ColorRGB::fromScreen(colorRefFromPixel(before[static_cast<std::size_t>(row) * 320 + column]), true));
    if (own.uniform() < 0.5f) hsl.contrastHue();
    hsl.setLightness(own.uniform());
    const float u1 = own.uniform(), u2 = own.uniform(), u3 = own.uniform();
    hsl.setSaturation(1.0f - u3 * u2 * u1);
    EXPECT_EQ(d.colour, pixelFromColorRef(hsl.toRGB(true).value()));

    // Every changed pixel has the text colour and lies in the line's cell
    // (slanted letters may lean a little past its ends).
    const int lean = italic ? e.height / 4 : 2;
    int changed = 0;
    for (int py = 0; py < 240; ++py)
      for (int px = 0; px < 320; ++px) {
        const std::size_t at = static_cast<std::size_t>(py) * 320 + px;
        if (screen.pixel(px, py) == before[at]) continue;
        ++changed;
        ASSERT_EQ(screen.pixel(px, py), d.colour);
        ASSERT_GE(px, x - lean);
        ASSERT_LT(px, x + e.width + lean);
        ASSERT_GE(py, y - e.ascent);
        ASSERT_LT(py, y + e.descent);
      }
    EXPECT_GT(changed, 10) << text;
  }
  EXPECT_EQ(texters.size(), 2u);
  EXPECT_GT(drawn, 12);
}

// A line wider or taller than the screen is not drawn, but font, size and
// style have been drawn all the same.
TEST(Text, ALineThatDoesNotFitLeavesTheScreenAlone) {
  struct Case {
    int width, height;
    const char* message;
  };
  for (const Case c : {Case{12, 200, "A message far too wide for a narrow screen"}, Case{300, 6, "Low"}}) {
    SceneFixture f(c.width, c.height);
    onlyTexts(f.settings, 0, 100, {c.message});
    CSceneWnd& scene = f.create(5);
    for (int i = 0; i < 8; ++i) {
      paintPattern(f.screen.surface());
      const std::vector<Pixel> before = pixelsOf(f.screen.surface());
      Random own(Random(f.program->random).next());
      own.below(scene.paletteSize());
      own.below(scene.paletteSize());
      ASSERT_EQ(f.settings.texts().pick(own), 1);
      Text t(scene);
      t.run();
      EXPECT_TRUE(t.isFinished());
      EXPECT_FALSE(t.drawing().drawn);
      EXPECT_EQ(t.drawing().text, c.message);
      EXPECT_EQ(t.drawing().size, own.below(29) + 8);
      EXPECT_EQ(t.drawing().face, own.coin() == 1 ? "Times New Roman" : "Arial");
      EXPECT_EQ(t.drawing().weight, own.coin() == 1 ? 400 : 700);
      EXPECT_EQ(t.drawing().italic, own.coin() == 1);
      EXPECT_EQ(pixelsOf(f.screen.surface()), before);
    }
  }
}

// Messages in any script reach the screen through the fallback fonts; one
// that no font covers, or one that is not UTF-8, shows as boxes.
TEST(Text, MessagesInOtherScriptsDrawVisiblePixels) {
  const char* const messages[] = {
      "مرحبا بالعالم", "你好，世界", "नमस्ते दुनिया",
      "\xF0\x9F\x8C\x85\xF0\x9F\x93\xB7",  // sunrise, camera
      "\xF4\x8F\xBF\xBD",                   // a private-use character
      "bad \xC3 bytes \xFF",
  };
  for (const char* message : messages) {
    SceneFixture f(480, 200);
    onlyTexts(f.settings, 0, 100, {message});
    CSceneWnd& scene = f.create(11);
    int visible = 0;
    for (int i = 0; i < 4; ++i) {
      Surface& screen = f.screen.surface();
      screen.fill(0x000000);
      Text t(scene);
      t.run();
      ASSERT_TRUE(t.isFinished()) << message;
      if (!t.drawing().drawn) continue;
      for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) visible += screen.pixel(x, y) != 0 ? 1 : 0;
    }
    EXPECT_GT(visible, 20) << message;
  }
}

}  // namespace
}  // namespace warpix
