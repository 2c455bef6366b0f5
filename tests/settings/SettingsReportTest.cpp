#include "settings/SettingsReport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/TempFolder.h"
#include "platform/linux/KeyFileStore.h"
#include "settings/FakeShell.h"
#include "settings/RegSettings.h"

namespace warpix {
namespace {

using testing::FakeShell;
using testing::TempFolder;

bool hasLine(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(SettingsReport, ShowsValuesDefaultsListsAndFiles) {
  const TempFolder dir;
  dir.write("photo-warpix.conf", "[Config]\nImagePeriod=90\nDoImage=500\nMessage3=say \"hi\"\\nthere\n");
  std::filesystem::create_directory(dir.path() / "pics");
  dir.write("Warpix.ini", "[Warpix]\nFolders=" + dir.str() + "/pics*/p/b*" + dir.str() + "/Warpix.ini*\n");
  KeyFileStore store(dir.str());
  const FakeShell shell;
  RegSettings settings(store, shell);
  settings.load(false);
  const std::string text = settingsReport(settings, store);
  EXPECT_TRUE(hasLine(text, "ImagePeriod = 90 (default 30)")) << text;
  EXPECT_TRUE(hasLine(text, "DoImage = 100 (default 30)")) << text;
  EXPECT_TRUE(hasLine(text, "DoMangle = 75 (default 75)")) << text;
  EXPECT_TRUE(hasLine(text, "InstallFolder = \"\" (default \"\")")) << text;
  EXPECT_TRUE(hasLine(text, "Message3 = \"say \\\"hi\\\"\\nthere\" (default \"\")")) << text;
  // A folder no photo can come from says why.
  EXPECT_TRUE(hasLine(text, "Folders (3):")) << text;
  EXPECT_TRUE(hasLine(text, "  \"" + dir.str() + "/pics\"  no pictures")) << text;
  EXPECT_TRUE(hasLine(text, "  \"/p/b\"  (missing)")) << text;
  EXPECT_TRUE(hasLine(text, "  \"" + dir.str() + "/Warpix.ini\"  (not a folder)")) << text;
  EXPECT_TRUE(hasLine(text, "WebSites (0):")) << text;
  EXPECT_TRUE(hasLine(text, "Settings file: " + dir.str() + "/photo-warpix.conf")) << text;
  EXPECT_TRUE(hasLine(text, "Lists file: " + dir.str() + "/Warpix.ini")) << text;
  EXPECT_EQ(text.find("Warning"), std::string::npos) << text;
  // 27 numbers and texts, then the nine messages.
  std::size_t defaults = 0;
  for (auto at = text.find(" (default "); at != std::string::npos; at = text.find(" (default ", at + 1)) ++defaults;
  EXPECT_EQ(defaults, 27u + 9u);
}

TEST(SettingsReport, CountsEachFolderAndSaysWhyFilesAreSkippedAndWhenTheSamplesStandIn) {
  const TempFolder dir;
  const auto folder = [&](const std::string& name, int pictures, const std::vector<std::string>& others) {
    std::filesystem::create_directory(dir.path() / name);
    for (int i = 0; i < pictures; ++i) dir.write(name + "/p" + std::to_string(i) + ".bmp", "BM");
    for (const std::string& other : others) dir.write(name + "/" + other, "text");
    return dir.str() + "/" + name;
  };
  const std::string good = folder("good", 2, {}), mixed = folder("mixed", 1, {"a.jpg", "b.txt", "c.tiff", "d.png"}),
                    none = folder("none", 0, {"x.txt"}), samples = folder("samples", 1, {});
  KeyFileStore store(dir.str());
  const FakeShell shell;
  RegSettings settings(store, shell);
  settings.load(false);
  settings.setFolders({good, mixed});
  const std::string text = settingsReport(settings, store, samples);
  EXPECT_TRUE(hasLine(text, "  \"" + good + "\"  2 pictures")) << text;
  EXPECT_TRUE(hasLine(text, "  \"" + mixed + "\"  1 picture, 4 files skipped")) << text;
  EXPECT_TRUE(hasLine(text, "      \"a.jpg\": not a picture")) << text;
  EXPECT_TRUE(hasLine(text, "      \"c.tiff\": unsupported (.tiff files)")) << text;
  EXPECT_TRUE(hasLine(text, "      and 1 more")) << text;
  EXPECT_EQ(text.find("No pictures found"), std::string::npos) << text;
  // The look stops at its budget and says so.
  const std::string capped = settingsReport(settings, store, samples, 3);
  EXPECT_TRUE(hasLine(capped, "  \"" + mixed + "\"  no pictures, 1 file skipped, then the look stopped (the look "
                              "opens at most 3 files)")) << capped;
  // Folders without pictures: the samples stand in when there are any.
  settings.setFolders({none});
  EXPECT_NE(settingsReport(settings, store, samples)
                .find("No pictures found in the listed folders: the saver shows the sample pictures from " + samples),
            std::string::npos);
  EXPECT_NE(settingsReport(settings, store, none).find("no sample pictures to show instead"), std::string::npos);
  // Files the saver would try, none of which it can show: no samples then.
  settings.setFolders({mixed, none});
  dir.write("mixed/p0.bmp", "text");
  const std::string broken = settingsReport(settings, store, samples);
  EXPECT_NE(broken.find("None of the files the saver would try can be shown"), std::string::npos) << broken;
  EXPECT_EQ(broken.find("sample pictures"), std::string::npos) << broken;
}

TEST(SettingsReport, WarnsAboutAFileItCouldNotRead) {
  const TempFolder dir;
  dir.write("Warpix.ini", "not a key file\n");
  KeyFileStore store(dir.str());
  const FakeShell shell;
  RegSettings settings(store, shell);
  settings.load(false);
  const std::string text = settingsReport(settings, store);
  EXPECT_NE(text.find("Warning: " + dir.str() + "/Warpix.ini is damaged (line 1)"), std::string::npos) << text;
}

}  // namespace
}  // namespace warpix
