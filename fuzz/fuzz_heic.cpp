// libFuzzer target: ImageHEIF on HEIC (HEVC) files, on arbitrary file contents.

#include "FuzzFile.h"
#include "raster/ImageHEIF.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The last byte picks a shrunk (64-wide scene) or a full-size decode.
  const int sceneWidth = size > 0 && (data[size - 1] & 1) != 0 ? 64 : 0;
  return warpix::fuzz::decodeInput<warpix::ImageHEIF>("heic", data, size, sceneWidth, 1);
}
