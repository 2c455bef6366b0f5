#pragma once

#include <string>

namespace warpix {

// The desktop's knowledge about the user: special folders, the user's name,
// and how to show a file or web page.
class Shell {
 public:
  virtual ~Shell() = default;

  // Each is empty when the desktop does not know one.
  virtual std::string picturesFolder() const = 0;
  virtual std::string documentsFolder() const = 0;
  virtual std::string realName() const = 0;

  // Opens a file path or a URI with the desktop's default handler; true
  // when a handler was started.
  virtual bool open(const std::string& pathOrUri) = 0;
};

}  // namespace warpix
