#include "raster/ImagePNG.h"

// clang-format off
#include <csetjmp>
#include <png.h>
// clang-format on

#include <cstring>
#include <new>
#include <vector>

#include "platform/BinaryFile.h"

namespace warpix {

namespace {

// Plain data only: libpng's error jump lands in readPng(), over frames where
// nothing with a destructor may live. The owner supplies the memory.
struct PngJob {
  void* owner;
  // Sets rows (the DIB's pixel rows) and line (3 x width bytes); false when
  // the memory cannot be had.
  bool (*prepare)(PngJob* job, png_uint_32 width, png_uint_32 height);
  std::uint8_t* rows;
  std::uint8_t* line;
};

[[noreturn]] void leaveOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignoreWarning(png_structp, png_const_charp) {}

// Palette and grey files, with or without alpha, have fewer than three
// colour samples: the pixel depth test refuses most, the colour type the
// 16-bit grey-with-alpha ones, whose depth looks like a colour file's.
bool colourPhoto(png_structp png, png_infop info) {
  const int depth = std::min(png_get_channels(png, info) * png_get_bit_depth(png, info), 24);
  return depth >= 24 && (png_get_color_type(png, info) & PNG_COLOR_MASK_COLOR) != 0 &&
         png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE;
}

void readPasses(png_structp png, png_uint_32 width, png_uint_32 height, int passes, PngJob* job) {
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
  png_color_16 background{0, 31, 127, 255, 0};
  png_set_background(png, &background, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
  if (png_get_bit_depth(png, info) == 16) png_set_strip_16(png);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  bool ok = colourPhoto(png, info) && static_cast<std::uint64_t>(width) * height <= kMaxDecodedPixels;
  const int passes = interlaced ? png_set_interlace_handling(png) : 1;
  if (ok) {
    png_read_update_info(png, info);
    ok = png_get_rowbytes(png, info) == static_cast<std::size_t>(width) * 3 && job->prepare(job, width, height);
  }
  if (ok) {
    readPasses(png, width, height, passes, job);
    png_read_end(png, nullptr);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return ok;
}

}  // namespace

ImagePNG::ImagePNG(const std::string& path, int /*divisor*/) : Image(path) {
  const CFilePtr file = openForReading(path);
  if (!file) return;
  // The row buffer lives here, above the frames the error jump crosses.
  std::vector<std::uint8_t> line;
  struct Owner {
    ImagePNG* image;
    std::vector<std::uint8_t>* line;
  } owner{this, &line};
  PngJob job{&owner, [](PngJob* j, png_uint_32 width, png_uint_32 height) {
               auto* o = static_cast<Owner*>(j->owner);
               if (!o->image->allocate(24, static_cast<int>(width), static_cast<int>(height))) return false;
               try {
                 o->line->resize(static_cast<std::size_t>(width) * 3);
               } catch (const std::bad_alloc&) {
                 return false;
               }
               j->rows = o->image->mutableBits();
               j->line = o->line->data();
               return true;
             },
             nullptr, nullptr};
  if (!readPng(file.get(), &job)) return;
  swapRedBlue();
  setLoaded(true);
}

}  // namespace warpix
