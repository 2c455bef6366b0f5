#include "settings/RegSettings.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

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

  // The keys of a group as they are on disk, sorted.
  std::vector<std::string> keysOnDisk(const std::string& file, const std::string& group) const {
    std::unique_ptr<GKeyFile, decltype(&g_key_file_free)> keys(g_key_file_new(), &g_key_file_free);
    std::vector<std::string> names;
    if (!g_key_file_load_from_file(keys.get(), (dir_.str() + "/" + file).c_str(), G_KEY_FILE_NONE, nullptr)) {
      return names;
    }
    gchar** list = g_key_file_get_keys(keys.get(), group.c_str(), nullptr, nullptr);
    for (gchar** key = list; key != nullptr && *key != nullptr; ++key) names.emplace_back(*key);
    g_strfreev(list);
    std::sort(names.begin(), names.end());
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
  EXPECT_EQ(profileKeys(), (std::vector<std::string>{"WebAccess", "WebSitePeriod"}));
  const RegSettings& again = start();
  EXPECT_EQ(again.webSites(), (std::vector<std::string>{"http://x/", "http://y/"}));
  EXPECT_EQ(again.webAccess(), 2);
  EXPECT_EQ(again.webSitePeriod(), 45);
  EXPECT_EQ(KeyFileStore(dir_.str()).readIni("WebSitesCount", "Count", 32), "2");
}

TEST_F(RegSettingsTest, EachSaveGroupWritesExactlyItsKeys) {
  using Keys = std::vector<std::string>;
  const auto written = [this](void (RegSettings::*save)()) {
    std::filesystem::remove(dir_.path() / "photo-warpix.conf");
    (start().*save)();
    return profileKeys();
  };
  EXPECT_EQ(written(&RegSettings::saveGeneral),
            (Keys{"BlankMinutes", "BlankScreen", "DelayBetweenDrawings", "DoBlur", "DoImage", "DoMangle", "DoRepaint",
                  "DoSurf", "DoText", "UseTransparency"}));
  EXPECT_EQ(written(&RegSettings::saveStyles), (Keys{"StyleDistort", "StyleFlipLR", "StyleFlipTB", "StyleFuzzy",
                                                     "StyleSwirl", "StyleWavy"}));
  EXPECT_EQ(written(&RegSettings::saveImages), (Keys{"ImageOrder", "ImagePause", "ImagePeriod"}));
  EXPECT_EQ(written(&RegSettings::saveText), (Keys{"TextDateTime", "TextMessages"}));
  EXPECT_EQ(written(&RegSettings::saveImagePosition), Keys{"ImageNext"});
  EXPECT_EQ(written(&RegSettings::saveMessages), (Keys{"Message0", "Message1", "Message2", "Message3", "Message4",
                                                       "Message5", "Message6", "Message7", "Message8"}));
}

TEST_F(RegSettingsTest, SavedValuesComeBackOnTheNextStart) {
  using Setter = void (RegSettings::*)(std::int32_t);
  using Getter = std::int32_t (RegSettings::*)() const;
  struct Field {
    Setter set;
    Getter get;
  };
  const std::vector<Field> fields = {
      {&RegSettings::setBlankMinutes, &RegSettings::blankMinutes},
      {&RegSettings::setDelayBetweenDrawings, &RegSettings::delayBetweenDrawings},
      {&RegSettings::setDoImage, &RegSettings::doImage},      {&RegSettings::setDoSurf, &RegSettings::doSurf},
      {&RegSettings::setDoMangle, &RegSettings::doMangle},    {&RegSettings::setDoBlur, &RegSettings::doBlur},
      {&RegSettings::setDoText, &RegSettings::doText},        {&RegSettings::setDoRepaint, &RegSettings::doRepaint},
      {&RegSettings::setUseTransparency, &RegSettings::useTransparency},
      {&RegSettings::setStyleFuzzy, &RegSettings::styleFuzzy}, {&RegSettings::setStyleSwirl, &RegSettings::styleSwirl},
      {&RegSettings::setStyleWavy, &RegSettings::styleWavy},  {&RegSettings::setStyleDistort, &RegSettings::styleDistort},
      {&RegSettings::setStyleFlipLR, &RegSettings::styleFlipLR},
      {&RegSettings::setStyleFlipTB, &RegSettings::styleFlipTB},
      {&RegSettings::setImageOrder, &RegSettings::imageOrder}, {&RegSettings::setImagePause, &RegSettings::imagePause},
      {&RegSettings::setImagePeriod, &RegSettings::imagePeriod},
      {&RegSettings::setTextMessages, &RegSettings::textMessages},
      {&RegSettings::setTextDateTime, &RegSettings::textDateTime}, {&RegSettings::setImageNext, &RegSettings::imageNext}};
  RegSettings& s = start();
  s.setBlankScreen(true);
  // 101, 102, ...: none of them a default.
  for (std::size_t i = 0; i < fields.size(); ++i) (s.*fields[i].set)(static_cast<std::int32_t>(101 + i));
  for (auto save : {&RegSettings::saveGeneral, &RegSettings::saveStyles, &RegSettings::saveImages,
                    &RegSettings::saveText, &RegSettings::saveImagePosition}) {
    (s.*save)();
  }
  const RegSettings& t = start();
  EXPECT_TRUE(t.blankScreen());
  for (std::size_t i = 0; i < fields.size(); ++i) EXPECT_EQ((t.*fields[i].get)(), 101 + static_cast<int>(i)) << i;
}

TEST_F(RegSettingsTest, PausesAreClampedSoTheirMillisecondsFit32Bits) {
  storeProfile("DelayBetweenDrawings=-5\nImagePause=2147483647\nImagePeriod=-3\nDoImage=500\nImageNext=-1\n");
  const RegSettings& s = start();
  EXPECT_EQ(s.delayBetweenDrawings(), 0);
  EXPECT_EQ(s.imagePause(), 2147483);  // 2147483 × 1000 <= INT32_MAX < 2147484 × 1000
  // Values the program copes with stay as stored.
  EXPECT_EQ(s.imagePeriod(), -3);
  EXPECT_EQ(s.doImage(), 500);
  EXPECT_EQ(s.imageNext(), -1);
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
