// libFuzzer target: ImageJPEG on arbitrary file contents.

#include "FuzzFile.h"
#include "raster/ImageJPEG.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The last byte picks a scaled (1920-wide scene) or a full-size decode.
  const int sceneWidth = size > 0 && (data[size - 1] & 1) != 0 ? 1920 : 0;
  return warpix::fuzz::decodeInput<warpix::ImageJPEG>("jpeg", data, size, sceneWidth, 1);
}
