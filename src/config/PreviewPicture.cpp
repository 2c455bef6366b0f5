#include "config/PreviewPicture.h"

#include <algorithm>
#include <cctype>

#include "config/ImagesRules.h"
#include "raster/ImageCatalogue.h"
#include "raster/Image.h"
#include "raster/ImageDecoder.h"
#include "raster/teFolder.h"

namespace warpix {

namespace {

bool isGif(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  std::string extension = name.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == "gif";
}

}  // namespace

PreviewPicture::PreviewPicture() = default;
PreviewPicture::~PreviewPicture() = default;

std::vector<std::string> PreviewPicture::files(const std::string& folder) {
  teFolder scan(folder);
  scan.scanFiles(imagePatterns());
  std::vector<std::string> names = scan.files();
  std::sort(names.begin(), names.end());
  return names;
}

void PreviewPicture::load(const std::string& folder, const std::string& name) {
  image_.reset();
  if (isGif(name)) {
    status_ = kGifStatus;
    return;
  }
  const std::string path = folder.ends_with('/') ? folder + name : folder + "/" + name;
  // Full size: the preview scales it itself.
  std::unique_ptr<Image> image = decodeImage(path, 0, 1);
  if (image && image->loaded()) {
    status_ = "Size " + std::to_string(image->Width()) + " x " + std::to_string(image->Height());
    image_ = std::move(image);
  } else {
    status_ = kFailedStatus;
  }
}

PreviewPicture::Size PreviewPicture::fit(Size picture, Size area) {
  if (picture.width <= area.width && picture.height <= area.height) return picture;
  const auto scaled = [](int side, int from, int to) {
    return std::max(1, static_cast<int>(static_cast<long long>(side) * to / std::max(1, from)));
  };
  Size out = picture;
  if (picture.height >= picture.width) {
    out = {scaled(picture.width, picture.height, area.height), area.height};
    if (out.width > area.width) out = {area.width, scaled(picture.height, picture.width, area.width)};
  } else {
    out = {area.width, scaled(picture.height, picture.width, area.width)};
    if (out.height > area.height) out = {scaled(picture.width, picture.height, area.height), area.height};
  }
  return out;
}

std::optional<Surface> PreviewPicture::scaledTo(Size area) const {
  if (!image_ || area.width < 1 || area.height < 1) return std::nullopt;
  const Size size = fit({image_->Width(), image_->Height()}, area);
  Surface surface(size.width, size.height);
  surface.stretchDib(0, 0, size.width, size.height, image_->header(), image_->bits());
  return surface;
}

}  // namespace warpix
