// libFuzzer target: ImageBMP on arbitrary file contents.

#include "FuzzFile.h"
#include "raster/ImageBMP.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace warpix;
  static const fuzz::InputFile input("bmp");
  const std::string& path = input.path();
  if (!fuzz::writeInput(path, data, size)) return 0;
  ImageBMP image(path, 1);
  volatile unsigned sink = fuzz::touch(image);
  (void)sink;
  return 0;
}
