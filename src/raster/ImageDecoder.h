#pragma once

#include <memory>
#include <string>

#include "raster/Image.h"

namespace warpix {

enum class DecoderKind { None, BMP, PNG, JPEG, WEBP, HEIF };

// The decoder for a photo file, by the text after the last "." of its path,
// ignoring case: "bmp", "png" and "webp" have their own, "heic", "heif" and
// "avif" share libheif's; everything else, "jpg", "jpeg" and "gif" alike,
// goes to the JPEG decoder. A path with no "." is not a photo at all.
DecoderKind decoderFor(const std::string& path);

// Decodes a photo for a scene `sceneWidth` pixels wide (0: no scene, full
// size) with the fitting divisor of the photo operation. Null for a path
// without "."; otherwise an image that the caller tests with loaded().
std::unique_ptr<Image> decodeImage(const std::string& path, int sceneWidth, int divisor);

}  // namespace warpix
