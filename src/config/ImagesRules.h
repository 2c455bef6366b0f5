#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/SliderRules.h"
#include "config/SortedList.h"

namespace warpix {

class RegSettings;

// The Images page: the folder list, the display order, the minimum period
// and "Start at first image next run". List edits and the order choice go
// into the settings record at once; OK stores the slider and saves.
class ImagesRules {
 public:
  static constexpr const char* kNoImagesNote =
      "No images (jpg, jpe, jpeg, png, bmp, webp, heic, heif or avif) were found in this folder.";
  static constexpr const char* kStartAtFirstNote = "Images will start from the first one on the next run.";

  explicit ImagesRules(RegSettings& settings);

  SortedList& list() { return list_; }
  const SortedList& list() const { return list_; }
  SliderRules& period() { return period_; }

  enum class Added { AlreadyListed, WithImages, WithoutImages };
  // A folder the user picked: listed once; the caller shows the note for
  // WithoutImages.
  Added addFolder(const std::string& path);
  // The selected folder leaves the list box and every equal entry leaves
  // the settings' list.
  void removeSelected();
  void removeAll();
  // The folders a finished search found: each that is not listed yet.
  void addFound(const std::vector<std::string>& folders);

  std::int32_t order() const;
  void setOrder(std::int32_t order);
  bool startAtFirstEnabled() const { return order() != 0; }
  void requestStartAtFirst() { startAtFirst_ = true; }
  bool startAtFirstRequested() const { return startAtFirst_; }

  void ok();

 private:
  RegSettings& settings_;
  SortedList list_;
  SliderRules period_;
  bool startAtFirst_ = false;
};

}  // namespace warpix
