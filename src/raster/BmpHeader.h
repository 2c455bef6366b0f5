#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/BinaryFile.h"

namespace warpix {

// What a BMP file's headers say, checked against the file itself: every
// offset and size here lies inside the file and every value is one the
// reader can decode, so nothing it claims is trusted unchecked.
struct BmpHeader {
  enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3 };

  std::uint32_t headerSize = 0;  // 12 (core), 40, 52, 56, 108 or 124
  int width = 0;
  int height = 0;                // always positive; see topDown
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colours = 0;     // entries in the file's colour table
  std::uint32_t entryBytes = 4;  // 3 for the core header's triples
  std::uint64_t paletteOffset = 0;
  std::uint64_t dataOffset = 0;
  std::uint64_t dataSize = 0;    // bytes of pixel data available from dataOffset
  std::array<std::uint32_t, 3> masks{};  // red, green, blue for kBitfields

  // Null when the file is not a BMP this reader can load safely. A file
  // without "BM" is read as a bare DIB that starts with its info header.
  static std::optional<BmpHeader> read(const BinaryFile& file);
};

}  // namespace warpix
