#include "settings/RegSettings.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <set>
#include <string_view>

#include "app/Random.h"
#include "platform/TempFolder.h"
#include "platform/linux/KeyFileStore.h"
#include "settings/FakeShell.h"

namespace warpix {
namespace {

using testing::FakeShell;
using testing::TempFolder;

class RegSettingsTest : public ::testing::Test {
 protected:
  // A store and a record over the temporary folder, as a fresh start-up sees it.
  RegSettings& start(bool firstRun = false) {
    settings_.reset();
    store_ = std::make_unique<KeyFileStore>(dir_.str());
    settings_ = std::make_unique<RegSettings>(*store_, shell_, [this] { ++traceCalls_; });
    settings_->load(firstRun);
    return *settings_;
  }

  // The keys of a group as they are on disk, in file order.
  std::vector<std::string> keysOnDisk(const std::string& file, const std::string& group) const {
    std::unique_ptr<GKeyFile, decltype(&g_key_file_free)> keys(g_key_file_new(), &g_key_file_free);
    std::vector<std::string> names;
    if (!g_key_file_load_from_file(keys.get(), (dir_.str() + "/" + file).c_str(), G_KEY_FILE_NONE, nullptr)) {
      return names;
    }
    gchar** list = g_key_file_get_keys(keys.get(), group.c_str(), nullptr, nullptr);
    for (gchar** key = list; key != nullptr && *key != nullptr; ++key) names.emplace_back(*key);
    g_strfreev(list);
    return names;
  }
  std::vector<std::string> profileKeys() const { return keysOnDisk("photo-warpix.conf", "Config"); }

  void storeIni(const std::string& contents) const { dir_.write("Warpix.ini", contents); }
  void storeProfile(const std::string& contents) const { dir_.write("photo-warpix.conf", "[Config]\n" + contents); }

