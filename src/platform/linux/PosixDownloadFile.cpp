#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/DownloadFile.h"

namespace warpix {

namespace {

class PosixDownloadFile final : public DownloadFile {
 public:
  PosixDownloadFile(int fd, std::string path, std::string finalPath)
      : fd_(fd), path_(std::move(path)), finalPath_(std::move(finalPath)) {}
  ~PosixDownloadFile() override { discard(); }
  PosixDownloadFile(const PosixDownloadFile&) = delete;
  PosixDownloadFile& operator=(const PosixDownloadFile&) = delete;

  bool write(std::string_view bytes) override {
    while (!bytes.empty()) {
      if (fd_ < 0) return false;
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }

  bool commit() override {
    if (fd_ < 0) return false;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (closed && std::rename(path_.c_str(), finalPath_.c_str()) == 0) {
      committed_ = true;
      return true;
    }
    ::unlink(path_.c_str());
    return false;
  }

  void discard() override {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!committed_ && !path_.empty()) ::unlink(path_.c_str());
    committed_ = true;  // nothing left to remove
  }

  const std::string& path() const override { return path_; }

 private:
  int fd_;
  std::string path_;
  std::string finalPath_;
  bool committed_ = false;
};

}  // namespace

std::unique_ptr<DownloadFile> DownloadFile::create(const std::string& finalPath) {
  std::string name = finalPath + ".XXXXXX";
  std::vector<char> buffer(name.begin(), name.end());
  buffer.push_back('\0');
  // mkstemp makes a new file of mode 0600 that nobody else can have made.
  const int fd = ::mkstemp(buffer.data());
  if (fd < 0) return nullptr;
  ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  return std::make_unique<PosixDownloadFile>(fd, std::string(buffer.data()), finalPath);
}

std::optional<std::uint64_t> downloadedSize(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  if (!ok) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

void removeDownload(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace warpix
