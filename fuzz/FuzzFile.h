#pragma once

// The decoders read files, so each fuzz input is written to a file of this
// process first; the file is reused for every input.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "raster/Image.h"

namespace warpix::fuzz {

// The input file of this process, removed when the process ends. It lives
// in memory (/dev/shm, else TMPDIR or /tmp; WARPIX_FUZZ_TMPDIR picks
// another folder): rewriting a file on a disk file system for every input
// costs more than most decodes.
class InputFile {
 public:
  explicit InputFile(const char* extension) {
    const char* tmp = std::getenv("WARPIX_FUZZ_TMPDIR");
    if (tmp == nullptr || *tmp == '\0') tmp = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::getenv("TMPDIR");
    path_ = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    path_ += "/warpix-fuzz-" + std::to_string(::getpid()) + "." + extension;
  }
  ~InputFile() { ::unlink(path_.c_str()); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline bool writeInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && ok;
}

// Reads the first and the last byte a loaded image claims to own, so a
// block smaller than its header says shows up under the address
// sanitizer. Reading every byte would find nothing more and would fault in
// every untouched page of a large, mostly blank picture.
inline unsigned touch(const Image& image) {
  if (!image.loaded()) return 0;
  if (image.Width() <= 0 || image.Height() <= 0) std::abort();
  const std::uint64_t rows = static_cast<std::uint64_t>(dibRowBytes(image.Width(), image.bitCount())) * image.Height();
  if (rows != image.imageSize()) std::abort();
  return image.header()[0] + image.bits()[0] + image.bits()[image.imageSize() - 1];
}

// One fuzz input through decoder D: written to this process's input file
// (named with `extension`), decoded with `args`, every claimed byte read.
template <class D, class... Args>
int decodeInput(const char* extension, const std::uint8_t* data, std::size_t size, Args... args) {
  static const InputFile input(extension);
  if (!writeInput(input.path(), data, size)) return 0;
  D image(input.path(), args...);
  volatile unsigned sink = touch(image);
  (void)sink;
  return 0;
}

}  // namespace warpix::fuzz
