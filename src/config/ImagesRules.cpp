#include "config/ImagesRules.h"

#include <algorithm>

#include "raster/ImageCatalogue.h"
#include "raster/teFolder.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {

std::span<const SliderDef> periodSpec() { return {&imagePeriodSlider(), 1}; }

}  // namespace

ImagesRules::ImagesRules(RegSettings& settings) : settings_(settings), period_(settings, periodSpec()) {
  for (const std::string& folder : settings_.folders()) list_.insert(folder);
}

ImagesRules::Added ImagesRules::addFolder(const std::string& path) {
  // Folder names differ by letter case on this system, so only the exact
  // path is a duplicate.
  if (path.empty() || list_.contains(path)) return Added::AlreadyListed;
  list_.insert(path);
  const teFolder folder(path);
  const bool found = folder.hasFiles(imagePatterns());
  std::vector<std::string> folders = settings_.folders();
  folders.push_back(path);
  settings_.setFolders(std::move(folders));
  return found ? Added::WithImages : Added::WithoutImages;
}

void ImagesRules::removeSelected() {
  const std::optional<std::string> gone = list_.selected();
  if (!gone) return;
  list_.eraseSelected();
  std::vector<std::string> folders = settings_.folders();
  std::erase(folders, *gone);
  settings_.setFolders(std::move(folders));
}

void ImagesRules::removeAll() {
  list_.clear();
  settings_.setFolders({});
}

void ImagesRules::addFound(const std::vector<std::string>& found) {
  std::vector<std::string> folders = settings_.folders();
  for (const std::string& path : found) {
    if (list_.contains(path)) continue;
    list_.insert(path);
    folders.push_back(path);
  }
  settings_.setFolders(std::move(folders));
}

std::int32_t ImagesRules::order() const { return settings_.imageOrder(); }

void ImagesRules::setOrder(std::int32_t order) { settings_.setImageOrder(order == 0 ? 0 : 1); }

void ImagesRules::ok() {
  period_.store();
  settings_.saveImages();
  if (startAtFirst_) {
    settings_.setImageNext(0);
    settings_.saveImagePosition();
  }
}

}  // namespace warpix
