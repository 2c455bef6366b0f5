#include "raster/ImageDecoder.h"

#include <algorithm>
#include <cctype>

#include "raster/ImageBMP.h"
#include "raster/ImageJPEG.h"
#include "raster/ImageHEIF.h"
#include "raster/ImagePNG.h"
#include "raster/ImageWEBP.h"

namespace warpix {

namespace {

bool sameIgnoringCase(const std::string& a, const char* b) {
  const std::string lower(b);
  return a.size() == lower.size() && std::equal(a.begin(), a.end(), lower.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == y;
         });
}

}  // namespace

DecoderKind decoderFor(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos) return DecoderKind::None;
  const std::string extension = path.substr(dot + 1);
  if (sameIgnoringCase(extension, "bmp")) return DecoderKind::BMP;
  if (sameIgnoringCase(extension, "png")) return DecoderKind::PNG;
  if (sameIgnoringCase(extension, "webp")) return DecoderKind::WEBP;
  for (const char* heif : {"heic", "heif", "avif"})
    if (sameIgnoringCase(extension, heif)) return DecoderKind::HEIF;
  return DecoderKind::JPEG;
}

std::unique_ptr<Image> decodeImage(const std::string& path, int sceneWidth, int divisor) {
  switch (decoderFor(path)) {
    case DecoderKind::BMP:
      return std::make_unique<ImageBMP>(path, sceneWidth, divisor);
    case DecoderKind::PNG:
      return std::make_unique<ImagePNG>(path, sceneWidth, divisor);
    case DecoderKind::WEBP:
      return std::make_unique<ImageWEBP>(path, sceneWidth, divisor);
    case DecoderKind::HEIF:
      return std::make_unique<ImageHEIF>(path, sceneWidth, divisor);
    case DecoderKind::JPEG:
      return std::make_unique<ImageJPEG>(path, sceneWidth, divisor);
    case DecoderKind::None:
      break;
  }
  return nullptr;
}

}  // namespace warpix
