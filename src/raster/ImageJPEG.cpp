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
#include "raster/DecodeScale.h"
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
  int sceneWidth, divisor;
  long fileBytes;
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

// Huffman-coded data spends at least one bit on every 8 x 8 block of the
// picture, so a file smaller than that claims a picture it cannot hold: the
// library would spend seconds painting the missing rest grey. Arithmetic
// coding can spend less; a byte per 1024 blocks is still far below what
// any real picture needs.
bool canHoldPicture(const jpeg_decompress_struct& cinfo, long fileBytes) {
  const std::uint64_t blocks = (static_cast<std::uint64_t>(cinfo.image_width) + 7) / 8 *
                               ((static_cast<std::uint64_t>(cinfo.image_height) + 7) / 8);
  const auto bits = static_cast<std::uint64_t>(fileBytes) * 8;
  return cinfo.arith_code ? bits * 128 >= blocks : bits >= blocks;
}

int orientationOf(const jpeg_decompress_struct& cinfo) {
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next) {
    if (m->marker != JPEG_APP0 + 1) continue;
    const int orientation = ExifOrientation::fromApp1({m->data, m->data_length});
    if (orientation != 1) return orientation;
  }
  return 1;
}

// Grey pictures come out as RGB; CMYK and YCCK ones as CMYK, which
// cmykToRgb turns into RGB. False for a colour space there is no way from.
bool chooseOutput(jpeg_decompress_struct& cinfo) {
  switch (cinfo.jpeg_color_space) {
    case JCS_RGB:
    case JCS_YCbCr:
    case JCS_GRAYSCALE:
      cinfo.out_color_space = JCS_RGB;
      return true;
    case JCS_CMYK:
    case JCS_YCCK:
      cinfo.out_color_space = JCS_CMYK;
      return true;
    default:
      return false;
  }
}

// Adobe's files store CMYK inverted (0 is full ink), and a file with its
// marker is read that way; others hold plain ink amounts.
void cmykToRgb(const JSAMPLE* cmyk, std::uint8_t* rgb, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
    const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
    for (int c = 0; c < 3; ++c) {
      const unsigned clear = inverted ? cmyk[c] : 255u - cmyk[c];
      rgb[c] = static_cast<std::uint8_t>((clear * k + 127) / 255);
    }
  }
}

void readRows(jpeg_decompress_struct& cinfo, std::uint8_t* rows) {
  const std::size_t stride = dibRowBytes(cinfo.output_width, 24);
  const std::size_t used = static_cast<std::size_t>(cinfo.output_width) * 3;
  const bool cmyk = cinfo.out_color_space == JCS_CMYK;
  JSAMPARRAY line = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                               cinfo.output_width * static_cast<JDIMENSION>(cinfo.output_components), 1);
  // The first scanline is the top of the picture: the last row of the DIB.
  std::uint8_t* destination = rows + stride * cinfo.output_height;
  while (cinfo.output_scanline < cinfo.output_height) {
    if (jpeg_read_scanlines(&cinfo, line, 1) != 1) break;
    destination -= stride;
    if (cmyk) cmykToRgb(line[0], destination, cinfo.output_width, cinfo.saw_Adobe_marker);
    else std::memcpy(destination, line[0], used);
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
  const int factor = DecodeScale(job->sceneWidth, job->divisor).factorFor(cinfo.image_width, cinfo.image_height);
  cinfo.scale_num = 1;
  cinfo.scale_denom = static_cast<unsigned>(factor);
  std::uint8_t* rows = nullptr;
  if (factor != 0 && canHoldPicture(cinfo, job->fileBytes) && chooseOutput(cinfo)) {
    jpeg_calc_output_dimensions(&cinfo);
    const int components = cinfo.out_color_space == JCS_CMYK ? 4 : 3;
    if (cinfo.output_components == components) rows = job->allocate(job->owner, cinfo.output_width, cinfo.output_height);
  }
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
  return DecodeScale::fitDenominator(width, height, limit);
}

ImageJPEG::ImageJPEG(const std::string& path, int sceneWidth, int divisor) : Image(path) {
  const CFilePtr file = openForReading(path);
  if (!file) return;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return;
  const long fileBytes = std::ftell(file.get());
  if (fileBytes < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return;
  JpegJob job{sceneWidth, divisor, fileBytes, this, &ImageJPEG::allocateRows, 1};
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
