#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/ConfigFixture.h"
#include "config/GeneralRules.h"
#include "config/ImagesRules.h"
#include "config/SliderRules.h"
#include "config/WebRules.h"

namespace warpix {
namespace {

using testing::ConfigFixture;

TEST(GeneralRulesTest, MinutesFieldAcceptsOnlyIntegersFromZeroTo999) {
  const std::string anInteger = "Please enter an integer.";
  const std::string inRange = "Please enter an integer between 0 and 999.";
  const struct {
    const char* text;
    std::optional<std::string> problem;
  } cases[] = {
      {"0", std::nullopt},  {"999", std::nullopt}, {" 60 ", std::nullopt}, {"+5", std::nullopt},
      {"1000", inRange},    {"-1", inRange},       {"", anInteger},        {"12a", anInteger},
      {"1.5", anInteger},   {"abc", anInteger},    {"99999999999999999999", anInteger},
  };
  for (const auto& c : cases) EXPECT_EQ(GeneralRules::minutesProblem(c.text), c.problem) << '"' << c.text << '"';
}

TEST(GeneralRulesTest, ArrowsStayWithin1To999WhileZeroCanBeTyped) {
  ConfigFixture fixture;
  GeneralRules rules(fixture.settings());
  rules.setMinutesText("0");
  EXPECT_FALSE(GeneralRules::minutesProblem(rules.minutesText()));
  rules.stepMinutes(-1);
  EXPECT_EQ(rules.minutesText(), "1");
  rules.stepMinutes(-1);
  EXPECT_EQ(rules.minutesText(), "1");
  rules.setMinutesText("999");
  rules.stepMinutes(1);
  EXPECT_EQ(rules.minutesText(), "999");
}

TEST(GeneralRulesTest, ResetClearsBlankingAndOkSavesTheGeneralGroup) {
  ConfigFixture fixture;
  GeneralRules rules(fixture.settings());
  rules.setBlankScreen(true);
  rules.setMinutesText("5");
  rules.sliders().set(0, 77);
  EXPECT_TRUE(rules.minutesEnabled());
  rules.reset();
  EXPECT_FALSE(rules.blankScreen());
  EXPECT_FALSE(rules.minutesEnabled());
  EXPECT_EQ(rules.minutesText(), "60");
  EXPECT_EQ(rules.sliders().value(0), 30);

  rules.setBlankScreen(true);
  rules.setMinutesText("abc");
  EXPECT_FALSE(rules.ok());
  EXPECT_FALSE(fixture.reload().blankScreen()) << "a refused page stores nothing";

  GeneralRules again(fixture.settings());
  again.setBlankScreen(true);
  again.setMinutesText(" 0");
  again.sliders().set(7, 45);  // delay between drawings
  again.sliders().set(1, 500);  // beyond the slider's end
  ASSERT_TRUE(again.ok());
  const RegSettings& saved = fixture.reload();
  EXPECT_TRUE(saved.blankScreen());
  EXPECT_EQ(saved.blankMinutes(), 0);
  EXPECT_EQ(saved.delayBetweenDrawings(), 45);
  EXPECT_EQ(saved.doSurf(), 100);
}

TEST(SliderRulesTest, EveryPageSliderResetsToItsDefaultAndStoresIntoItsSetting) {
  for (const auto defs : {generalSliders(), styleSliders(), textSliders()}) {
    ConfigFixture fixture;
    RegSettings& settings = fixture.settings();
    SliderRules rules(settings, defs);
    for (std::size_t i = 0; i < defs.size(); ++i) {
      const RegSettings::Field* field = RegSettings::findField(defs[i].key);
      ASSERT_NE(field, nullptr) << defs[i].key;
      // The reset value is the setting's default; the range its own.
      EXPECT_EQ(defs[i].reset, field->fallback) << defs[i].key;
      EXPECT_EQ(rules.value(i), field->fallback) << defs[i].key;
      rules.set(i, static_cast<std::int32_t>(i) + 3);
    }
    rules.store();
    for (std::size_t i = 0; i < defs.size(); ++i)
      EXPECT_EQ(RegSettings::findField(defs[i].key)->read(settings), static_cast<std::int32_t>(i) + 3);
    rules.reset();
    for (std::size_t i = 0; i < defs.size(); ++i) EXPECT_EQ(rules.value(i), defs[i].reset);
  }
}

TEST(WebRulesTest, OnlyTheTwoExactPrefixSpellingsAreStripped) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://example.org/a", "example.org/a"}, {"HTTP://example.org", "example.org"},
      {"Http://example.org", "Http://example.org"}, {"example.org", "example.org"},
      {"https://example.org", "https://example.org"}, {"http:/x", "http:/x"},
  };
  for (const auto& [typed, stored] : cases) EXPECT_EQ(WebRules::stripPrefix(typed), stored) << typed;
}

