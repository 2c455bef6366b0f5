#include "raster/ImageCatalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/Random.h"
#include "raster/TempTree.h"

namespace warpix {
namespace {

using Names = std::vector<std::string>;

TEST(ImageCatalogue, SortedByFullPathUpperCaseFirst) {
  test::TempTree t;
  t.file("Zeta/a.jpg");
  t.file("Alpha/b.jpg");
  t.file("Alpha/A.jpg");
  t.file("Alpha/c.PNG");
  ImageCatalogue c;
  c.build({t.path("Zeta"), t.path("Alpha")});
  EXPECT_EQ(c.files(), (Names{t.path("Alpha/A.jpg"), t.path("Alpha/b.jpg"), t.path("Alpha/c.PNG"), t.path("Zeta/a.jpg")}));
}

TEST(ImageCatalogue, PicturePatternsAndNothingElse) {
  test::TempTree t;
  for (const char* name : {"1.jpg", "2.JPE", "3.jpeg", "4.png", "5.Bmp", "6.gif", "7.jpgx", "8.tif", "9.jpeg.txt",
                           "a.webp", "b.HEIC", "c.heif", "d.avif", "e.heics"})
    t.file(std::string("p/") + name);
  ImageCatalogue c;
  c.build({t.path("p")});
  // Each file once: "*.jpe" does not also pick up 3.jpeg.
  EXPECT_EQ(c.files(), (Names{t.path("p/1.jpg"), t.path("p/2.JPE"), t.path("p/3.jpeg"), t.path("p/4.png"),
                              t.path("p/5.Bmp"), t.path("p/a.webp"), t.path("p/b.HEIC"), t.path("p/c.heif"),
                              t.path("p/d.avif")}));
}

TEST(ImageCatalogue, TwiceListedFolderTwiceListedFilesAndMissingFoldersAddNothing) {
  test::TempTree t;
  t.file("p/x.jpg");
  ImageCatalogue c;
  c.build({t.path("p"), t.path("absent"), "", t.path("p") + "/"});
  EXPECT_EQ(c.files(), (Names{t.path("p/x.jpg"), t.path("p/x.jpg")}));
  c.build({});
  EXPECT_TRUE(c.empty());
}

class NextImage : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int k = 0; k < 10; ++k) tree_.file("p/" + std::to_string(k) + ".jpg");
    catalogue_.build({tree_.path("p")});
    ASSERT_EQ(catalogue_.files().size(), 10u);
  }
  std::string nth(int k) const { return tree_.path("p/" + std::to_string(k) + ".jpg"); }

  test::TempTree tree_;
  ImageCatalogue catalogue_;
  Random random_{7};
};

TEST_F(NextImage, AlphabeticalStepsFromTheStoredValue) {
  // {stored ImageNext, file shown, ImageNext after}, worked by hand: a value
  // at or past the last index (or negative, read unsigned) shows the tenth
  // file; the stored value then steps by one modulo 10, kept in 0..9
  // (INT32_MIN + 1 = -2147483647 = -214748365 x 10 + 3, so it becomes 3).
  struct Row {
    std::int32_t before;
    int shown;
    std::int32_t after;
  };
  const std::vector<Row> rows{{0, 0, 1},    {3, 3, 4},  {8, 8, 9},   {9, 9, 0},
                              {25, 9, 6},   {-1, 9, 0}, {-5, 9, 6},  {std::numeric_limits<std::int32_t>::max(), 9, 8},
                              {std::numeric_limits<std::int32_t>::min(), 9, 3}};
  for (const Row& row : rows) {
    std::int32_t next = row.before;
    const auto chosen = catalogue_.nextImageFile(ImageCatalogue::kAlphabeticalOrder, next, random_);
    EXPECT_EQ(chosen.path, nth(row.shown)) << "ImageNext " << row.before;
    EXPECT_EQ(next, row.after) << "ImageNext " << row.before;
    EXPECT_TRUE(chosen.imageNextWritten);
  }
  // Alphabetical order draws nothing from the program's generator.
  EXPECT_EQ(random_.next(), 884048336);  // first raw value of seed 7, tests/tools/ran3.py
}

TEST_F(NextImage, RandomOrderDrawsBelowCountAndKeepsImageNext) {
  // below(10) of seed 7 gives 8, 0, 8, 3 (tests/tools/ran3.py).
  std::int32_t next = 4;
  for (int expected : {8, 0, 8, 3}) {
    const auto chosen = catalogue_.nextImageFile(ImageCatalogue::kRandomOrder, next, random_);
    EXPECT_EQ(chosen.path, nth(expected));
    EXPECT_FALSE(chosen.imageNextWritten);
    EXPECT_EQ(next, 4);
  }
}

TEST(ImageCatalogueNext, EmptyListGivesNothingAndDrawsNothing) {
  ImageCatalogue c;
  Random random(7);
  std::int32_t next = 3;
  for (int order : {ImageCatalogue::kRandomOrder, ImageCatalogue::kAlphabeticalOrder}) {
    const auto chosen = c.nextImageFile(order, next, random);
    EXPECT_EQ(chosen.path, "");
    EXPECT_FALSE(chosen.imageNextWritten);
  }
  EXPECT_EQ(next, 3);
  EXPECT_EQ(random.next(), 884048336);
}

}  // namespace
}  // namespace warpix
