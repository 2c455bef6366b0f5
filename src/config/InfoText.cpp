#include "config/InfoText.h"

namespace warpix {

std::string InfoText::title(const std::string& version) {
  return version.empty() ? "Photo Warpix Screensaver" : "Photo Warpix Screensaver " + version;
}

std::string InfoText::body(const std::string& profilePath, const std::string& iniPath) {
  return "Photo Warpix shows your photos, and pictures from the web sites you list, full screen, "
         "and then warps, blurs, repaints, textures and writes text over them, one drawing after "
         "another. Any key, mouse button or larger mouse movement ends it.\n\n"
         "Your settings are stored in\n  " +
         profilePath + "\nand the lists of folders and web sites in\n  " + iniPath +
         "\n\nPress Help for a description of every page and setting.";
}

}  // namespace warpix
