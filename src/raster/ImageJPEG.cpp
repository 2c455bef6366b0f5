#include "raster/ImageJPEG.h"

// clang-format off
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstring>
#include <new>
#include <span>
#include <vector>

#include "platform/BinaryFile.h"
#include "raster/ExifOrientation.h"

namespace warpix {

namespace {

// Working memory the library may take for one picture (coefficient buffers
// of progressive files are the big ones); beyond it the file is refused.
constexpr long kLibraryMemory = 768L * 1024 * 1024;
// Progressive files can repeat scans without end; no real file has this many.
constexpr int kMaxScans = 1000;

// Plain data only: the library's error exit jumps back into decompress(),
// over frames where nothing with a destructor may live.
struct JpegJob {
  bool scaled;  // false: no scene, full size
  int limit;
  void* owner;
  std::uint8_t* (*allocate)(void* owner, std::uint32_t width, std::uint32_t height);
  int orientation;
};

struct JpegFailure {
  jpeg_error_mgr manager;  // first, so the library's pointer is ours too
  std::jmp_buf jump;
};

[[noreturn]] void leaveOnError(j_common_ptr cinfo) {
  char message[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, message);  // the text is not used
  std::longjmp(reinterpret_cast<JpegFailure*>(cinfo->err)->jump, 1);
}

void stayQuiet(j_common_ptr) {}

void limitScans(j_common_ptr cinfo) {
  const auto* decompressor = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompressor->input_scan_number > kMaxScans) leaveOnError(cinfo);
}

int orientationOf(const jpeg_decompress_struct& cinfo) {
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next) {
    if (m->marker != JPEG_APP0 + 1) continue;
    const int orientation = ExifOrientation::fromApp1({m->data, m->data_length});
    if (orientation != 1) return orientation;
  }
  return 1;
}

bool accepted(const jpeg_decompress_struct& cinfo) {
  const bool colour = cinfo.jpeg_color_space == JCS_RGB || cinfo.jpeg_color_space == JCS_YCbCr;
  const std::uint64_t pixels = static_cast<std::uint64_t>(cinfo.output_width) * cinfo.output_height;
  return colour && cinfo.out_color_components == 3 && pixels <= kMaxDecodedPixels;
}

void readRows(jpeg_decompress_struct& cinfo, std::uint8_t* rows) {
  const std::size_t stride = dibRowBytes(cinfo.output_width, 24);
  const std::size_t used = static_cast<std::size_t>(cinfo.output_width) * 3;
  JSAMPARRAY line = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                               static_cast<JDIMENSION>(used), 1);
  // The first scanline is the top of the picture: the last row of the DIB.
  std::uint8_t* destination = rows + stride * cinfo.output_height;
  while (cinfo.output_scanline < cinfo.output_height) {
    if (jpeg_read_scanlines(&cinfo, line, 1) != 1) break;
    destination -= stride;
    std::memcpy(destination, line[0], used);
  }
}

bool decompress(std::FILE* file, JpegJob* job) {
  jpeg_decompress_struct cinfo;
  JpegFailure failure;
  jpeg_progress_mgr progress{};
  cinfo.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = leaveOnError;
  failure.manager.output_message = stayQuiet;
  if (setjmp(failure.jump) != 0) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kLibraryMemory;
  progress.progress_monitor = limitScans;
  cinfo.progress = &progress;
  jpeg_stdio_src(&cinfo, file);
  jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  job->orientation = orientationOf(cinfo);
  cinfo.scale_num = 1;
  cinfo.scale_denom = job->scaled ? ImageJPEG::scaleDenominator(cinfo.image_width, cinfo.image_height, job->limit) : 1;
  jpeg_calc_output_dimensions(&cinfo);
  std::uint8_t* rows = nullptr;
  if (accepted(cinfo)) rows = job->allocate(job->owner, cinfo.output_width, cinfo.output_height);
  if (rows == nullptr) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);
  readRows(cinfo, rows);
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

int ImageJPEG::scaleDenominator(std::uint32_t width, std::uint32_t height, int limit) {
  const std::uint64_t bound = limit < 0 ? 0 : static_cast<std::uint64_t>(limit);
  std::uint32_t denominator = 1;
  while ((width / denominator > bound || height / denominator > bound) && denominator < 8) denominator *= 2;
  return static_cast<int>(denominator);
}

ImageJPEG::ImageJPEG(const std::string& path, int sceneWidth, int divisor) : Image(path) {
  const CFilePtr file = openForReading(path);
  if (!file) return;
  JpegJob job{sceneWidth > 0, divisor > 0 ? sceneWidth / divisor : sceneWidth, this, &ImageJPEG::allocateRows, 1};
  if (!decompress(file.get(), &job)) return;
  swapRedBlue();
  if (job.orientation != 1 && !turnUpright(job.orientation)) return;
  setLoaded(true);
}

std::uint8_t* ImageJPEG::allocateRows(void* self, std::uint32_t width, std::uint32_t height) {
  auto* image = static_cast<ImageJPEG*>(self);
  if (width > INT32_MAX || height > INT32_MAX) return nullptr;
  if (!image->allocate(24, static_cast<int>(width), static_cast<int>(height))) return nullptr;
  return image->mutableBits();
}

bool ImageJPEG::turnUpright(int orientation) {
  const int width = Width(), height = Height();
  std::vector<std::uint8_t> decoded;
  try {
    decoded.assign(bits(), bits() + imageSize());
  } catch (const std::bad_alloc&) {
    return false;
  }
  const bool swap = ExifOrientation::swapsAxes(orientation);
  if (!allocate(24, swap ? height : width, swap ? width : height)) return false;
  ExifOrientation::apply(orientation, decoded.data(), width, height, dibRowBytes(width, 24), mutableBits(),
                         dibRowBytes(Width(), 24));
  return true;
}

}  // namespace warpix
