#pragma once

#include <string>
#include <vector>

#include "platform/Shell.h"

namespace warpix::testing {

class FakeShell final : public Shell {
 public:
  std::string pictures;
  std::string documents;
  std::string name;
  std::vector<std::string> opened;

  std::string picturesFolder() const override { return pictures; }
  std::string documentsFolder() const override { return documents; }
  std::string realName() const override { return name; }
  bool open(const std::string& pathOrUri) override {
    opened.push_back(pathOrUri);
    return true;
  }
};

}  // namespace warpix::testing
