#include "raster/ImagePNG.h"

// clang-format off
#include <csetjmp>
#include <png.h>
// clang-format on

#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "platform/BinaryFile.h"
#include "raster/BoxReducer.h"
#include "raster/DecodeScale.h"

namespace warpix {

namespace {

// Plain data only: libpng's error jump lands in readPng(), over frames where
// nothing with a destructor may live. The owner supplies the memory.
struct PngJob {
  void* owner;
  int sceneWidth, divisor;
  // Sets rows (the DIB's pixel rows), line (3 x width bytes) and, when the
  // picture shrinks, reducer; false when the memory cannot be had.
  bool (*prepare)(PngJob* job, png_uint_32 width, png_uint_32 height, int factor, bool interlaced);
  std::uint8_t* rows;
  std::uint8_t* line;
  BoxReducer* reducer;
};

[[noreturn]] void leaveOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignoreWarning(png_structp, png_const_charp) {}

// Every layout becomes 8-bit blue, green, red: palettes and low grey depths
// expanded, grey widened to colour, alpha and tRNS blended over light blue.
void requestBlueGreenRed(png_structp png, png_infop info) {
  png_set_expand(png);
  png_set_gray_to_rgb(png);
  png_color_16 background{0, 31, 127, 255, 0};
  png_set_background(png, &background, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
  if (png_get_bit_depth(png, info) == 16) png_set_strip_16(png);
  png_set_bgr(png);
}

void readFullSize(png_structp png, png_uint_32 width, png_uint_32 height, int passes, PngJob* job) {
  const std::size_t stride = dibRowBytes(width, 24);
  const std::size_t used = static_cast<std::size_t>(width) * 3;
  for (int pass = 0; pass < passes; ++pass) {
    std::uint8_t* destination = job->rows + stride * height;
    for (png_uint_32 y = 0; y < height; ++y) {
      destination -= stride;
      // Later passes fill in between the pixels of earlier ones.
      if (pass > 0) std::memcpy(job->line, destination, used);
      png_read_row(png, job->line, nullptr);
      std::memcpy(destination, job->line, used);
    }
  }
}

// Without libpng's interlace handling each pass arrives as its own small
// picture; its pixels go straight to the boxes they belong to.
void readReduced(png_structp png, png_uint_32 width, png_uint_32 height, bool interlaced, PngJob* job) {
  if (!interlaced) {
    for (png_uint_32 y = 0; y < height; ++y) {
      png_read_row(png, job->line, nullptr);
      job->reducer->addRow(y, job->line);
    }
  }
  for (int pass = 0; interlaced && pass < 7; ++pass) {
    const png_uint_32 columns = PNG_PASS_COLS(width, pass), rows = PNG_PASS_ROWS(height, pass);
    if (columns == 0) continue;
    for (png_uint_32 r = 0; r < rows; ++r) {
      png_read_row(png, job->line, nullptr);
      job->reducer->addPixels(PNG_ROW_FROM_PASS_ROW(r, pass), job->line, columns, PNG_PASS_START_COL(pass),
                              PNG_PASS_COL_OFFSET(pass));
    }
  }
  job->reducer->finish();
}

bool readPng(std::FILE* file, PngJob* job) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, leaveOnError, ignoreWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  requestBlueGreenRed(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  const int factor = DecodeScale(job->sceneWidth, job->divisor).factorFor(width, height);
  // Full size, libpng puts the passes together; shrunk, they are summed.
  const int passes = interlaced && factor == 1 ? png_set_interlace_handling(png) : 1;
  png_read_update_info(png, info);
  const bool ok = factor != 0 && png_get_rowbytes(png, info) == static_cast<std::size_t>(width) * 3 &&
                  job->prepare(job, width, height, factor, interlaced);
  if (ok) {
    if (factor == 1) readFullSize(png, width, height, passes, job);
    else readReduced(png, width, height, interlaced, job);
    png_read_end(png, nullptr);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return ok;
}

// The memory a decode needs, owned above the frames the error jump crosses.
struct PngMemory {
  ImagePNG* image;
  // The DIB's pixel rows; null when they cannot be had.
  std::uint8_t* (*allocate)(ImagePNG* image, png_uint_32 width, png_uint_32 height);
  std::vector<std::uint8_t> line;
  std::optional<BoxReducer> reducer;

  static bool prepare(PngJob* job, png_uint_32 width, png_uint_32 height, int factor, bool interlaced) {
    auto* self = static_cast<PngMemory*>(job->owner);
    const png_uint_32 w = BoxReducer::reducedSize(width, factor), h = BoxReducer::reducedSize(height, factor);
    job->rows = self->allocate(self->image, w, h);
    if (job->rows == nullptr) return false;
    try {
      self->line.resize(static_cast<std::size_t>(width) * 3);
      if (factor > 1) {
        const auto order = interlaced ? BoxReducer::Order::kScattered : BoxReducer::Order::kTopDown;
        self->reducer.emplace(width, height, factor, order, job->rows, dibRowBytes(w, 24));
      }
    } catch (const std::bad_alloc&) {
      return false;
    }
    job->line = self->line.data();
    job->reducer = self->reducer ? &*self->reducer : nullptr;
    return true;
  }
};

}  // namespace

ImagePNG::ImagePNG(const std::string& path, int sceneWidth, int divisor) : Image(path) {
  const CFilePtr file = openForReading(path);
  if (!file) return;
  PngMemory memory{this, nullptr, {}, {}};
  PngJob job{&memory, sceneWidth, divisor, &PngMemory::prepare, nullptr, nullptr, nullptr};
  memory.allocate = [](ImagePNG* image, png_uint_32 width, png_uint_32 height) -> std::uint8_t* {
    const bool ok = width <= INT32_MAX && height <= INT32_MAX &&
                    image->allocate(24, static_cast<int>(width), static_cast<int>(height));
    return ok ? image->mutableBits() : nullptr;
  };
  if (!readPng(file.get(), &job)) return;
  setLoaded(true);
}

}  // namespace warpix
