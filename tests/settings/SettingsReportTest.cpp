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
  EXPECT_TRUE(hasLine(text, "  \"" + dir.str() + "/pics\"")) << text;
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
