// Runs the built program as a user would and checks what it prints, which
// files it writes and how it exits.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/TempFolder.h"
#include "raster/PictureFiles.h"

namespace warpix {
namespace {

namespace fs = std::filesystem;
using testing::Raster;
using testing::Rgb;
using testing::TempFolder;

struct Result {
  int status = -1;
  std::string out;
};

// Runs the program with `args` (already shell-quoted), stdout and stderr
// together.
Result runWarpix(const std::string& args) {
  Result r;
  const std::string command = std::string("'") + WARPIX_BINARY + "' " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return r;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A config folder whose folder list names a folder of generated pictures.
void makeProfile(const TempFolder& t) {
  fs::create_directories(t.path() / "pics");
  fs::create_directories(t.path() / "cfg");
  testing::writePng((t.path() / "pics" / "a.png").string(),
                    Raster::rgb(120, 80, [](int x, int y) { return Rgb{x * 2, y * 3, 90}; }), 2);
  testing::writeJpeg((t.path() / "pics" / "b.jpg").string(),
                     Raster::rgb(200, 150, [](int x, int y) { return Rgb{250 - x, 40, y}; }));
  std::ofstream(t.path() / "cfg" / "Warpix.ini") << "[Warpix]\nFolders=" << (t.path() / "pics").string() << "*\n";
  std::ofstream(t.path() / "cfg" / "photo-warpix.conf") << "[Config]\nImagePeriod=0\nDoImage=60\n";
}

TEST(WarpixRun, HelpVersionAndBadOptions) {
  const Result help = runWarpix("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--render DIR"), std::string::npos);
  const Result version = runWarpix("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("warpix ", 0), 0u);
  const Result bad = runWarpix("--no-such-option");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.out.find("unknown option '--no-such-option'"), std::string::npos);
  EXPECT_NE(bad.out.find("Usage:"), std::string::npos);
}

TEST(WarpixRun, PreviewAndPasswordSwitchesEndAtOnce) {
  TempFolder t;
  for (const char* args : {"/p 1234", "-a", "/a 55"}) {
    const Result r = runWarpix(std::string(args) + " --config-dir '" + t.str() + "'");
    EXPECT_EQ(r.status, 0) << args;
    EXPECT_TRUE(r.out.empty()) << args << ": " << r.out;
  }
}

TEST(WarpixRun, PrintSettingsShowsValuesDefaultsAndFiles) {
  TempFolder t;
  makeProfile(t);
  const Result r = runWarpix("--print-settings --config-dir '" + (t.path() / "cfg").string() + "'");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("ImagePeriod = 0 (default 30)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find((t.path() / "pics").string()), std::string::npos);
  EXPECT_NE(r.out.find((t.path() / "cfg" / "Warpix.ini").string()), std::string::npos);
}

TEST(WarpixRun, RenderIsByteIdenticalForASeed) {
  TempFolder t;
  makeProfile(t);
  const std::string common = " --config-dir '" + (t.path() / "cfg").string() + "' --size 320x200 --operations 6 ";
  const Result a = runWarpix("--render '" + (t.path() / "a").string() + "'" + common + "--seed 7 --log-ops '" +
                             (t.path() / "a.jsonl").string() + "'");
  const Result b = runWarpix("--render '" + (t.path() / "b").string() + "'" + common + "-r 7 --log-ops '" +
                             (t.path() / "b.jsonl").string() + "'");
  ASSERT_EQ(a.status, 0) << a.out;
  ASSERT_EQ(b.status, 0) << b.out;
  for (int i = 1; i <= 6; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d.bmp", i);
    const std::string fa = slurp(t.path() / "a" / name), fb = slurp(t.path() / "b" / name);
    ASSERT_EQ(fa.size(), 54u + 320u * 200u * 4u) << name;
    EXPECT_TRUE(fa == fb) << name;
  }
  EXPECT_FALSE(fs::exists(t.path() / "a" / "0007.bmp"));
  EXPECT_EQ(slurp(t.path() / "a.jsonl"), slurp(t.path() / "b.jsonl"));
  const std::string log = slurp(t.path() / "a.jsonl");
  EXPECT_EQ(log.rfind("{\"seed\": 7, \"width\": 320, \"height\": 200, \"palette\": [", 0), 0u) << log;
  EXPECT_NE(log.find("{\"op\": 1, \"kind\": \"Bitmap\", \"seed\": "), std::string::npos);

  // Another seed gives another run.
  const Result c = runWarpix("--render '" + (t.path() / "c").string() + "'" + common + "--seed 8");
  ASSERT_EQ(c.status, 0);
  EXPECT_FALSE(slurp(t.path() / "c" / "0001.bmp") == slurp(t.path() / "a" / "0001.bmp"));
}

TEST(WarpixRun, RenderIntoAnUnwritablePlaceFailsClearly) {
  TempFolder t;
  std::ofstream(t.path() / "file") << "x";
  const Result r = runWarpix("--render '" + (t.path() / "file" / "sub").string() + "' --config-dir '" + t.str() +
                             "' --operations 1");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("cannot create the folder"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace warpix
