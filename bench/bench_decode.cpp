// Decode speed of photos as the saver meets them: a 24-megapixel JPEG and
// PNG shrunk for a 1920-wide scene (the PNG against libpng decoding it
// alone), a 12-megapixel PNG and WebP at full size.
//
//   bench_decode                         run the benchmarks
//   bench_decode --write-jpeg FILE       write the 6000 x 4000 test JPEG
//   bench_decode --write-png FILE W H    write a W x H test PNG
//   bench_decode --decode FILE WIDTH N   decode FILE N times for a scene
//                                        WIDTH pixels wide (0: full size;
//                                        for timing against other decoders)
//
// bench/decode-vs-tools.sh compares WebP and HEIC decoding with dwebp and
// heif-convert, and measures the peak memory of the PNG reduction.

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <png.h>
#include <webp/encode.h>
// clang-format on

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "raster/ImageDecoder.h"

namespace {

constexpr int kJpegWidth = 6000, kJpegHeight = 4000;
constexpr int kPngWidth = 4000, kPngHeight = 3000;

// A smooth gradient with grain on top, closer to a photo than a flat fill
// and cheap to make.
std::vector<std::uint8_t> photoLikeRow(int width, int y, std::uint32_t& seed) {
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    seed = seed * 1664525u + 1013904223u;
    const int grain = static_cast<int>(seed >> 27) - 16;
    const int base[3] = {x * 255 / width, y * 255 / 4000, (x + y) * 255 / (width + 4000)};
    for (int c = 0; c < 3; ++c) row[3 * x + c] = static_cast<std::uint8_t>(std::clamp(base[c] + grain, 0, 255));
  }
  return row;
}

bool writeJpeg(const std::string& path, int width, int height) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::uint32_t seed = 1;
  while (cinfo.next_scanline < cinfo.image_height) {
    std::vector<std::uint8_t> row = photoLikeRow(width, static_cast<int>(cinfo.next_scanline), seed);
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(file) == 0;
}

bool writePng(const std::string& path, int width, int height) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::uint32_t seed = 7;
  for (int y = 0; y < height; ++y) {
    std::vector<std::uint8_t> row = photoLikeRow(width, y, seed);
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

bool writeWebp(const std::string& path, int width, int height) {
  std::vector<std::uint8_t> pixels;
  std::uint32_t seed = 11;
  for (int y = 0; y < height; ++y) {
    const std::vector<std::uint8_t> row = photoLikeRow(width, y, seed);
    pixels.insert(pixels.end(), row.begin(), row.end());
  }
  std::uint8_t* encoded = nullptr;
  const std::size_t size = WebPEncodeRGB(pixels.data(), width, height, width * 3, 90, &encoded);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool ok = file != nullptr && size > 0 && std::fwrite(encoded, 1, size, file) == size;
  WebPFree(encoded);
  return file != nullptr && std::fclose(file) == 0 && ok;
}

struct Fixtures {
  std::string jpeg, png, bigPng, webp;
  Fixtures() {
    const auto dir = std::filesystem::temp_directory_path() / "warpix-bench-decode";
    std::filesystem::create_directories(dir);
    jpeg = (dir / "photo-6000x4000.jpg").string();
    png = (dir / "photo-4000x3000.png").string();
    bigPng = (dir / "photo-6000x4000.png").string();
    webp = (dir / "photo-4000x3000.webp").string();
    if (!std::filesystem::exists(jpeg)) writeJpeg(jpeg, kJpegWidth, kJpegHeight);
    if (!std::filesystem::exists(png)) writePng(png, kPngWidth, kPngHeight);
    if (!std::filesystem::exists(bigPng)) writePng(bigPng, kJpegWidth, kJpegHeight);
    if (!std::filesystem::exists(webp)) writeWebp(webp, kPngWidth, kPngHeight);
  }
};

const Fixtures& fixtures() {
  static const Fixtures f;
  return f;
}

void BM_JpegToSceneWidth1920(benchmark::State& state) {
  const std::string& path = fixtures().jpeg;
  for (auto _ : state) {
    const auto image = warpix::decodeImage(path, 1920, 1);
    if (!image || !image->loaded() || image->Width() != kJpegWidth / 4) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(image->bits());
  }
  state.counters["Mpixel/s"] =
      benchmark::Counter(static_cast<double>(kJpegWidth) * kJpegHeight / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_JpegToSceneWidth1920)->Unit(benchmark::kMillisecond);

void BM_PngFullSize(benchmark::State& state) {
  const std::string& path = fixtures().png;
  for (auto _ : state) {
    const auto image = warpix::decodeImage(path, 0, 1);  // no scene: full size
    if (!image || !image->loaded() || image->Width() != kPngWidth) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(image->bits());
  }
  state.counters["Mpixel/s"] =
      benchmark::Counter(static_cast<double>(kPngWidth) * kPngHeight / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PngFullSize)->Unit(benchmark::kMillisecond);

void BM_Png6000x4000ToSceneWidth1920(benchmark::State& state) {
  const std::string& path = fixtures().bigPng;
  for (auto _ : state) {
    const auto image = warpix::decodeImage(path, 1920, 1);
    if (!image || !image->loaded() || image->Width() != kJpegWidth / 4) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(image->bits());
  }
  state.counters["Mpixel/s"] =
      benchmark::Counter(static_cast<double>(kJpegWidth) * kJpegHeight / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Png6000x4000ToSceneWidth1920)->Unit(benchmark::kMillisecond);

// The floor for the one above: libpng inflating and unfiltering every row
// into one row buffer, keeping nothing.
void BM_Png6000x4000LibpngAlone(benchmark::State& state) {
  const std::string& path = fixtures().bigPng;
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_read_info(png, info);
    std::vector<std::uint8_t> row(png_get_rowbytes(png, info));
    for (png_uint_32 y = 0; y < png_get_image_height(png, info); ++y) png_read_row(png, row.data(), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    benchmark::DoNotOptimize(row.data());
  }
}
BENCHMARK(BM_Png6000x4000LibpngAlone)->Unit(benchmark::kMillisecond);

void BM_Webp4000x3000FullSize(benchmark::State& state) {
  const std::string& path = fixtures().webp;
  for (auto _ : state) {
    const auto image = warpix::decodeImage(path, 0, 1);
    if (!image || !image->loaded() || image->Width() != kPngWidth) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(image->bits());
  }
}
BENCHMARK(BM_Webp4000x3000FullSize)->Unit(benchmark::kMillisecond);

int decodeRepeatedly(const std::string& path, int sceneWidth, int times) {
  for (int i = 0; i < times; ++i) {
    const auto image = warpix::decodeImage(path, sceneWidth, 1);
    if (!image || !image->loaded()) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-jpeg") == 0) return writeJpeg(argv[2], kJpegWidth, kJpegHeight) ? 0 : 1;
  if (argc == 5 && std::strcmp(argv[1], "--write-png") == 0)
    return writePng(argv[2], std::atoi(argv[3]), std::atoi(argv[4])) ? 0 : 1;
  if (argc == 5 && std::strcmp(argv[1], "--decode") == 0)
    return decodeRepeatedly(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
