#include "raster/FileBytes.h"

#include "platform/BinaryFile.h"

namespace warpix {

bool readFileBytes(const std::string& path, std::uint64_t limit, std::vector<std::uint8_t>& bytes) {
  const auto file = BinaryFile::open(path);
  if (!file || file->size() > limit) return false;
  bytes.resize(static_cast<std::size_t>(file->size()));
  return file->readAt(0, bytes.data(), bytes.size());
}

}  // namespace warpix
