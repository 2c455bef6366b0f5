#include "raster/PictureFiles.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <png.h>
// clang-format on

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace warpix::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "warpix-raster-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void writeBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

Raster Raster::rgb(int width, int height, const std::function<Rgb(int, int)>& colour) {
  Raster r{width, height, 3, 8, {}};
  r.samples.reserve(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb c = colour(x, y);
      r.samples.insert(r.samples.end(), {static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                                         static_cast<std::uint8_t>(c.b)});
    }
  }
  return r;
}

void writePng(const std::string& path, const Raster& raster, int colourType, bool interlaced, const Bytes& palette) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, raster.width, raster.height, raster.bitDepth, colourType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) {
    std::vector<png_color> entries;
    for (std::size_t i = 0; i + 2 < palette.size(); i += 3) entries.push_back({palette[i], palette[i + 1], palette[i + 2]});
    png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
  }
  png_write_info(png, info);
  const std::size_t stride = raster.samples.size() / raster.height;
  std::vector<png_bytep> rows;
  for (int y = 0; y < raster.height; ++y) rows.push_back(const_cast<png_bytep>(raster.samples.data() + y * stride));
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

void writeJpeg(const std::string& path, const Raster& raster, int quality, const Bytes& app1) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write " + path);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = raster.width;
  cinfo.image_height = raster.height;
  cinfo.input_components = raster.channels;
  cinfo.in_color_space = raster.channels == 1 ? JCS_GRAYSCALE : raster.channels == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  if (!app1.empty()) jpeg_write_marker(&cinfo, JPEG_APP0 + 1, app1.data(), static_cast<unsigned>(app1.size()));
  const std::size_t stride = static_cast<std::size_t>(raster.width) * raster.channels;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(raster.samples.data() + cinfo.next_scanline * stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::fclose(file);
}

Bytes exifWithOrientation(int orientation, bool bigEndian) {
  Bytes b = {'E', 'x', 'i', 'f', 0, 0};
  const auto p16 = [&](std::uint32_t v) {
    if (bigEndian) b.insert(b.end(), {std::uint8_t(v >> 8), std::uint8_t(v)});
    else b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
  };
  const auto p32 = [&](std::uint32_t v) {
    if (bigEndian) { p16(v >> 16); p16(v & 0xFFFF); }
    else { p16(v & 0xFFFF); p16(v >> 16); }
  };
  b.push_back(bigEndian ? 'M' : 'I');
  b.push_back(bigEndian ? 'M' : 'I');
  p16(42);
  p32(8);  // IFD0 right after the TIFF header
  p16(2);  // two entries: an unrelated one first
  p16(0x010F); p16(2); p32(4); p32(0);       // Make, ASCII, value inline
  p16(0x0112); p16(3); p32(1); p16(static_cast<std::uint32_t>(orientation)); p16(0);
  p32(0);  // no next IFD
  return b;
}

void put16(Bytes& b, std::uint32_t v) { b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); }
void put32(Bytes& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}

Rgb colourAt(const Image& image, int x, int y) {
  const std::uint8_t* h = image.header();
  const int bits = image.bitCount();
  const std::size_t stride = ((static_cast<std::size_t>(image.Width()) * bits + 31) / 32) * 4;
  const std::uint8_t* row = image.bits() + static_cast<std::size_t>(image.Height() - 1 - y) * stride;
  const auto fromTable = [&](int index) {
    const std::uint8_t* e = h + 40 + 4 * index;
    return Rgb{e[2], e[1], e[0]};
  };
  switch (bits) {
    case 1: return fromTable((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return fromTable(x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15);
    case 8: return fromTable(row[x]);
    case 16: {
      const int v = row[2 * x] | (row[2 * x + 1] << 8);
      const auto to8 = [](int five) { return (five << 3) | (five >> 2); };
      return Rgb{to8((v >> 10) & 31), to8((v >> 5) & 31), to8(v & 31)};
    }
    case 24: return Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
    case 32: return Rgb{row[4 * x + 2], row[4 * x + 1], row[4 * x]};
    default: return Rgb{-1, -1, -1};
  }
}

Rgb boxMean(const std::function<Rgb(int, int)>& colour, int width, int height, int factor, int bx, int by) {
  int r = 0, g = 0, b = 0, n = 0;
  for (int y = by * factor; y < std::min(height, (by + 1) * factor); ++y) {
    for (int x = bx * factor; x < std::min(width, (bx + 1) * factor); ++x, ++n) {
      const Rgb c = colour(x, y);
      r += c.r;
      g += c.g;
      b += c.b;
    }
  }
  return Rgb{(2 * r + n) / (2 * n), (2 * g + n) / (2 * n), (2 * b + n) / (2 * n)};
}

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

Rgb Decoded::at(int x, int y) const {
  const std::uint8_t* p = rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
  return Rgb{p[0], p[1], p[2]};
}

Decoded decodeWithMagick(const std::string& path) {
  TempDir dir;
  const std::string out = dir.file("magick.ppm");
  if (!run("convert '" + path + "' -colorspace sRGB -background '#1f7fff' -alpha remove -depth 8 '" + out + "'")) return {};
  const Bytes ppm = readBytes(out);
  // "P6", width, height, 255, each after white space, then one white byte.
  std::size_t at = 2;
  int fields[3] = {0, 0, 0};
  for (int& field : fields) {
    while (at < ppm.size() && std::isspace(ppm[at])) ++at;
    while (at < ppm.size() && std::isdigit(ppm[at])) field = field * 10 + (ppm[at++] - '0');
  }
  Decoded d{fields[0], fields[1], Bytes(ppm.begin() + static_cast<long>(std::min(at + 1, ppm.size())), ppm.end())};
  if (d.rgb.size() != static_cast<std::size_t>(d.width) * d.height * 3) return {};
  return d;
}

int maxDifference(const Image& image, const Decoded& reference) {
  if (!image.loaded() || image.Width() != reference.width || image.Height() != reference.height) return -1;
  int most = 0;
  for (int y = 0; y < reference.height; ++y) {
    for (int x = 0; x < reference.width; ++x) {
      const Rgb a = colourAt(image, x, y), b = reference.at(x, y);
      most = std::max({most, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
    }
  }
  return most;
}

bool near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

}  // namespace warpix::testing
