#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Surface.h"

namespace warpix {

class Image;

// What the preview dialog shows for one file of a folder: the picture,
// decoded by the saver's own decoders, and the status line under the list.
class PreviewPicture {
 public:
  static constexpr const char* kInitialStatus = "Select an image to view";
  static constexpr const char* kGifStatus = "Sorry, GIF previews are not available.";
  static constexpr const char* kFailedStatus =
      "Could not load the image. Perhaps it is damaged, or too large even when shrunk.";

  PreviewPicture();
  ~PreviewPicture();
  PreviewPicture(const PreviewPicture&) = delete;
  PreviewPicture& operator=(const PreviewPicture&) = delete;

  // The picture files of a folder, as the list shows them (names only).
  static std::vector<std::string> files(const std::string& folder);

  // Drops the previous picture and decodes folder/name.
  void load(const std::string& folder, const std::string& name);
  const std::string& status() const { return status_; }
  // Null when nothing is loaded.
  const Image* image() const { return image_.get(); }

  struct Size {
    int width;
    int height;
  };
  // The size a picture is drawn at in an area: unchanged when it fits,
  // otherwise shrunk to fit with its proportions kept (never below 1).
  static Size fit(Size picture, Size area);
  // The picture drawn at its fitted size for `area`; nothing when no
  // picture is loaded or the area is empty.
  std::optional<Surface> scaledTo(Size area) const;

 private:
  std::unique_ptr<Image> image_;
  std::string status_ = kInitialStatus;
};

}  // namespace warpix
