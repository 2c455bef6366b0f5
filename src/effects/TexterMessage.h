#pragma once

#include "effects/Texter.h"

namespace warpix {

class RegSettings;

// One of the user's stored messages, chosen evenly; empty when there is
// none.
class TexterMessage final : public Texter {
 public:
  TexterMessage(Random& random, const RegSettings& settings) : Texter(random), settings_(settings) {}

  std::string getText() override;
  const char* name() const override { return "TexterMessage"; }

 private:
  const RegSettings& settings_;
};

}  // namespace warpix
