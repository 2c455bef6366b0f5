#include "raster/FolderCensus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "raster/PictureFiles.h"
#include "raster/TempTree.h"

namespace warpix {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(FolderCensus, JudgesEachFileByNameAndFirstBytes) {
  const test::TempTree t;
  const std::string dir = t.dir("p");
  const auto picture = [](int w, int h) {
    return testing::Raster::rgb(w, h, [](int x, int y) { return testing::Rgb{x, y, 7}; });
  };
  testing::writePng(dir + "/real.png", picture(8, 6), 2);
  testing::writeJpeg(dir + "/real.JPE", picture(8, 6));
  testing::writePng(dir + "/png-inside.jpg", picture(8, 6), 2);
  testing::writeBytes(dir + "/head-only.bmp", bytesOf("BM"));  // damaged past the signature: still counted
  struct Case {
    const char* name;
    std::string contents;  // empty: written elsewhere, or no file at all
    const char* reason;
  } cases[] = {
      {"real.png", "", ""},
      {"real.JPE", "", ""},
      {"head-only.bmp", "", ""},
      {"png-inside.jpg", "", "unsupported (a PNG picture under this name)"},
      {"text.jpg", "just some words", "not a picture"},
      {"empty.png", "", "not a picture"},
      {"web.jpg", std::string("RIFF\x10\0\0\0WEBPVP8 ", 16), "unsupported (a WebP picture under this name)"},
      {"phone.heic", std::string("\0\0\0\x18" "ftypheic", 12), ""},
      {"still.avif", std::string("\0\0\0\x1c" "ftypavif", 12), ""},
      {"generic.jpeg", std::string("\0\0\0\x1c" "ftypmif1", 12), "unsupported (a HEIF picture under this name)"},
      {"anim.gif", "GIF89a", "unsupported (GIF)"},
      {"IMG_0001", "\xFF\xD8\xFF\xE0", "unsupported (a JPEG picture under this name)"},
      {"notes.txt", "shopping list", "not a picture"},
      {"missing.tiff", "", "unsupported (.tiff files)"},  // a link to nowhere
      {"gone.jpg", "", "unreadable"},                     // a link to nowhere
      {"folder.png", "", "unreadable"},                   // a folder under a picture's name
  };
  for (const Case& c : cases) {
    const std::string path = dir + "/" + c.name;
    const std::string name = c.name;
    if (name == "empty.png") testing::writeBytes(path, {});
    else if (name == "folder.png") fs::create_directory(path);
    else if (name == "missing.tiff" || name == "gone.jpg") fs::create_symlink(dir + "/nowhere", path);
    else if (!c.contents.empty()) testing::writeBytes(path, bytesOf(c.contents));
    EXPECT_EQ(FolderCensus::skipReason(path), c.reason) << c.name;
  }

  // The folder's count: hidden files and plain subfolders are no files of
  // it; the reasons named are the first ones in name order.
  fs::create_directory(dir + "/sub");
  testing::writeBytes(dir + "/.directory", bytesOf("[Desktop Entry]"));
  FolderCensus census;
  const FolderCensus::Count count = census.count(dir);
  EXPECT_EQ(count.pictures, 5);
  EXPECT_EQ(count.skipped, static_cast<int>(std::size(cases)) - 5);
  EXPECT_EQ(count.looked, static_cast<int>(std::size(cases)));
  EXPECT_FALSE(count.capped);
  ASSERT_EQ(count.firstSkips.size(), FolderCensus::kReasonsKept);
  EXPECT_EQ(count.firstSkips[0].name, "IMG_0001");
  EXPECT_EQ(count.firstSkips[1].name, "anim.gif");
  EXPECT_EQ(count.firstSkips[1].reason, "unsupported (GIF)");
}

TEST(FolderCensus, TheBudgetOfFilesOpenedRunsOverAllFolders) {
  const test::TempTree t;
  for (int i = 0; i < 5; ++i) t.file("a/" + std::to_string(i) + ".txt");
  for (int i = 0; i < 3; ++i) t.file("b/" + std::to_string(i) + ".txt");
  t.file("c/x.jpg");
  FolderCensus census(6);
  const FolderCensus::Count a = census.count(t.path("a")), b = census.count(t.path("b")),
                            c = census.count(t.path("c"));
  EXPECT_EQ(a.looked, 5);
  EXPECT_FALSE(a.capped);
  EXPECT_EQ(b.looked, 1);
  EXPECT_EQ(b.skipped, 1);
  EXPECT_TRUE(b.capped);
  EXPECT_EQ(c.looked, 0);
  EXPECT_TRUE(c.capped);
  // An empty or missing folder is no reason to say the look stopped.
  const FolderCensus::Count none = census.count(t.path("missing"));
  EXPECT_EQ(none.looked, 0);
  EXPECT_FALSE(none.capped);
}

}  // namespace
}  // namespace warpix
