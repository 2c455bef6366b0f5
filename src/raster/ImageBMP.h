#pragma once

#include <string>

#include "raster/Image.h"

namespace warpix {

class BinaryFile;
struct BmpHeader;

// A Windows BMP file (or a bare DIB). Whatever the file's flavour, the
// result is a plain bottom-up DIB with a 40-byte header: 1, 4 and 8 bits
// with a full colour table, 16 bits 5-5-5, 24 or 32 bits. Bit-field files
// become 24-bit, run-length files are expanded, top-down rows turned over.
// Like a JPEG it is shrunk while decoding by 1/2, 1/4 or 1/8 (a box
// average, see BoxReducer) to fit the scene and the pixel budget; a shrunk
// picture is always 24-bit.
class ImageBMP : public Image {
 public:
  // sceneWidth 0: no scene, full size. divisor 0: the scene width itself.
  ImageBMP(const std::string& path, int sceneWidth, int divisor);

 private:
  bool decode(const BinaryFile& file, const BmpHeader& header, int factor);
  bool readPalette(const BinaryFile& file, const BmpHeader& header);
  bool readRows(const BinaryFile& file, const BmpHeader& header);
  bool readBitfields(const BinaryFile& file, const BmpHeader& header);
  bool readRunLengths(const BinaryFile& file, const BmpHeader& header);
  bool readReduced(const BinaryFile& file, const BmpHeader& header, int factor);
};

}  // namespace warpix
