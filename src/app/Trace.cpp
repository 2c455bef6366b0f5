#include "app/Trace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Clock.h"

namespace warpix {

namespace {
std::string envOrEmpty(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? std::string(v) : std::string();
}
}  // namespace

Trace::Lap::Lap(Clock& clock) : clock_(clock) {
  // A counter slower than 1 kHz cannot time milliseconds: treat it as absent.
  const std::int64_t frequency = clock.counterFrequency();
  countsPerMs_ = frequency >= 1000 ? frequency / 1000 : 0;
  start_ = countsPerMs_ > 0 ? clock.counter() : clock.processMs();
}

std::int64_t Trace::Lap::next() {
  if (countsPerMs_ == 0) {
    const std::uint32_t now = clock_.processMs();
    const std::int64_t t = static_cast<std::uint32_t>(now - static_cast<std::uint32_t>(start_));
    start_ = now;
    return t;
  }
  const std::int64_t now = clock_.counter();
  const std::int64_t t = (now - start_) / countsPerMs_;
  start_ = now;
  return t;
}

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
  write(lineLap_, text);
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
  write(formatLap_, text);
}

// Called with the lock held, so lines from two threads never interleave.
void Trace::write(std::unique_ptr<Lap>& lap, const std::string& text) {
  if (!lap) lap = std::make_unique<Lap>(clock_);
  const std::string path = traceFilePath();
  std::FILE* file = std::fopen(path.c_str(), newFile_ ? "wb" : "ab");
  if (file == nullptr) return;
  newFile_ = false;
  const std::int64_t t = lap->next();
  std::fprintf(file, "%10d: %s\r\n", static_cast<int>(t), text.c_str());
  std::fclose(file);
}

std::string traceSite(const char* source, int line, const char* label) {
  return std::string(".\\") + source + ".cpp line " + std::to_string(line) + label;
}

}  // namespace warpix
