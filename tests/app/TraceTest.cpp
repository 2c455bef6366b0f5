#include "app/Trace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/headless/VirtualClock.h"

namespace warpix {
namespace {

namespace fs = std::filesystem;

class TraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("warpix-trace-" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "t");
    fs::create_directories(dir_ / "tend");
    saveEnv("TENDTEMP");
    saveEnv("TEMP");
    ::setenv("TEMP", (dir_ / "t").c_str(), 1);
    ::unsetenv("TENDTEMP");
  }
  void TearDown() override {
    for (auto& [name, value] : saved_) {
      if (value.empty()) ::unsetenv(name.c_str());
      else ::setenv(name.c_str(), value.c_str(), 1);
    }
    fs::remove_all(dir_);
  }
  void saveEnv(const char* name) {
    const char* v = std::getenv(name);
    saved_.emplace_back(name, v != nullptr ? v : "");
  }
  static std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  fs::path dir_;
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(TraceTest, LinesCarryTheLapTimeAndEndInCrLf) {
  VirtualClock clock;
  Trace trace(clock);
  trace.traceLine("first");
  clock.sleepMs(1234);
  trace.traceLine(traceSite("Scenewnd", 694, " : gApp.rand.seed() = ") + "42");
  // The first entry's lap is "about 0": its timer starts with that entry.
  const std::string text = read(dir_ / "t" / "trace.txt");
  EXPECT_TRUE(text.rfind("         0: first\r\n", 0) == 0 || text.rfind("         1: first\r\n", 0) == 0) << text;
  EXPECT_EQ(text.substr(19), "      1234: .\\Scenewnd.cpp line 694 : gApp.rand.seed() = 42\r\n");
}

TEST_F(TraceTest, TendtempWinsOverTempAndTheFirstEntryEmptiesAnOldLog) {
  ::setenv("TENDTEMP", (dir_ / "tend").c_str(), 1);
  EXPECT_EQ(Trace::traceFilePath(), (dir_ / "tend" / "trace.txt").string());
  std::ofstream(dir_ / "tend" / "trace.txt") << "left over from an earlier run\n";
  VirtualClock clock;
  Trace trace(clock);
  trace.traceFormat("%s=%d", "x", 5);
  clock.sleepMs(20);
  trace.traceFormat("%s=%d", "y", 6);
  EXPECT_EQ(read(dir_ / "tend" / "trace.txt").substr(10), ": x=5\r\n        20: y=6\r\n");
  // Asked for a fresh file, the next entry starts over.
  trace.startNewTraceFile();
  clock.sleepMs(3);
  trace.traceLine("again");
  EXPECT_EQ(read(dir_ / "tend" / "trace.txt").substr(10), ": again\r\n");
}

TEST_F(TraceTest, NoFolderMeansTheTempFolderNeverTheRoot) {
  ::unsetenv("TEMP");
  const char* tmpdir = std::getenv("TMPDIR");
  const std::string expected = std::string(tmpdir != nullptr && *tmpdir ? tmpdir : "/tmp");
  EXPECT_EQ(Trace::traceFolder(), expected);
  EXPECT_NE(Trace::traceFilePath(), "/trace.txt");
}

TEST_F(TraceTest, OverlongFormatsAreReplaced) {
  VirtualClock clock;
  Trace trace(clock);
  const std::string longFormat(1024, 'a');
  trace.traceFormat("%s", longFormat.c_str());  // the text is long, the format is not
  const std::string exact(1023, 'b');
  trace.traceFormat(exact.c_str(), 0);
  trace.traceFormat(longFormat.c_str(), 0);
  const std::string text = read(dir_ / "t" / "trace.txt");
  std::istringstream lines(text);
  std::string a, b, c;
  std::getline(lines, a);
  std::getline(lines, b);
  std::getline(lines, c);
  EXPECT_EQ(a.size(), 12u + 1023u + 1u);  // cut to the buffer, with CR
  EXPECT_EQ(b.substr(10), ": " + exact + "\r");
  EXPECT_EQ(c.substr(10), ": Trace string too long\r");
}

TEST_F(TraceTest, LinesFromTwoThreadsNeverInterleave) {
  VirtualClock clock;
  Trace trace(clock);
  const std::string a(300, 'a'), b(300, 'b');
  std::thread t1([&] { for (int i = 0; i < 200; ++i) trace.traceLine(a); });
  std::thread t2([&] { for (int i = 0; i < 200; ++i) trace.traceFormat("%s", b.c_str()); });
  t1.join();
  t2.join();
  std::istringstream lines(read(dir_ / "t" / "trace.txt"));
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    ASSERT_EQ(line.size(), 12u + 300u + 1u);
    const std::string body = line.substr(12, 300);
    EXPECT_TRUE(body == a || body == b);
  }
  EXPECT_EQ(count, 400);
}

TEST_F(TraceTest, AnUnwritableFolderLosesTheEntryQuietly) {
  ::setenv("TENDTEMP", (dir_ / "missing" / "deeper").c_str(), 1);
  VirtualClock clock;
  Trace trace(clock);
  trace.traceLine("lost");
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
}

}  // namespace
}  // namespace warpix
