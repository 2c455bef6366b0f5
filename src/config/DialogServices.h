#pragma once

#include <functional>
#include <optional>
#include <string>

namespace warpix {

// What the pages ask of the desktop beyond their own widgets: the folder
// chooser, the web address dialog, message boxes and the help page. The
// dialog gets the GTK ones; tests drive the pages with their own.
struct DialogServices {
  enum class Icon { Information, Error };
  // Nothing when the user cancels.
  std::function<std::optional<std::string>(const std::string& title)> chooseFolder;
  std::function<std::optional<std::string>(const std::string& initial)> askAddress;
  std::function<void(const std::string& title, const std::string& text, Icon icon)> message;
  std::function<void()> help;
};

}  // namespace warpix
