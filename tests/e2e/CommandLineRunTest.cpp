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
  std::string out;  // stdout, then stderr
  std::string err;  // stderr alone
};

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the program with `args` (already shell-quoted).
Result runWarpix(const std::string& args) {
  Result r;
  const TempFolder errFolder;
  const fs::path errFile = errFolder.path() / "stderr";
  const std::string command = std::string("'") + WARPIX_BINARY + "' " + args + " 2>'" + errFile.string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return r;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.err = slurp(errFile);
  r.out += r.err;
  return r;
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

TEST(WarpixRun, RecordsTheVersionItPrints) {
  TempFolder t;
  const Result version = runWarpix("--version");
  ASSERT_EQ(version.out.rfind("warpix ", 0), 0u) << version.out;
  const std::string printed = version.out.substr(7, version.out.find('\n') - 7);
  const Result r = runWarpix("--render '" + (t.path() / "out").string() + "' --config-dir '" +
                             (t.path() / "cfg").string() + "' --size 32x24 --operations 1");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(slurp(t.path() / "cfg" / "photo-warpix.conf").find("\nLastRunVersion=" + printed + "\n"),
            std::string::npos);
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
  std::ofstream(t.path() / "pics" / "broken.jpg") << "not a photo";
  const Result r = runWarpix("--print-settings --config-dir '" + (t.path() / "cfg").string() + "'");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("ImagePeriod = 0 (default 30)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"" + (t.path() / "pics").string() + "\"  2 pictures, 1 file skipped\n"
                       "      \"broken.jpg\": not a picture\n"),
            std::string::npos) << r.out;
  EXPECT_NE(r.out.find((t.path() / "cfg" / "Warpix.ini").string()), std::string::npos);

  // With no pictures in the folders, the build's own samples stand in.
  fs::remove_all(t.path() / "pics");
  const Result empty = runWarpix("--print-settings --config-dir '" + (t.path() / "cfg").string() + "'");
  const std::string said = "the saver shows the sample pictures from ";
  const std::size_t at = empty.out.find(said);
  ASSERT_NE(at, std::string::npos) << empty.out;
  const std::string samples = empty.out.substr(at + said.size(), empty.out.find(" instead", at) - at - said.size());
  EXPECT_TRUE(fs::exists(fs::path(samples) / "dawn.jpg")) << samples;
}

TEST(WarpixRun, PrintSettingsCreatesNoFolderAndNoFile) {
  TempFolder t;
  const fs::path fresh = t.path() / "fresh";
  const Result r = runWarpix("--print-settings --config-dir '" + fresh.string() + "'");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Settings file: " + (fresh / "photo-warpix.conf").string()), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(fresh));
}

TEST(WarpixRun, DamagedSettingsFileIsNamedOnceAndNeverEchoed) {
  TempFolder t;
  makeProfile(t);
  const fs::path conf = t.path() / "cfg" / "photo-warpix.conf";
  const std::string garbage = "[Config]\nDoImage=60\n\xff\xfe\x01zq-secret\x80\x9b\x1b[2J\n";
  std::ofstream(conf, std::ios::binary) << garbage;
  const std::string config = " --config-dir '" + (t.path() / "cfg").string() + "'";
  const std::string render = "--render '" + (t.path() / "out").string() + "' --size 64x48 --operations 1";
  for (const std::string& args : {render, std::string("--print-settings")}) {
    const Result r = runWarpix(args + config);
    EXPECT_EQ(r.status, 0) << args << ": " << r.out;
    EXPECT_NE(r.err.find("warpix: " + conf.string() + " is damaged (line 3);"), std::string::npos) << args << r.err;
    int naming = 0;
    for (auto at = r.err.find(conf.string()); at != std::string::npos; at = r.err.find(conf.string(), at + 1)) ++naming;
    EXPECT_EQ(naming, 1) << args << ": " << r.err;
    EXPECT_EQ(r.out.find("zq-secret"), std::string::npos) << args;
    EXPECT_EQ(r.out.find_first_of("\xff\xfe\x01\x80\x9b\x1b"), std::string::npos) << args;
  }
  EXPECT_EQ(slurp(conf), garbage);
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

TEST(WarpixRun, RenderThatCannotWriteItsPicturesSaysSoAndFails) {
  struct Case {
    const char* name;
    const char* dir;      // under the temporary folder
    const char* size;
    int blockedFrame;     // a folder stands where this picture belongs (0: none)
    const char* message;  // stderr holds "warpix: " + message
    int framesWritten;
  };
  const Case cases[] = {
      {"under a file", "file/sub", "64x48", 0, "cannot create the folder {dir}", 0},
      {"too large", "big", "16384x16384", 0, "cannot write pictures of 16384x16384 (at most 120000000 pixels)", 0},
      {"first picture", "out", "64x48", 1, "cannot write {dir}/0001.bmp (Is a directory)", 0},
      {"second picture", "out", "64x48", 2, "cannot write {dir}/0002.bmp (Is a directory)", 1},
  };
  for (const Case& c : cases) {
    TempFolder t;
    makeProfile(t);
    std::ofstream(t.path() / "file") << "x";
    const fs::path dir = t.path() / c.dir;
    char blocked[16];
    std::snprintf(blocked, sizeof blocked, "%04d.bmp", c.blockedFrame);
    if (c.blockedFrame > 0) fs::create_directories(dir / blocked);
    const Result r = runWarpix("--render '" + dir.string() + "' --config-dir '" + (t.path() / "cfg").string() +
                               "' --size " + c.size + " --operations 3");
    EXPECT_EQ(r.status, 1) << c.name;
    std::string message = c.message;
    if (const auto at = message.find("{dir}"); at != std::string::npos) message.replace(at, 5, dir.string());
    EXPECT_NE(r.err.find("warpix: " + message + "\n"), std::string::npos) << c.name << ": " << r.err;
    // Progress names only the pictures that are on disk.
    int listed = 0;
    for (auto at = r.err.find(" -> "); at != std::string::npos; at = r.err.find(" -> ", at + 1)) ++listed;
    EXPECT_EQ(listed, c.framesWritten) << c.name << ": " << r.err;
    for (int i = 1; i <= 3; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "%04d.bmp", i);
      EXPECT_EQ(fs::is_regular_file(dir / name), i <= c.framesWritten) << c.name << " " << name;
    }
    if (c.framesWritten == 0 && c.blockedFrame == 0) {
      EXPECT_FALSE(fs::exists(dir)) << c.name;
    }
  }
}

}  // namespace
}  // namespace warpix
