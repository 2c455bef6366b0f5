#include "app/Trace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "scene/teTimer.h"

namespace warpix {

namespace {
std::string envOrEmpty(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? std::string(v) : std::string();
}
}  // namespace

Trace::Trace(Clock& clock) : clock_(clock) {}
Trace::~Trace() = default;

std::string Trace::traceFolder() {
  for (const char* name : {"TENDTEMP", "TEMP", "TMPDIR"}) {
    std::string v = envOrEmpty(name);
    if (!v.empty()) return v;
  }
  return "/tmp";
}

std::string Trace::traceFilePath() {
  std::string folder = traceFolder();
  if (folder.back() != '/') folder += '/';
  return folder + "trace.txt";
}

void Trace::startNewTraceFile() {
  const std::lock_guard<std::mutex> lock(mutex_);
  newFile_ = true;
}

void Trace::traceLine(const std::string& text) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!lineTimer_) lineTimer_ = std::make_unique<teTimer>(clock_);
  write(*lineTimer_, text);
}

void Trace::traceFormat(const char* format, ...) {
  std::string text;
  if (std::strlen(format) > kBufferSize - 1) {
    text = "Trace string too long";
  } else {
    char buffer[kBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    text = buffer;
  }
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!formatTimer_) formatTimer_ = std::make_unique<teTimer>(clock_);
  write(*formatTimer_, text);
}

// Called with the lock held, so lines from two threads never interleave.
void Trace::write(teTimer& timer, const std::string& text) {
  const std::string path = traceFilePath();
  std::FILE* file = std::fopen(path.c_str(), newFile_ ? "wb" : "ab");
  if (file == nullptr) return;
  newFile_ = false;
  const long long t = timer.lap();
  std::fprintf(file, "%10d: %s\r\n", static_cast<int>(t), text.c_str());
  std::fclose(file);
}

std::string traceSite(const char* source, int line, const char* label) {
  return std::string(".\\") + source + ".cpp line " + std::to_string(line) + label;
}

}  // namespace warpix
