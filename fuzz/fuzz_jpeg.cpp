// libFuzzer target: ImageJPEG on arbitrary file contents.

#include "FuzzFile.h"
#include "raster/ImageJPEG.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace warpix;
  static const fuzz::InputFile input("jpeg");
  const std::string& path = input.path();
  if (!fuzz::writeInput(path, data, size)) return 0;
  // The last byte picks a scaled (1920-wide scene) or a full-size decode.
  const int sceneWidth = size > 0 && (data[size - 1] & 1) != 0 ? 1920 : 0;
  ImageJPEG image(path, sceneWidth, 1);
  volatile unsigned sink = fuzz::touch(image);
  (void)sink;
  return 0;
}
