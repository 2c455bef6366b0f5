#include "platform/linux/KeyFileStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>

#include "platform/TempFolder.h"

namespace warpix {
namespace {

using testing::TempFolder;

std::vector<std::string> folderEntries(const TempFolder& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(KeyFileStore, NothingStoredReadsFallbacksAndCreatesNoFile) {
  const TempFolder dir;
  const KeyFileStore store(dir.str() + "/tendrel");
  EXPECT_EQ(store.readNumber("ImagePeriod", 30), 30);
  EXPECT_EQ(store.readText("Message1", "fallback"), "fallback");
  EXPECT_EQ(store.readIni("Warpix", "Folders", 65535), "");
  EXPECT_TRUE(store.iniKeys("WebSites").empty());
  EXPECT_TRUE(store.problems().empty());
  EXPECT_EQ(store.profilePath(), dir.str() + "/tendrel/photo-warpix.conf");
  EXPECT_EQ(store.iniPath(), dir.str() + "/tendrel/Warpix.ini");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "tendrel"));
}

TEST(KeyFileStore, FirstWriteCreatesNestedFolderAndLeavesNoTemporaryFiles) {
  const TempFolder dir;
  const std::string folder = dir.str() + "/a/b";
  KeyFileStore store(folder);
  EXPECT_TRUE(store.writeNumber("DoBlur", 9));
  EXPECT_TRUE(store.writeIni("Warpix", "Folders", "/x*"));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Warpix.ini", "photo-warpix.conf"}));
}

TEST(KeyFileStore, NumbersRoundTripOverFullRange) {
  const TempFolder dir;
  {
    KeyFileStore store(dir.str());
    ASSERT_TRUE(store.writeNumber("Min", INT32_MIN));
    ASSERT_TRUE(store.writeNumber("Max", INT32_MAX));
    ASSERT_TRUE(store.writeNumber("Zero", 0));
    ASSERT_TRUE(store.writeNumber("Minus", -1));
  }
  const KeyFileStore again(dir.str());
  EXPECT_EQ(again.readNumber("Min", 5), INT32_MIN);
  EXPECT_EQ(again.readNumber("Max", 5), INT32_MAX);
  EXPECT_EQ(again.readNumber("Zero", 5), 0);
  EXPECT_EQ(again.readNumber("Minus", 5), -1);
}

TEST(KeyFileStore, StoredNonNumbersAndOutOfRangeReadAsFallback) {
  const TempFolder dir;
  dir.write("photo-warpix.conf",
            "[Config]\nWord=abc\nTooBig=2147483648\nTooSmall=-2147483649\nTrailing=12abc\n"
            "Blanks= 12 \nEmpty=\nLowest=-2147483648\nFraction=1.5\nHex=0x10\n");
  const KeyFileStore store(dir.str());
  EXPECT_EQ(store.readNumber("Word", 7), 7);
  EXPECT_EQ(store.readNumber("TooBig", 7), 7);
  EXPECT_EQ(store.readNumber("TooSmall", 7), 7);
  EXPECT_EQ(store.readNumber("Trailing", 7), 7);
  EXPECT_EQ(store.readNumber("Blanks", 7), 12);
  EXPECT_EQ(store.readNumber("Empty", 7), 7);
  EXPECT_EQ(store.readNumber("Lowest", 7), INT32_MIN);
  EXPECT_EQ(store.readNumber("Fraction", 7), 7);
  EXPECT_EQ(store.readNumber("Hex", 7), 7);
}

TEST(KeyFileStore, TextsWithAnyCharactersRoundTrip) {
  const std::vector<std::string> texts = {
      "  leading blanks", "trailing blanks  ", "a = b", "[Section]", "# not a comment", "; nor this",
      "two\nlines",       "tab\there",         "back\\slash\\", "ünïcödé ✓ 写真", "D:\\A*E:\\B*", "\\n literally"};
  const TempFolder dir;
  {
    KeyFileStore store(dir.str());
    for (std::size_t i = 0; i < texts.size(); ++i) {
      ASSERT_TRUE(store.writeText("Message" + std::to_string(i), texts[i]));
      ASSERT_TRUE(store.writeIni("WebSites", "Image" + std::to_string(i), texts[i]));
    }
  }
  const KeyFileStore again(dir.str());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(again.readText("Message" + std::to_string(i), "x"), texts[i]);
    EXPECT_EQ(again.readIni("WebSites", "Image" + std::to_string(i), 4096), texts[i]);
  }
}

