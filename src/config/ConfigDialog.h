#pragma once

#include <string>

namespace warpix {

class CSaverApp;

// The settings dialog as the program starts it.
class ConfigDialog {
 public:
  // Connects to the display; false, with the reason, when there is none.
  static bool openDisplay(std::string& reason);
  // Shows the dialog over the application's settings until it is closed;
  // true when it was closed with OK. Needs openDisplay() first.
  static bool run(CSaverApp& app);
  // An error box of the dialog; needs openDisplay() first.
  static void errorBox(const std::string& caption, const std::string& text);
};

}  // namespace warpix
