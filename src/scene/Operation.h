#pragma once

#include <cstdint>

namespace warpix {

class JsonLine;

// What the scene needs of its running drawing operation: step it, ask
// whether it is done, stop it, name it. Every operation is a Saver; the
// scene drives them through this face alone, so it never depends on the
// base that the operations in turn build on the scene.
class Operation {
 public:
  virtual ~Operation() = default;

  // One scheduling step; the scene calls it once per paint.
  virtual void run() = 0;
  virtual bool isFinished() = 0;
  virtual bool setFinished(bool flag) = 0;
  virtual void requestStop(bool flag) = 0;
  virtual bool stopRequested() const = 0;

  // The class name, for the operation log.
  virtual const char* kindName() const = 0;
  // Adds the operation's own choices to its operation-log line.
  virtual void describe(JsonLine& line) const = 0;
  virtual std::int32_t randomSeed() const = 0;
  // The operation's number in the run, counted from 1, set by the scene.
  virtual std::uint32_t number() const = 0;
  virtual void setNumber(std::uint32_t n) = 0;
};

}  // namespace warpix
