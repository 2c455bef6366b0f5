#include "raster/ImageHEIF.h"

#include <libheif/heif.h>

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "raster/BoxReducer.h"
#include "raster/DecodeScale.h"
#include "raster/DibRowWriter.h"
#include "raster/FileBytes.h"

namespace warpix {

namespace {

// No HEIF photo comes near this; a larger file is not read at all.
constexpr std::uint64_t kMaxFileBytes = 1ull << 30;

struct ContextFree {
  void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleRelease {
  void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageRelease {
  void operator()(heif_image* i) const { heif_image_release(i); }
};
struct OptionsFree {
  void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};

bool fitsBudget(int width, int height) {
  return width > 0 && height > 0 &&
         static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= kMaxDecodedPixels;
}

// The primary image decoded to 8-bit interleaved RGB(A), turned as the file
// says; null when it cannot be.
std::unique_ptr<heif_image, ImageRelease> decodePrimary(heif_context* context, bool& alpha) {
  heif_image_handle* handle = nullptr;
  if (heif_context_get_primary_image_handle(context, &handle).code != heif_error_Ok) return nullptr;
  const std::unique_ptr<heif_image_handle, HandleRelease> owned(handle);
  // The header's size is the size after turning; the whole picture is
  // decoded, so the budget holds for it before any decoding starts.
  const int width = heif_image_handle_get_width(handle), height = heif_image_handle_get_height(handle);
  if (!fitsBudget(width, height)) return nullptr;
  // A grid picture's own description of its size is only read while
  // decoding, and the library trusts it: a damaged one can claim tens of
  // thousands of pixels a side and have gigabytes allocated. No part may be
  // much larger than the picture the header describes (a tile may reach
  // past the picture's edge, so a tile's size is allowed on top).
  constexpr int kLargestTile = 1024;
  heif_context_set_maximum_image_size_limit(context, std::max(width, height) + kLargestTile);
  alpha = heif_image_handle_has_alpha_channel(handle) != 0;
  const std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
  if (!options) return nullptr;
  options->convert_hdr_to_8bit = 1;
  heif_image* image = nullptr;
  const heif_chroma chroma = alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB;
  if (heif_decode_image(handle, &image, heif_colorspace_RGB, chroma, options.get()).code != heif_error_Ok) return nullptr;
  return std::unique_ptr<heif_image, ImageRelease>(image);
}

}  // namespace

ImageHEIF::ImageHEIF(const std::string& path, int sceneWidth, int divisor) : Image(path) {
  try {
    setLoaded(decode(path, DecodeScale(sceneWidth, divisor)));
  } catch (const std::bad_alloc&) {
    setLoaded(false);
  }
}

bool ImageHEIF::decode(const std::string& path, const DecodeScale& scale) {
  std::vector<std::uint8_t> data;
  if (!readFileBytes(path, kMaxFileBytes, data)) return false;
  const std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
  if (!context) return false;
  if (heif_context_read_from_memory_without_copy(context.get(), data.data(), data.size(), nullptr).code !=
      heif_error_Ok) {
    return false;
  }
  bool alpha = false;
  const auto image = decodePrimary(context.get(), alpha);
  if (!image) return false;
  const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
  const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
  int stride = 0;
  const std::uint8_t* rows = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
  if (rows == nullptr || !fitsBudget(width, height) || stride < width * (alpha ? 4 : 3)) return false;
  const auto w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);
  const int factor = scale.factorFor(w, h);
  if (factor == 0) return false;
  if (!allocate(24, static_cast<int>(BoxReducer::reducedSize(w, factor)), static_cast<int>(BoxReducer::reducedSize(h, factor)))) {
    return false;
  }
  DibRowWriter writer(w, h, factor, alpha ? DibRowWriter::Layout::kRgba : DibRowWriter::Layout::kRgb, mutableBits());
  for (std::uint32_t y = 0; y < h; ++y) writer.addRow(y, rows + static_cast<std::size_t>(stride) * y);
  writer.finish();
  return true;
}

}  // namespace warpix
