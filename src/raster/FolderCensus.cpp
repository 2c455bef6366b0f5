#include "raster/FolderCensus.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <set>

#include "platform/BinaryFile.h"
#include "raster/ImageCatalogue.h"
#include "raster/ImageDecoder.h"
#include "raster/teFolder.h"

namespace warpix {

namespace {

// A picture format told by its first bytes, and a name a file of that
// format would carry, to ask the catalogue and the decoders about it.
struct Format {
  const char* name;
  const char* sampleName;
};

constexpr std::size_t kHeadBytes = 12;
using Head = std::array<std::uint8_t, kHeadBytes>;

bool startsWith(const Head& head, std::size_t size, std::size_t at, const char* bytes, std::size_t count) {
  return size >= at + count && std::memcmp(head.data() + at, bytes, count) == 0;
}

const Format* sniff(const Head& head, std::size_t size) {
  static constexpr Format kJpeg{"JPEG", "x.jpg"}, kPng{"PNG", "x.png"}, kBmp{"BMP", "x.bmp"},
      kWebp{"WebP", "x.webp"}, kHeif{"HEIF", "x.heic"}, kAvif{"AVIF", "x.avif"}, kGif{"GIF", "x.gif"},
      kTiff{"TIFF", "x.tif"};
  if (startsWith(head, size, 0, "\xFF\xD8", 2)) return &kJpeg;
  if (startsWith(head, size, 0, "\x89PNG", 4)) return &kPng;
  if (startsWith(head, size, 0, "BM", 2)) return &kBmp;
  if (startsWith(head, size, 0, "RIFF", 4) && startsWith(head, size, 8, "WEBP", 4)) return &kWebp;
  if (startsWith(head, size, 0, "GIF8", 4)) return &kGif;
  if (startsWith(head, size, 0, "II*\0", 4) || startsWith(head, size, 0, "MM\0*", 4)) return &kTiff;
  if (startsWith(head, size, 4, "ftyp", 4)) {
    for (const char* brand : {"avif", "avis"})
      if (startsWith(head, size, 8, brand, 4)) return &kAvif;
    for (const char* brand : {"heic", "heix", "heif", "hevc", "heim", "heis", "hevm", "hevs", "mif1", "msf1"})
      if (startsWith(head, size, 8, brand, 4)) return &kHeif;
  }
  return nullptr;
}

// Names of picture files the saver has no decoder for, told by name alone
// when their contents cannot be read.
bool pictureExtension(const std::string& name) {
  static const std::set<std::string> kKnown{"gif", "tif", "tiff", "webp", "heic", "heif", "avif", "jxl",
                                            "jp2", "j2k", "ico", "psd", "svg", "xcf", "tga", "pcx",
                                            "ppm", "pgm", "pbm", "pnm", "raw", "cr2", "cr3", "nef",
                                            "arw", "dng", "orf", "rw2", "raf"};
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  std::string extension = name.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return kKnown.count(extension) != 0;
}

std::string baseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string FolderCensus::skipReason(const std::string& path) {
  const std::string name = baseName(path);
  const bool listed = cataloguedName(name);
  const std::unique_ptr<BinaryFile> file = BinaryFile::open(path);
  const Format* format = nullptr;
  if (file) {
    Head head{};
    const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(file->size(), kHeadBytes));
    if (file->readAt(0, head.data(), size)) format = sniff(head, size);
    else if (listed) return "unreadable";
  }
  if (listed && !file) return "unreadable";
  if (format == nullptr) {
    if (listed) return "not a picture";
    return pictureExtension(name) ? "unsupported (" + name.substr(name.rfind('.')) + " files)" : "not a picture";
  }
  if (!cataloguedName(format->sampleName)) return std::string("unsupported (") + format->name + ")";
  // The decoder is chosen by the name, so the contents must be what the
  // name says.
  if (!listed || decoderFor(format->sampleName) != decoderFor(name))
    return std::string("unsupported (a ") + format->name + " picture under this name)";
  return {};
}

FolderCensus::Count FolderCensus::count(const std::string& folderPath) {
  Count count;
  teFolder folder(folderPath);
  folder.scanFiles("*");
  folder.scanSubfolders();
  const std::set<std::string> subfolders(folder.subfolders().begin(), folder.subfolders().end());
  std::vector<std::string> paths;
  folder.appendPaths(paths);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string& name = folder.files()[i];
    // What the catalogue lists is judged whatever it is; of the rest, only
    // what a user would call a file of the folder.
    if (!cataloguedName(name) && (name.front() == '.' || subfolders.count(name) != 0)) continue;
    if (left_ == 0) {
      count.capped = true;
      break;
    }
    --left_;
    ++count.looked;
    const std::string reason = skipReason(paths[i]);
    if (reason.empty()) {
      ++count.pictures;
      continue;
    }
    ++count.skipped;
    if (count.firstSkips.size() < kReasonsKept) count.firstSkips.push_back({name, reason});
  }
  return count;
}

}  // namespace warpix
