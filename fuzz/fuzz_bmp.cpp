// libFuzzer target: ImageBMP on arbitrary file contents.

#include "FuzzFile.h"
#include "raster/ImageBMP.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return warpix::fuzz::decodeInput<warpix::ImageBMP>("bmp", data, size, 0, 1);
}
