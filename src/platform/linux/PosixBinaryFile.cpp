#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "platform/BinaryFile.h"

namespace warpix {

namespace {

class PosixBinaryFile final : public BinaryFile {
 public:
  PosixBinaryFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  ~PosixBinaryFile() override { ::close(fd_); }
  PosixBinaryFile(const PosixBinaryFile&) = delete;
  PosixBinaryFile& operator=(const PosixBinaryFile&) = delete;

  std::uint64_t size() const override { return size_; }

  bool readAt(std::uint64_t offset, void* destination, std::size_t count) const override {
    if (offset > size_ || count > size_ - offset) return false;
    auto* out = static_cast<char*>(destination);
    while (count > 0) {
      const ssize_t got = ::pread(fd_, out, count, static_cast<off_t>(offset));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      out += got;
      offset += static_cast<std::uint64_t>(got);
      count -= static_cast<std::size_t>(got);
    }
    return true;
  }

 private:
  int fd_;
  std::uint64_t size_;
};

bool writeAll(int fd, std::span<const std::uint8_t> data) {
  const std::uint8_t* p = data.data();
  std::size_t left = data.size();
  while (left > 0) {
    const ssize_t put = ::write(fd, p, left);
    if (put < 0 && errno == EINTR) continue;
    if (put == 0) errno = EIO;
    if (put <= 0) return false;
    p += put;
    left -= static_cast<std::size_t>(put);
  }
  return true;
}

bool syncFile(int fd) {
  while (::fsync(fd) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

// Makes the rename itself durable. Best effort: the new file is already in
// place, and some file systems cannot sync a folder at all.
void syncFolderOf(const std::string& path) {
  const std::string::size_type slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  syncFile(fd);
  ::close(fd);
}

// Unique within the process and, through the pid, across processes.
std::string temporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(counter++);
}

}  // namespace

std::unique_ptr<BinaryFile> BinaryFile::open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixBinaryFile>(fd, static_cast<std::uint64_t>(st.st_size));
}

void CFileCloser::operator()(std::FILE* file) const {
  if (file != nullptr) std::fclose(file);
}

CFilePtr openForReading(const std::string& path) {
  // "e": close on exec, so a launched helper never inherits a photo.
  return CFilePtr(std::fopen(path.c_str(), "rbe"));
}

bool replaceFile(const std::string& path, std::initializer_list<std::span<const std::uint8_t>> parts) {
  const std::string temporary = temporaryNameFor(path);
  // 0666 under the user's umask, as any newly created file.
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = true;
  for (const auto& part : parts) ok = ok && writeAll(fd, part);
  // The data must be on the disk before the rename makes it the file, or a
  // crash could leave a complete-looking name over missing contents.
  ok = ok && syncFile(fd);
  int cause = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    cause = errno;
  }
  if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false;
    cause = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    errno = cause;
    return false;
  }
  syncFolderOf(path);
  return true;
}

}  // namespace warpix
