#pragma once

#include "platform/Shell.h"

namespace warpix {

// Shell over GLib/GIO: the XDG user directories, the password database's
// real name, and the desktop's default application for a URI.
class GioShell final : public Shell {
 public:
  std::string picturesFolder() const override;
  std::string documentsFolder() const override;
  std::string realName() const override;
  bool open(const std::string& pathOrUri) override;
};

}  // namespace warpix
