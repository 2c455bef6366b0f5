// libFuzzer target: ImagePNG on arbitrary file contents.

#include "FuzzFile.h"
#include "raster/ImagePNG.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return warpix::fuzz::decodeInput<warpix::ImagePNG>("png", data, size, 0, 1);
}
