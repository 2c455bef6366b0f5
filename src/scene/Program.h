#pragma once

#include <cstdint>
#include <string>

#include "app/Random.h"
#include "scene/RunMode.h"

namespace warpix {

class Clock;
class HttpFetcher;
class OnlineDetector;
class OperationLog;
class RegSettings;
class Trace;

// The few values that the whole program shares: the program-wide generator,
// the settings, the clock, the trace log and the photo and web clocks. One
// owner holds them and hands them to the scene and its operations, so two
// scenes can run side by side in one process. The running operation is the
// scene's own.
struct Program {
  Program(RegSettings& settings_, Clock& clock_, Trace& trace_, std::int32_t seed)
      : random(seed), settings(settings_), clock(clock_), trace(trace_) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Random random;
  RegSettings& settings;
  Clock& clock;
  Trace& trace;
  RunMode runMode = RunMode::FullScreen;

  // Calendar seconds of the last photo step and of the last web picture.
  std::int64_t lastPhotoTime = 0;
  std::int64_t lastWebImageTime = 0;
  std::int64_t lastNewImagesTime = 0;

  // The pictures shown when the chosen folders hold none; empty for no
  // such fallback.
  std::string samplesFolder;
  // Where downloads go (temp folder + "warpix-<process id>.tmp").
  std::string tempFilePath;
  // The web, when the program may use it: fetches, and whether the desktop
  // is on-line. Without a fetcher there is no crawler.
  HttpFetcher* http = nullptr;
  OnlineDetector* online = nullptr;
  // A render waits for each fetch the crawl polls, so it stays repeatable.
  bool waitForFetches = false;
  // The JSON-lines log of operations, when asked for.
  OperationLog* operationLog = nullptr;
};

}  // namespace warpix