  TempFolder dir_;
  FakeShell shell_;
  std::unique_ptr<KeyFileStore> store_;
  std::unique_ptr<RegSettings> settings_;
  int traceCalls_ = 0;
};

TEST_F(RegSettingsTest, NothingStoredGivesEveryDefault) {
  const RegSettings& s = start();
  using Numbers = std::vector<std::int32_t>;
  EXPECT_TRUE(s.folders().empty());
  EXPECT_TRUE(s.webSites().empty());
  EXPECT_FALSE(s.blankScreen());
  EXPECT_FALSE(s.saveBitmap());
  EXPECT_EQ((Numbers{s.blankMinutes(), s.doImage(), s.doSurf(), s.doMangle(), s.doBlur(), s.doText(),
                     s.doRepaint(), s.useTransparency(), s.delayBetweenDrawings()}),
            (Numbers{60, 30, 100, 75, 8, 30, 5, 10, 0}));
  EXPECT_EQ((Numbers{s.imageNext(), s.imageOrder(), s.imagePause(), s.imagePeriod(), s.webSitePeriod(),
                     s.webAccess(), s.textMessages(), s.textDateTime()}),
            (Numbers{0, 0, 0, 30, 0, 0, 40, 80}));
  EXPECT_EQ((Numbers{s.styleFuzzy(), s.styleSwirl(), s.styleWavy(), s.styleDistort(), s.styleFlipLR(),
                     s.styleFlipTB()}),
            (Numbers{5, 20, 80, 80, 1, 1}));
  EXPECT_EQ(s.installFolder(), "");
  EXPECT_EQ(s.bitmapFilename(), dir_.str() + "/Warpix.bmp");
  EXPECT_EQ(s.message(0), "Warpix");
  EXPECT_EQ(s.message(1), "Photo Warpix Screensaver");
  EXPECT_EQ(s.message(2), "https://tendrel.example/photo-warpix");
  for (int i = 3; i < 9; ++i) EXPECT_EQ(s.message(i), "") << i;
  EXPECT_EQ(s.lastMessageIndex(), 2);
  EXPECT_EQ(traceCalls_, 0);
  // Loading alone, outside a first run, writes nothing.
  EXPECT_FALSE(dir_.exists("photo-warpix.conf"));
  EXPECT_FALSE(dir_.exists("Warpix.ini"));
}

TEST_F(RegSettingsTest, OwnerNameIsTheFirstMessageFromSixCharacters) {
  shell_.name = "Ann Lee";
  EXPECT_EQ(start().message(0), "Ann Lee");
  shell_.name = "Annie";
  EXPECT_EQ(start().message(0), "Warpix");
  // Five characters in seven bytes: still too short.
  shell_.name = "Zoë Å";
  EXPECT_EQ(start().message(0), "Warpix");
  shell_.name = "Zoë Åse";
  EXPECT_EQ(start().message(0), "Zoë Åse");
}

TEST_F(RegSettingsTest, BitmapFileDefaultsBesideTheInstallFolder) {
  storeProfile("InstallFolder=/opt/warpix\n");
  EXPECT_EQ(start().bitmapFilename(), "/opt/warpix/Warpix.bmp");
  storeProfile("InstallFolder=/opt/warpix/\n");
  EXPECT_EQ(start().bitmapFilename(), "/opt/warpix/Warpix.bmp");
  storeProfile("InstallFolder=/opt/warpix/\nBitmapFilename=/tmp/shot.bmp\n");
  EXPECT_EQ(start().bitmapFilename(), "/tmp/shot.bmp");
}

TEST_F(RegSettingsTest, FirstRunAddsPicturesFolderAndWritesListAtOnce) {
  shell_.pictures = "/home/u/Pictures";
  shell_.documents = "/home/u/Documents";
  EXPECT_EQ(start(true).folders(), (std::vector<std::string>{"/home/u/Pictures"}));
  EXPECT_EQ(KeyFileStore(dir_.str()).readIni("Warpix", "Folders", 65535), "/home/u/Pictures*");
  EXPECT_EQ(profileKeys(), (std::vector<std::string>{"ImageOrder", "ImagePause", "ImagePeriod"}));
}

TEST_F(RegSettingsTest, FirstRunFallsBackToDocumentsThenToNothing) {
  shell_.documents = "/home/u/Documents/";
  EXPECT_EQ(start(true).folders(), (std::vector<std::string>{"/home/u/Documents/Pictures"}));
  std::filesystem::remove(dir_.path() / "Warpix.ini");
  shell_.documents.clear();
  EXPECT_TRUE(start(true).folders().empty());
  EXPECT_FALSE(dir_.exists("Warpix.ini"));
}

TEST_F(RegSettingsTest, DefaultFolderOnlyOnFirstRunAndOnlyForAnEmptyList) {
  shell_.pictures = "/home/u/Pictures";
  EXPECT_TRUE(start(false).folders().empty());
  storeIni("[Warpix]\nFolders=/srv/photos*\n");
  EXPECT_EQ(start(true).folders(), (std::vector<std::string>{"/srv/photos"}));
}

TEST_F(RegSettingsTest, FolderTextSplitsAtEveryStar) {
  const auto loaded = [this](const std::string& text) {
    storeIni("[Warpix]\nFolders=" + text + "\n");
    return start().folders();
  };
  using List = std::vector<std::string>;
  EXPECT_EQ(loaded("/d/A*/e/B*"), (List{"/d/A", "/e/B"}));
  EXPECT_EQ(loaded("/d/A*/e/B"), (List{"/d/A", "/e/B"}));
  EXPECT_EQ(loaded("a**b"), (List{"a", "", "b"}));
  EXPECT_EQ(loaded("*"), (List{""}));
  EXPECT_EQ(loaded(""), List{});
}

TEST_F(RegSettingsTest, FoldersAreSavedEachFollowedByAStar) {
  RegSettings& s = start();
  s.setFolders({"/a b/c", "", "/d"});
  s.saveImages();
  EXPECT_EQ(KeyFileStore(dir_.str()).readIni("Warpix", "Folders", 65535), "/a b/c**/d*");
  EXPECT_EQ(start().folders(), (std::vector<std::string>{"/a b/c", "", "/d"}));
}

TEST_F(RegSettingsTest, TraceSwitchIsExactAndCaseSensitive) {
  // "\\s" is the key file's escape for a leading blank.
  storeProfile("Message4=Trace\nMessage5=\\strace\nMessage6=traced\n");
  EXPECT_EQ(start().message(5), " trace");
  EXPECT_EQ(traceCalls_, 0);
  storeProfile("Message7=trace\n");
  EXPECT_EQ(start().message(7), "trace");
  EXPECT_EQ(traceCalls_, 1);
  EXPECT_EQ(settings_->lastMessageIndex(), 7);
}

TEST_F(RegSettingsTest, SavingMessagesMovesTextsToTheFront) {
  RegSettings& s = start();
  for (int i = 0; i < 9; ++i) s.setMessage(i, "");
  s.setMessage(1, "a");
  s.setMessage(3, "b");
  s.saveMessages();
  EXPECT_EQ(s.message(0), "a");
  EXPECT_EQ(s.message(1), "b");
  EXPECT_EQ(s.lastMessageIndex(), 1);
  // The emptied defaults stay empty: they are stored, not missing.
  const RegSettings& again = start();
  EXPECT_EQ(again.message(0), "a");
  EXPECT_EQ(again.message(1), "b");
  for (int i = 2; i < 9; ++i) EXPECT_EQ(again.message(i), "") << i;
  EXPECT_EQ(again.lastMessageIndex(), 1);
}

TEST_F(RegSettingsTest, RandomMessageDrawsBelowLastIndexPlusOne) {
  storeProfile("Message0=\nMessage1=x\nMessage2=\nMessage3=y\nMessage4=\nMessage5=\nMessage6=\nMessage7=\nMessage8=\n");
  const RegSettings& s = start();
  ASSERT_TRUE(s.hasMessages());
  const std::vector<std::string> expected = {"", "x", "", "y"};
  Random random(1234);
  Random twin(1234);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(s.randomMessage(random), expected[static_cast<std::size_t>(twin.below(4))]);
}

TEST_F(RegSettingsTest, NoMessagesAndNoSitesDrawNothing) {
  storeProfile("Message0=\nMessage1=\nMessage2=\n");
  const RegSettings& s = start();
  EXPECT_FALSE(s.hasMessages());
  EXPECT_FALSE(s.hasWebSites());
  Random random(99);
  EXPECT_EQ(s.randomMessage(random), "");
  EXPECT_EQ(s.randomWebSite(random), "");
  EXPECT_EQ(random.next(), Random(99).next());
}

TEST_F(RegSettingsTest, WebSitesSkipEmptyEntriesAndFollowTheCount) {
  storeIni("[WebSitesCount]\nCount=4\n[WebSites]\nImage0=http://a/\nImage1=\nImage3=http://d/\nImage4=http://e/\n");
  EXPECT_EQ(start().webSites(), (std::vector<std::string>{"http://a/", "http://d/"}));
  storeIni("[WebSites]\nImage0=http://a/\n");
  EXPECT_TRUE(start().webSites().empty());
  storeIni("[WebSitesCount]\nCount=-3\n[WebSites]\nImage0=http://a/\n");
  EXPECT_TRUE(start().webSites().empty());
}

TEST_F(RegSettingsTest, HugeWebSiteCountReadsOnlyWhatIsThere) {
  storeIni("[WebSitesCount]\nCount=2147483647\n[WebSites]\nImage0=http://a/\nImage2=http://c/\nImage007=x\n");
  const RegSettings& s = start();
  EXPECT_EQ(s.webSites(), (std::vector<std::string>{"http://a/", "http://c/"}));
  Random random(5);
  Random twin(5);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(s.randomWebSite(random), s.webSites()[twin.below(2)]);
}

TEST_F(RegSettingsTest, WebSaveReplacesTheWholeSiteList) {
  storeIni("[WebSitesCount]\nCount=5\n[WebSites]\nImage0=a\nImage1=b\nImage2=c\nImage3=d\nImage4=e\n");
  RegSettings& s = start();
  s.setWebSites({"http://x/", "http://y/"});
  s.setWebAccess(2);
  s.setWebSitePeriod(45);
  s.saveWeb();
  EXPECT_EQ(keysOnDisk("Warpix.ini", "WebSites"), (std::vector<std::string>{"Image0", "Image1"}));
  EXPECT_EQ(profileKeys(), (std::vector<std::string>{"WebSitePeriod", "WebAccess"}));
  const RegSettings& again = start();
  EXPECT_EQ(again.webSites(), (std::vector<std::string>{"http://x/", "http://y/"}));
  EXPECT_EQ(again.webAccess(), 2);
  EXPECT_EQ(again.webSitePeriod(), 45);
  EXPECT_EQ(KeyFileStore(dir_.str()).readIni("WebSitesCount", "Count", 32), "2");
}

TEST(RegSettingsFields, EveryKeyOnceWithItsDefaultInRange) {
  std::set<std::string_view> keys;
  for (const RegSettings::Field& field : RegSettings::fields()) {
    EXPECT_TRUE(keys.insert(field.key).second) << field.key;
    EXPECT_LE(field.lo, field.fallback) << field.key;
    EXPECT_LE(field.fallback, field.hi) << field.key;
    EXPECT_NE(field.number == nullptr, field.flag == nullptr) << field.key;
    EXPECT_EQ(field.option.empty(), field.help.empty()) << field.key;
    EXPECT_EQ(RegSettings::findField(field.key), &field);
  }
  EXPECT_EQ(RegSettings::findField("Message0"), nullptr);
}

// Each page writes exactly its keys, in this order, and no others; the table
// names the same keys for the group.
TEST_F(RegSettingsTest, EachSaveGroupWritesExactlyItsKeys) {
  using Keys = std::vector<std::string>;
  using Group = RegSettings::SaveGroup;
  struct Save {
    Group group;
    void (RegSettings::*save)();
    Keys keys;
  };
  const std::vector<Save> saves = {
      {Group::General, &RegSettings::saveGeneral,
       {"BlankScreen", "BlankMinutes", "DelayBetweenDrawings", "DoImage", "DoSurf", "DoMangle", "DoBlur", "DoText",
        "DoRepaint", "UseTransparency"}},
      {Group::Styles, &RegSettings::saveStyles,
       {"StyleFuzzy", "StyleSwirl", "StyleWavy", "StyleDistort", "StyleFlipLR", "StyleFlipTB"}},
      {Group::Images, &RegSettings::saveImages, {"ImageOrder", "ImagePause", "ImagePeriod"}},
      {Group::Web, &RegSettings::saveWeb, {"WebSitePeriod", "WebAccess"}},
      {Group::Text, &RegSettings::saveText, {"TextMessages", "TextDateTime"}},
      {Group::ImagePosition, &RegSettings::saveImagePosition, {"ImageNext"}},
      {Group::None, &RegSettings::saveMessages,
       {"Message0", "Message1", "Message2", "Message3", "Message4", "Message5", "Message6", "Message7", "Message8"}},
  };
  for (const Save& save : saves) {
    std::filesystem::remove(dir_.path() / "photo-warpix.conf");
    (start().*save.save)();
    EXPECT_EQ(profileKeys(), save.keys);
    Keys named;
    for (const RegSettings::Field& field : RegSettings::fields()) {
      if (field.group == save.group) named.emplace_back(field.key);
    }
    // Only SaveBitmap has no page: nothing writes it.
    EXPECT_EQ(named, save.group == Group::None ? Keys{"SaveBitmap"} : save.keys);
  }
}

TEST_F(RegSettingsTest, SavedValuesComeBackOnTheNextStart) {
  using Setter = void (RegSettings::*)(std::int32_t);
  using Getter = std::int32_t (RegSettings::*)() const;
  struct Field {
    Setter set;
    Getter get;
    std::int32_t value;  // in range, no default, no two alike
  };
  const std::vector<Field> fields = {
      {&RegSettings::setBlankMinutes, &RegSettings::blankMinutes, 999},
      {&RegSettings::setDelayBetweenDrawings, &RegSettings::delayBetweenDrawings, 60},
      {&RegSettings::setDoImage, &RegSettings::doImage, 11},
      {&RegSettings::setDoSurf, &RegSettings::doSurf, 12},
      {&RegSettings::setDoMangle, &RegSettings::doMangle, 13},
      {&RegSettings::setDoBlur, &RegSettings::doBlur, 14},
      {&RegSettings::setDoText, &RegSettings::doText, 15},
      {&RegSettings::setDoRepaint, &RegSettings::doRepaint, 16},
      {&RegSettings::setUseTransparency, &RegSettings::useTransparency, 17},
      {&RegSettings::setStyleFuzzy, &RegSettings::styleFuzzy, 18},
      {&RegSettings::setStyleSwirl, &RegSettings::styleSwirl, 19},
      {&RegSettings::setStyleWavy, &RegSettings::styleWavy, 21},
      {&RegSettings::setStyleDistort, &RegSettings::styleDistort, 22},
      {&RegSettings::setStyleFlipLR, &RegSettings::styleFlipLR, 23},
      {&RegSettings::setStyleFlipTB, &RegSettings::styleFlipTB, 24},
      {&RegSettings::setImageOrder, &RegSettings::imageOrder, 1},
      {&RegSettings::setImagePause, &RegSettings::imagePause, 2147483},
      {&RegSettings::setImagePeriod, &RegSettings::imagePeriod, 300},
      {&RegSettings::setWebSitePeriod, &RegSettings::webSitePeriod, 45},
      {&RegSettings::setWebAccess, &RegSettings::webAccess, 2},
      {&RegSettings::setTextMessages, &RegSettings::textMessages, 25},
      {&RegSettings::setTextDateTime, &RegSettings::textDateTime, 26},
      {&RegSettings::setImageNext, &RegSettings::imageNext, 12345}};
  RegSettings& s = start();
  s.setBlankScreen(true);
  for (const Field& field : fields) (s.*field.set)(field.value);
  for (auto save : {&RegSettings::saveGeneral, &RegSettings::saveStyles, &RegSettings::saveImages,
                    &RegSettings::saveWeb, &RegSettings::saveText, &RegSettings::saveImagePosition}) {
    (s.*save)();
  }
  const RegSettings& t = start();
  EXPECT_TRUE(t.blankScreen());
  for (const Field& field : fields) EXPECT_EQ((t.*field.get)(), field.value);
}

TEST_F(RegSettingsTest, StoredValuesAreHeldToTheirRanges) {
  using Getter = std::int32_t (RegSettings::*)() const;
  struct Case {
    const char* stored;
    Getter get;
    std::int32_t loaded;
  };
  const std::vector<Case> cases = {
      {"DoImage=500", &RegSettings::doImage, 100},
      {"BlankMinutes=-5", &RegSettings::blankMinutes, 0},
      {"WebAccess=7", &RegSettings::webAccess, 2},
      {"ImageOrder=-1", &RegSettings::imageOrder, 0},
      {"ImagePeriod=-3", &RegSettings::imagePeriod, 0},
      {"WebSitePeriod=301", &RegSettings::webSitePeriod, 300},
      {"DelayBetweenDrawings=61", &RegSettings::delayBetweenDrawings, 60},
      {"UseTransparency=101", &RegSettings::useTransparency, 100},
      {"StyleWavy=-2147483648", &RegSettings::styleWavy, 0},
      // 2147483 × 1000 <= INT32_MAX < 2147484 × 1000
      {"ImagePause=2147483647", &RegSettings::imagePause, 2147483},
      // The ends of a range are kept.
      {"TextDateTime=100", &RegSettings::textDateTime, 100},
      {"StyleFlipTB=0", &RegSettings::styleFlipTB, 0},
      // Only the scene knows the file count that bounds ImageNext.
      {"ImageNext=-1", &RegSettings::imageNext, -1},
  };
  // Switches are on for any value but 0.
  std::string profile = "BlankScreen=5\nSaveBitmap=-1\n";
  for (const Case& c : cases) profile += std::string(c.stored) + "\n";
  storeProfile(profile);
  const RegSettings& s = start();
  for (const Case& c : cases) EXPECT_EQ((s.*c.get)(), c.loaded) << c.stored;
  EXPECT_TRUE(s.blankScreen());
  EXPECT_TRUE(s.saveBitmap());
}

TEST_F(RegSettingsTest, FirstRunIsDecidedByTheLastVersionThatRan) {
  KeyFileStore store(dir_.str());
  EXPECT_TRUE(RegSettings::decideFirstRun(store, "1.0.0"));
  EXPECT_FALSE(RegSettings::decideFirstRun(store, "1.0.0"));
  EXPECT_TRUE(RegSettings::decideFirstRun(store, "1.1.0"));
  KeyFileStore later(dir_.str());
  EXPECT_FALSE(RegSettings::decideFirstRun(later, "1.1.0"));
}

using Weights = std::vector<std::int32_t>;

TEST_F(RegSettingsTest, TextAndVisitingOrderTables) {
  RegSettings& s = start();
  s.buildChoiceTables({}, {}, {});
  EXPECT_EQ(s.textWeights(), (Weights{80, 40}));
  EXPECT_EQ(s.visitingOrderWeights(), (Weights{40, 20, 40, 40, 100, 80}));
  EXPECT_FLOAT_EQ(s.visitingOrders().cumulative()[4], 240.0f / 320.0f);
  for (int i = 0; i < 9; ++i) s.setMessage(i, "");
  s.buildChoiceTables({}, {}, {});
  EXPECT_EQ(s.textWeights(), (Weights{80, 0}));
}

}  // namespace
}  // namespace warpix