TEST(KeyFileStore, LegacyEncodedNamesRoundTripByteForByte) {
  // "été" in Latin-1, as an old file system may still name a folder.
  const std::string legacy = " /photos/\xe9t\xe9\\x\n*";
  const TempFolder dir;
  {
    KeyFileStore store(dir.str());
    ASSERT_TRUE(store.writeIni("Warpix", "Folders", legacy));
    ASSERT_TRUE(store.writeText("Message0", legacy));
  }
  const KeyFileStore again(dir.str());
  EXPECT_EQ(again.readIni("Warpix", "Folders", 65535), legacy);
  EXPECT_EQ(again.readText("Message0", "x"), legacy);
  EXPECT_EQ(again.readIni("Warpix", "Folders", 11), legacy.substr(0, 11));
}

TEST(KeyFileStore, StoredEmptyTextIsNotTheFallback) {
  const TempFolder dir;
  KeyFileStore store(dir.str());
  ASSERT_TRUE(store.writeText("Message1", ""));
  EXPECT_EQ(KeyFileStore(dir.str()).readText("Message1", "Photo Warpix Screensaver"), "");
}

TEST(KeyFileStore, IniReadsAreCutToCharactersNotBytes) {
  const TempFolder dir;
  KeyFileStore store(dir.str());
  ASSERT_TRUE(store.writeIni("Warpix", "Folders", "abcdef"));
  ASSERT_TRUE(store.writeIni("Warpix", "Accents", "éééé"));
  EXPECT_EQ(store.readIni("Warpix", "Folders", 4), "abcd");
  EXPECT_EQ(store.readIni("Warpix", "Folders", 6), "abcdef");
  EXPECT_EQ(store.readIni("Warpix", "Accents", 3), "ééé");
}

TEST(KeyFileStore, DeletingASectionKeepsTheOthers) {
  const TempFolder dir;
  KeyFileStore store(dir.str());
  ASSERT_TRUE(store.writeIni("WebSites", "Image0", "a"));
  ASSERT_TRUE(store.writeIni("WebSites", "Image1", "b"));
  ASSERT_TRUE(store.writeIni("WebSitesCount", "Count", "2"));
  EXPECT_EQ(store.iniKeys("WebSites"), (std::vector<std::string>{"Image0", "Image1"}));
  EXPECT_TRUE(store.deleteIniSection("WebSites"));
  EXPECT_TRUE(store.deleteIniSection("NoSuchSection"));
  const KeyFileStore again(dir.str());
  EXPECT_TRUE(again.iniKeys("WebSites").empty());
  EXPECT_EQ(again.readIni("WebSitesCount", "Count", 32), "2");
}

TEST(KeyFileStore, SavesKeepKeysWrittenMeanwhileByAnotherProcess) {
  const TempFolder dir;
  KeyFileStore saver(dir.str());
  KeyFileStore dialog(dir.str());
  ASSERT_TRUE(dialog.writeNumber("DoBlur", 50));
  ASSERT_TRUE(saver.writeNumber("ImageNext", 4));
  const KeyFileStore after(dir.str());
  EXPECT_EQ(after.readNumber("DoBlur", 0), 50);
  EXPECT_EQ(after.readNumber("ImageNext", 0), 4);
}

