#include "raster/teFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "raster/TempTree.h"

namespace warpix {
namespace {

using Names = std::vector<std::string>;
namespace fs = std::filesystem;

TEST(WildcardMatch, StarsQuestionMarksAndCase) {
  EXPECT_TRUE(wildcardMatch("*.jpg", "IMG_0001.JPG"));
  EXPECT_TRUE(wildcardMatch("*.JPG", "holiday.jpg"));
  EXPECT_TRUE(wildcardMatch("*.jpg", "a.b.jpg"));
  EXPECT_TRUE(wildcardMatch("*.jpg", ".jpg"));
  EXPECT_TRUE(wildcardMatch("*", ""));
  EXPECT_TRUE(wildcardMatch("img_????.jpg", "IMG_0042.jpg"));
  EXPECT_FALSE(wildcardMatch("img_????.jpg", "IMG_042.jpg"));
  EXPECT_TRUE(wildcardMatch("a*b*c", "axxbyybzzc"));
  EXPECT_FALSE(wildcardMatch("a*b*c", "axxbyybzz"));
  // An extension pattern matches that extension only, not a longer one.
  EXPECT_FALSE(wildcardMatch("*.jpe", "x.jpeg"));
  EXPECT_FALSE(wildcardMatch("*.jpg", "x.jpgx"));
  EXPECT_FALSE(wildcardMatch("*.jpeg", "x.jpg"));
  EXPECT_FALSE(wildcardMatch("*.jpg", "jpg"));
}

TEST(teFolder, TrailingSlashesAreDropped) {
  EXPECT_EQ(teFolder("/photos/").path(), "/photos");
  EXPECT_EQ(teFolder("/photos//").path(), "/photos");
  EXPECT_EQ(teFolder("/").path(), "/");
  EXPECT_EQ(teFolder("//").path(), "/");
}

TEST(teFolder, ScanFilesPatternByPatternWhateverTheCase) {
  test::TempTree t;
  for (const char* name : {"b.jpg", "IMG_0001.JPG", "a.jpeg", "c.png", "notes.txt", ".hidden.jpg", "x.jpgx"})
    t.file(std::string("pics/") + name);
  t.dir("pics/folder.jpg");  // every match counts, folders too
  teFolder folder(t.path("pics"));
  EXPECT_EQ(folder.scanFiles("*.jpg *.png"), 5);
  // Byte order within a pattern, patterns in the order given.
  EXPECT_EQ(folder.files(), (Names{".hidden.jpg", "IMG_0001.JPG", "b.jpg", "folder.jpg", "c.png"}));
  EXPECT_EQ(folder.scanFiles("*.jpeg", nullptr, true), 1);
  EXPECT_EQ(folder.files().back(), "a.jpeg");

  teFolder lower(t.path("pics"));
  lower.scanFiles("IMG*", nullptr, true);
  EXPECT_EQ(lower.files(), (Names{"img_0001.jpg"}));
}

TEST(teFolder, TrailingSlashScansTheSameFiles) {
  test::TempTree t;
  t.file("p/one.jpg");
  t.file("p/two.jpg");
  teFolder plain(t.path("p")), slashed(t.path("p") + "/");
  plain.scanFiles("*.jpg");
  slashed.scanFiles("*.jpg");
  EXPECT_EQ(plain.files(), slashed.files());
  std::vector<std::string> a, b;
  plain.appendPaths(a);
  slashed.appendPaths(b);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.front(), t.path("p") + "/one.jpg");
}

TEST(teFolder, MissingEmptyAndStoppedScansFindNothing) {
  test::TempTree t;
  t.file("p/one.jpg");
  teFolder missing(t.path("absent"));
  EXPECT_EQ(missing.scanFiles("*.jpg"), 0);
  EXPECT_FALSE(missing.hasFiles("*.jpg"));
  EXPECT_EQ(missing.scanSubfolders(), 0);
  // An empty name is no folder at all, never the root or the working folder.
  teFolder empty("");
  EXPECT_EQ(empty.scanFiles("*"), 0);
  EXPECT_EQ(empty.scanSubfolders(), 0);

  const std::atomic<bool> stopped{false};
  teFolder p(t.path("p"));
  EXPECT_EQ(p.scanFiles("*.jpg", &stopped), 0);
  EXPECT_FALSE(p.hasFiles("*.jpg", &stopped));
  const std::atomic<bool> going{true};
  EXPECT_TRUE(p.hasFiles("*.png *.JPG", &going));
  EXPECT_FALSE(p.hasFiles("*.png *.bmp", &going));
}

TEST(teFolder, PipesAreNotListed) {
  test::TempTree t;
  t.file("p/real.jpg");
  ASSERT_EQ(mkfifo(t.path("p/pipe.jpg").c_str(), 0600), 0);
  teFolder p(t.path("p"));
  EXPECT_EQ(p.scanFiles("*.jpg"), 1);
  EXPECT_EQ(p.files(), (Names{"real.jpg"}));
}

TEST(teFolder, SubfoldersSkipDotNamesAndFiles) {
  test::TempTree t;
  t.dir("p/beta");
  t.dir("p/Alpha");
  t.dir("p/.cache");
  t.file("p/file.jpg");
  teFolder p(t.path("p"));
  EXPECT_EQ(p.scanSubfolders(), 2);
  EXPECT_EQ(p.nextSubfolder(), t.path("p/Alpha"));
  EXPECT_EQ(p.nextSubfolder(), t.path("p/beta"));
  EXPECT_EQ(p.nextSubfolder(), "");
  EXPECT_EQ(p.nextSubfolder(), "");
}

struct Search {
  std::vector<std::string> found;
  std::vector<std::string> statuses;
};

Search searchUnder(const std::string& root, const std::atomic<bool>* running = nullptr) {
  Search s;
  teFolder(root).searchTree(
      "*.jpg *.jpeg *.bmp *.png", s.found, [&](const std::string& p) { s.statuses.push_back(p); }, running);
  return s;
}

TEST(teFolderSearch, DepthFirstAndNeverIntoDotFolders) {
  test::TempTree t;
  t.file("r/a/one.jpg");
  t.dir("r/a/b");
  t.file("r/a/b/c/two.PNG");
  t.file("r/.thumbs/three.jpg");
  t.file("r/z/notes.txt");
  const Search s = searchUnder(t.path("r"));
  EXPECT_EQ(s.found, (Names{t.path("r/a"), t.path("r/a/b/c")}));
  EXPECT_EQ(s.statuses, (Names{t.path("r"), t.path("r/a"), t.path("r/a/b"), t.path("r/a/b/c"), t.path("r/z")}));
}

TEST(teFolderSearch, SymbolicLinkLoopEnds) {
  test::TempTree t;
  t.file("r/a/one.jpg");
  fs::create_directory_symlink(t.path("r"), t.path("r/a/back"));
  fs::create_directory_symlink(t.path("r/a"), t.path("r/a/self"));
  const Search s = searchUnder(t.path("r"));
  EXPECT_EQ(s.found, (Names{t.path("r/a")}));
  EXPECT_EQ(s.statuses.size(), 2u);
}

TEST(teFolderSearch, ClearingTheRunningFlagStopsTheWalk) {
  test::TempTree t;
  for (const char* d : {"r/a/x.jpg", "r/b/x.jpg", "r/c/x.jpg", "r/d/x.jpg"}) t.file(d);
  std::atomic<bool> running{true};
  std::vector<std::string> found;
  int entered = 0;
  teFolder(t.path("r")).searchTree(
      "*.jpg", found,
      [&](const std::string&) {
        if (++entered == 3) running = false;
      },
      &running);
  EXPECT_EQ(entered, 3);
  EXPECT_EQ(found, (Names{t.path("r/a")}));  // r/b was entered as the flag fell
  const std::atomic<bool> stopped{false};
  EXPECT_TRUE(searchUnder(t.path("r"), &stopped).statuses.empty());
}

TEST(teFolderSearch, UnreadableFolderIsPassedOver) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  test::TempTree t;
  t.file("r/locked/x.jpg");
  t.file("r/open/y.jpg");
  fs::permissions(t.path("r/locked"), fs::perms::none);
  const Search s = searchUnder(t.path("r"));
  EXPECT_EQ(s.found, (Names{t.path("r/open")}));
  teFolder locked(t.path("r/locked"));
  EXPECT_EQ(locked.scanFiles("*.jpg"), 0);
}

}  // namespace
}  // namespace warpix
