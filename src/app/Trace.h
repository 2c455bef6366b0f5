#pragma once

#include <cstdarg>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace warpix {

class Clock;

// The diagnostic log of a running saver, which has no other way to report.
// Each entry is one line: the milliseconds since the previous entry of the
// same kind, then the text. The file is opened and closed for every entry so
// that it survives a crash up to its last line.
class Trace {
 public:
  static constexpr std::size_t kBufferSize = 1024;

  explicit Trace(Clock& clock);
  ~Trace();
  Trace(const Trace&) = delete;
  Trace& operator=(const Trace&) = delete;

  // Call sites test this before they build an entry.
  bool on() const { return on_; }
  void setOn(bool on) { on_ = on; }

  void traceLine(const std::string& text);
  void traceFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void startNewTraceFile();

  // TENDTEMP, then TEMP, then TMPDIR, then /tmp: never the root folder.
  static std::string traceFolder();
  static std::string traceFilePath();

 private:
  // Milliseconds since the previous entry of one kind, timed like the
  // scene's interval timer: the high-resolution counter, or the process
  // clock where there is none. Started at the kind's first entry.
  class Lap {
   public:
    explicit Lap(Clock& clock);
    std::int64_t next();

   private:
    Clock& clock_;
    std::int64_t countsPerMs_;
    std::int64_t start_;
  };

  void write(std::unique_ptr<Lap>& lap, const std::string& text);

  Clock& clock_;
  bool on_ = false;
  std::mutex mutex_;
  bool newFile_ = true;
  std::unique_ptr<Lap> lineLap_;
  std::unique_ptr<Lap> formatLap_;
};

// The entry shape most call sites use: ".\Source.cpp line N : label = value".
std::string traceSite(const char* source, int line, const char* label);

}  // namespace warpix