TEST(WebRulesTest, AddTwiceListsTwiceAndRemovingOneRemovesBothFromTheSettings) {
  ConfigFixture fixture;
  RegSettings& settings = fixture.settings();
  WebRules rules(settings);
  rules.add("http://b.example");
  rules.add("a.example");
  rules.add("HTTP://b.example");
  rules.add("");
  rules.add("http://");
  EXPECT_EQ(rules.list().lines(), (std::vector<std::string>{"a.example", "b.example", "b.example"}));
  EXPECT_EQ(settings.webSites(), (std::vector<std::string>{"b.example", "a.example", "b.example"}));

  rules.list().select(2);
  rules.removeSelected();
  EXPECT_EQ(rules.list().lines(), (std::vector<std::string>{"a.example", "b.example"}));
  EXPECT_EQ(rules.list().selection(), 1u) << "the new last line is selected";
  EXPECT_EQ(settings.webSites(), (std::vector<std::string>{"a.example"}));

  rules.list().select(0);
  rules.editSelected("http://c.example");
  EXPECT_EQ(settings.webSites(), (std::vector<std::string>{"c.example"}));
  rules.ok();
  EXPECT_EQ(fixture.reload().webSites(), (std::vector<std::string>{"c.example"}));
}

TEST(WebRulesTest, ChoicesStoreAtOnceWhileResetOnlyShowsNever) {
  ConfigFixture fixture;
  RegSettings& settings = fixture.settings();
  WebRules rules(settings);
  EXPECT_FALSE(rules.listEnabled());
  rules.chooseAccess(1);
  EXPECT_EQ(settings.webAccess(), 1);
  EXPECT_TRUE(rules.listEnabled());
  rules.period().set(0, 120);
  rules.reset();
  EXPECT_EQ(rules.shownAccess(), 0);
  EXPECT_FALSE(rules.listEnabled());
  EXPECT_EQ(rules.period().value(0), 0);
  EXPECT_EQ(settings.webAccess(), 1) << "reset does not store the choice";
}

TEST(SortedListTest, RemovingSelectsTheLineAtTheSameIndexOrTheOneBefore) {
  SortedList list;
  for (const char* line : {"b", "C", "a"}) list.insert(line);
  EXPECT_EQ(list.lines(), (std::vector<std::string>{"a", "b", "C"}));
  list.select(1);
  list.eraseSelected();
  EXPECT_EQ(list.selected(), "C");
  list.eraseSelected();
  EXPECT_EQ(list.selected(), "a");
  list.eraseSelected();
  EXPECT_FALSE(list.selection());
  list.eraseSelected();  // nothing selected: nothing happens
  EXPECT_EQ(list.size(), 0u);
}

class ImagesRulesTest : public ::testing::Test {
 protected:
  std::string folder(const std::string& name, bool withPicture) {
    const std::filesystem::path path = fixture_.dir().path() / name;
    std::filesystem::create_directories(path);
    if (withPicture) fixture_.dir().write(name + "/photo.JPG", "not decoded here");
    return path.string();
  }
  ConfigFixture fixture_;
};

TEST_F(ImagesRulesTest, AddNotesAFolderWithoutPicturesAndIgnoresOneAlreadyListed) {
  RegSettings& settings = fixture_.settings();
  ImagesRules rules(settings);
  const std::string empty = folder("empty", false);
  const std::string photos = folder("photos", true);
  EXPECT_EQ(rules.addFolder(photos), ImagesRules::Added::WithImages);
  EXPECT_EQ(rules.addFolder(empty), ImagesRules::Added::WithoutImages);
  EXPECT_EQ(rules.addFolder(photos), ImagesRules::Added::AlreadyListed);
  EXPECT_EQ(settings.folders(), (std::vector<std::string>{photos, empty}));
  // Every format the saver shows counts, not only the first three.
  const std::string phone = folder("phone", false);
  fixture_.dir().write("phone/IMG_1.heic", "not decoded here");
  EXPECT_EQ(ImagesRules(settings).addFolder(phone), ImagesRules::Added::WithImages);
  settings.setFolders({photos, empty});
  EXPECT_EQ(rules.list().lines(), (std::vector<std::string>{empty, photos}));

  rules.addFound({photos, "/found/a", "/found/a"});
  EXPECT_EQ(settings.folders(), (std::vector<std::string>{photos, empty, "/found/a"}));
  rules.list().select(0);
  rules.removeSelected();
  EXPECT_EQ(settings.folders(), (std::vector<std::string>{photos, empty}));
  rules.list().select(0);
  rules.removeSelected();
  EXPECT_EQ(settings.folders(), (std::vector<std::string>{photos}));
  rules.removeAll();
  EXPECT_TRUE(settings.folders().empty());
  EXPECT_FALSE(rules.list().selection());
}

TEST_F(ImagesRulesTest, StartAtFirstResetsImageNextOnlyOnOk) {
  RegSettings& settings = fixture_.settings();
  settings.setImageNext(7);
  settings.saveImagePosition();
  ImagesRules rules(settings);
  EXPECT_FALSE(rules.startAtFirstEnabled());
  rules.setOrder(1);
  EXPECT_TRUE(rules.startAtFirstEnabled());
  rules.requestStartAtFirst();
  EXPECT_EQ(fixture_.reload().imageNext(), 7) << "nothing is written before OK";

  ImagesRules again(fixture_.settings());
  again.setOrder(1);
  again.requestStartAtFirst();
  again.period().set(0, 300);
  again.ok();
  const RegSettings& saved = fixture_.reload();
  EXPECT_EQ(saved.imageNext(), 0);
  EXPECT_EQ(saved.imageOrder(), 1);
  EXPECT_EQ(saved.imagePeriod(), 300);
}

}  // namespace
}  // namespace warpix