TEST(KeyFileStore, BatchReachesTheFileOnlyAtItsEnd) {
  const TempFolder dir;
  KeyFileStore store(dir.str());
  {
    const ProfileBatch batch(store);
    store.writeNumber("A", 1);
    store.writeNumber("B", 2);
    EXPECT_FALSE(dir.exists("photo-warpix.conf"));
    EXPECT_EQ(store.readNumber("A", 0), 1);
  }
  const KeyFileStore again(dir.str());
  EXPECT_EQ(again.readNumber("A", 0), 1);
  EXPECT_EQ(again.readNumber("B", 0), 2);
}

TEST(KeyFileStore, DamagedFileReadsAsDefaultsAndIsNeverWrittenOver) {
  const TempFolder dir;
  const std::string damaged = "ImagePeriod=99\nthis line is no key file\n[Config\n";
  dir.write("photo-warpix.conf", damaged);
  KeyFileStore store(dir.str());
  EXPECT_EQ(store.readNumber("ImagePeriod", 30), 30);
  ASSERT_EQ(store.problems().size(), 1u);
  EXPECT_NE(store.problems()[0].find("photo-warpix.conf"), std::string::npos);
  EXPECT_FALSE(store.writeNumber("DoBlur", 3));
  {
    const ProfileBatch batch(store);
    store.writeText("Message0", "x");
  }
  EXPECT_EQ(dir.read("photo-warpix.conf"), damaged);
  // The list file is a separate file and still works.
  EXPECT_TRUE(store.writeIni("Warpix", "Folders", "/p*"));
  EXPECT_EQ(KeyFileStore(dir.str()).readIni("Warpix", "Folders", 100), "/p*");
  EXPECT_EQ(folderEntries(dir), (std::vector<std::string>{"Warpix.ini", "photo-warpix.conf"}));
}

TEST(KeyFileStore, ProblemNamesTheFileAndLineButNeverItsContents) {
  const std::string after = "; its settings read as defaults and it will not be overwritten";
  const struct {
    std::string contents;
    int line;
  } cases[] = {
      {"[Config]\nA=1\n\xff\xfe\x01secret\x80\n", 3},
      {"secret=1\n[Config]\n", 1},
      {"[Config]\n# note\n\nA=1\n[Config\n", 5},
      {"[Config]\nA=1\nsecret", 3},  // the last line has no newline
  };
  for (const auto& c : cases) {
    const TempFolder dir;
    dir.write("Warpix.ini", c.contents);
    const KeyFileStore store(dir.str());
    ASSERT_EQ(store.problems().size(), 1u) << c.line;
    EXPECT_EQ(store.problems()[0], dir.str() + "/Warpix.ini is damaged (line " + std::to_string(c.line) + ")" + after);
  }
  const TempFolder dir;
  std::filesystem::create_directory(dir.path() / "photo-warpix.conf");
  EXPECT_EQ(KeyFileStore(dir.str()).problems(),
            std::vector<std::string>{dir.str() + "/photo-warpix.conf cannot be read (Is a directory)" + after});
}

TEST(KeyFileStore, FileThatCannotBeReadIsNotReplaced) {
  const TempFolder dir;
  std::filesystem::create_directory(dir.path() / "Warpix.ini");
  KeyFileStore store(dir.str());
  EXPECT_EQ(store.problems().size(), 1u);
  EXPECT_FALSE(store.writeIni("Warpix", "Folders", "/p*"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Warpix.ini"));
  EXPECT_TRUE(store.writeNumber("DoBlur", 3));
}

TEST(KeyFileStore, FileDamagedAfterStartIsNotReplacedEither) {
  const TempFolder dir;
  KeyFileStore store(dir.str());
  ASSERT_TRUE(store.writeNumber("DoBlur", 3));
  dir.write("photo-warpix.conf", "garbage without group\n");
  EXPECT_FALSE(store.writeNumber("DoText", 4));
  EXPECT_EQ(dir.read("photo-warpix.conf"), "garbage without group\n");
  EXPECT_EQ(store.problems().size(), 1u);
}

}  // namespace
}  // namespace warpix
