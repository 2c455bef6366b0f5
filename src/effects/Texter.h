#pragma once

#include <string>

#include "app/Random.h"

namespace warpix {

// Where the words of a text operation come from. A source draws, if it
// needs to, from the generator of the operation that owns it.
class Texter {
 public:
  explicit Texter(Random& random) : random_(random) {}
  virtual ~Texter() = default;
  Texter(const Texter&) = delete;
  Texter& operator=(const Texter&) = delete;

  // One line of UTF-8 text; may be empty.
  virtual std::string getText() = 0;
  virtual const char* name() const = 0;

 protected:
  Random& random_;
};

}  // namespace warpix
