#include "raster/ImageWEBP.h"

#include <webp/decode.h>
#include <webp/demux.h>

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

// No WebP photo comes near this; a larger file is not read at all.
constexpr std::uint64_t kMaxFileBytes = 1ull << 30;
// Animations are decoded whole, four bytes a pixel, before they are
// shrunk, and a file of a few hundred bytes can claim any canvas: they are
// held to a budget of their own, far above any animation on the web.
constexpr std::uint64_t kMaxAnimationPixels = 4096 * 4096;

// The library writes rows top first; a DIB stores them bottom first.
void turnOver(std::uint8_t* rows, std::size_t stride, std::uint32_t height) {
  for (std::uint32_t y = 0; y < height / 2; ++y) {
    std::uint8_t* top = rows + stride * y;
    std::uint8_t* bottom = rows + stride * (height - 1 - y);
    std::swap_ranges(top, top + stride, bottom);
  }
}

struct AnimationDelete {
  void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

}  // namespace

ImageWEBP::ImageWEBP(const std::string& path, int sceneWidth, int divisor) : Image(path) {
  try {
    setLoaded(decode(path, DecodeScale(sceneWidth, divisor)));
  } catch (const std::bad_alloc&) {
    setLoaded(false);
  }
}

bool ImageWEBP::decode(const std::string& path, const DecodeScale& scale) {
  std::vector<std::uint8_t> data;
  if (!readFileBytes(path, kMaxFileBytes, data)) return false;
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) return false;
  if (WebPGetFeatures(data.data(), data.size(), &config.input) != VP8_STATUS_OK) return false;
  const auto width = static_cast<std::uint32_t>(config.input.width);
  const auto height = static_cast<std::uint32_t>(config.input.height);
  // The library makes the whole canvas before it tells its size, so a
  // canvas over the budget is refused on the header's word.
  if (config.input.has_animation)
    return static_cast<std::uint64_t>(width) * height <= kMaxAnimationPixels && decodeFirstFrame(data, scale);
  const int factor = scale.factorFor(width, height);
  if (factor == 0) return false;
  // Lossy pictures are decoded row by row into the shrunk size; a lossless
  // one is held whole by the library, four bytes a pixel, whatever its
  // scaling, so the budget holds for its full size.
  const bool lossy = config.input.format == 1;
  if (!lossy && static_cast<std::uint64_t>(width) * height > kMaxDecodedPixels) return false;
  const std::uint32_t w = BoxReducer::reducedSize(width, factor), h = BoxReducer::reducedSize(height, factor);
  if (factor > 1) {
    config.options.use_scaling = 1;
    config.options.scaled_width = static_cast<int>(w);
    config.options.scaled_height = static_cast<int>(h);
  }
  if (!allocate(24, static_cast<int>(w), static_cast<int>(h))) return false;
  const bool alpha = config.input.has_alpha != 0;
  const std::size_t stride = alpha ? static_cast<std::size_t>(w) * 4 : dibRowBytes(w, 24);
  // Opaque pictures are decoded straight into the DIB; others go through
  // a buffer of their own to be blended.
  std::vector<std::uint8_t> blended(alpha ? stride * h : 0);
  std::uint8_t* rows = alpha ? blended.data() : mutableBits();
  config.output.colorspace = alpha ? MODE_BGRA : MODE_BGR;
  config.output.is_external_memory = 1;
  config.output.u.RGBA.rgba = rows;
  config.output.u.RGBA.stride = static_cast<int>(stride);
  config.output.u.RGBA.size = stride * h;
  const VP8StatusCode status = WebPDecode(data.data(), data.size(), &config);
  WebPFreeDecBuffer(&config.output);
  if (status != VP8_STATUS_OK) return false;
  if (!alpha) {
    turnOver(rows, stride, h);
    return true;
  }
  DibRowWriter writer(w, h, 1, DibRowWriter::Layout::kBgra, mutableBits());
  for (std::uint32_t y = 0; y < h; ++y) writer.addRow(y, rows + stride * y);
  writer.finish();
  return true;
}

// The library gives whole frames of an animation at full size only: the
// first is shrunk here, which the pixel budget allows only at full size.
bool ImageWEBP::decodeFirstFrame(const std::vector<std::uint8_t>& data, const DecodeScale& scale) {
  WebPAnimDecoderOptions options;
  if (!WebPAnimDecoderOptionsInit(&options)) return false;
  options.color_mode = MODE_RGBA;
  const WebPData bytes{data.data(), data.size()};
  const std::unique_ptr<WebPAnimDecoder, AnimationDelete> decoder(WebPAnimDecoderNew(&bytes, &options));
  WebPAnimInfo info;
  if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) return false;
  const std::uint64_t pixels = static_cast<std::uint64_t>(info.canvas_width) * info.canvas_height;
  const int factor = scale.factorFor(info.canvas_width, info.canvas_height);
  if (pixels > kMaxAnimationPixels || factor == 0) return false;
  std::uint8_t* frame = nullptr;
  int timestamp = 0;
  if (!WebPAnimDecoderGetNext(decoder.get(), &frame, &timestamp)) return false;
  const std::uint32_t w = BoxReducer::reducedSize(info.canvas_width, factor);
  const std::uint32_t h = BoxReducer::reducedSize(info.canvas_height, factor);
  if (!allocate(24, static_cast<int>(w), static_cast<int>(h))) return false;
  DibRowWriter writer(info.canvas_width, info.canvas_height, factor, DibRowWriter::Layout::kRgba, mutableBits());
  for (std::uint32_t y = 0; y < info.canvas_height; ++y)
    writer.addRow(y, frame + static_cast<std::size_t>(info.canvas_width) * 4 * y);
  writer.finish();
  return true;
}

}  // namespace warpix
