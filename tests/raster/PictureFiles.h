#pragma once

// Writers for the picture files the decoder tests read: PNGs through
// libpng, JPEGs through libjpeg, BMPs byte by byte, so every fixture is made
// by the test itself.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "raster/Image.h"

namespace warpix::testing {

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// A fresh directory, removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

using Bytes = std::vector<std::uint8_t>;
void writeBytes(const std::string& path, const Bytes& bytes);
Bytes readBytes(const std::string& path);

// Sample rows, top row first, `channels` bytes (or 2 x channels for 16 bits,
// big-endian as PNG stores them) per pixel.
struct Raster {
  int width = 0, height = 0, channels = 3, bitDepth = 8;
  Bytes samples;
  static Raster rgb(int width, int height, const std::function<Rgb(int x, int y)>& colour);
};

void writePng(const std::string& path, const Raster& raster, int colourType, bool interlaced = false,
              const Bytes& palette = {});
// channels 1 (grey), 3 (RGB, stored as YCbCr) or 4 (CMYK). `app1` is
// written as an APP1 marker when not empty.
void writeJpeg(const std::string& path, const Raster& raster, int quality = 95, const Bytes& app1 = {});
// An APP1 Exif payload holding one orientation entry.
Bytes exifWithOrientation(int orientation, bool bigEndian);

// Little-endian appenders for building BMP files.
void put16(Bytes& b, std::uint32_t v);
void put32(Bytes& b, std::uint32_t v);

// The colour at (x, y), top-left origin, of a loaded image of any depth,
// read straight from its DIB block.
Rgb colourAt(const Image& image, int x, int y);

// Checks |a - b| <= tolerance per channel (lossy JPEG).
bool near(const Rgb& a, const Rgb& b, int tolerance);

// The mean of each channel over the factor x factor box (bx, by) of a
// width x height picture, rounded to nearest; a box cut by the right or
// bottom edge averages the pixels it holds.
Rgb boxMean(const std::function<Rgb(int x, int y)>& colour, int width, int height, int factor, int bx, int by);

// Runs a shell command quietly; true when it exits with 0.
bool run(const std::string& command);

// A picture as another program decodes it: RGB rows, top row first.
struct Decoded {
  int width = 0, height = 0;
  Bytes rgb;
  Rgb at(int x, int y) const;
};
// ImageMagick's own decoding of `path`, transparency flattened over light
// blue (31, 127, 255) as the decoders do; empty when convert fails.
Decoded decodeWithMagick(const std::string& path);
// The largest difference of any channel of any pixel between a loaded
// image and a reference; -1 when their sizes differ.
int maxDifference(const Image& image, const Decoded& reference);

}  // namespace warpix::testing
