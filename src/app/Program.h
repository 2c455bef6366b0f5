#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "app/Random.h"

namespace warpix {

class Clock;
class OperationLog;
class RegSettings;
class Saver;
class Trace;

// The few values that the whole program shares: the program-wide generator,
// the settings, the clock, the trace log, the current drawing operation and
// the photo and web clocks. One owner holds them and hands them to the scene
// and its operations, so two scenes can run side by side in one process.
struct Program {
  Program(RegSettings& settings, Clock& clock, Trace& trace, std::int32_t seed);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Random random;
  RegSettings& settings;
  Clock& clock;
  Trace& trace;
  RunMode runMode = RunMode::FullScreen;

  // The one current operation; the scene replaces it, the program's end
  // deletes it.
  std::unique_ptr<Saver> currentOperation;
  // Calendar seconds of the last photo step and of the last web picture.
  std::int64_t lastPhotoTime = 0;
  std::int64_t lastWebImageTime = 0;
  std::int64_t lastNewImagesTime = 0;

  // Where downloads go (temp folder + "warpix.tmp").
  std::string tempFilePath;
  // The JSON-lines log of operations, when asked for.
  OperationLog* operationLog = nullptr;
};

}  // namespace warpix
