#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>

namespace warpix {

// A file opened for binary reading whose size is known up front, so that a
// reader can check every offset a header claims against the real file
// before it allocates or reads anything.
class BinaryFile {
 public:
  // Null when the file cannot be opened or is not a regular file.
  static std::unique_ptr<BinaryFile> open(const std::string& path);

  virtual ~BinaryFile() = default;
  virtual std::uint64_t size() const = 0;
  // Reads exactly `count` bytes at `offset`; false on a short read or error.
  virtual bool readAt(std::uint64_t offset, void* destination, std::size_t count) const = 0;
};

struct CFileCloser {
  void operator()(std::FILE* file) const;
};
using CFilePtr = std::unique_ptr<std::FILE, CFileCloser>;

// A stdio stream for the decoding libraries, which read through FILE*.
CFilePtr openForReading(const std::string& path);

// Writes the parts one after another to a new file beside `path` and renames
// it over `path`, so a reader sees either the old file or the whole new one.
// The data reaches the disk before the rename. False when anything fails;
// errno then says why, and the temporary file is removed.
bool replaceFile(const std::string& path, std::initializer_list<std::span<const std::uint8_t>> parts);

}  // namespace warpix
