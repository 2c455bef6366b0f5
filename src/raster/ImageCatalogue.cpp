#include "raster/ImageCatalogue.h"

#include <algorithm>
#include <array>

#include "app/Random.h"
#include "raster/teFolder.h"

namespace warpix {

namespace {

constexpr std::array<const char*, 9> kPatterns{"*.jpg",  "*.jpe",  "*.jpeg", "*.png", "*.bmp",
                                             "*.webp", "*.heic", "*.heif", "*.avif"};

ImageCatalogue::NextImage pickNext(const std::vector<std::string>& files, int imageOrder, std::int32_t& imageNext,
                                   Random& programRandom) {
  ImageCatalogue::NextImage next;
  const auto count = static_cast<std::int64_t>(files.size());
  if (count == 0) return next;
  std::int64_t index = static_cast<std::uint32_t>(imageNext) < static_cast<std::uint64_t>(count - 1)
                           ? imageNext
                           : count - 1;
  if (imageOrder == ImageCatalogue::kRandomOrder) {
    // below(count) returns count itself on the rare top draw.
    index = std::min<std::int64_t>(programRandom.below(static_cast<std::int32_t>(count)), count - 1);
  }
  next.path = files[static_cast<std::size_t>(index)];
  if (imageOrder == ImageCatalogue::kAlphabeticalOrder) {
    // Worked in 64 bits with a non-negative remainder, so a damaged stored
    // value (negative, or the largest int) still lands inside the list.
    const std::int64_t stepped = (static_cast<std::int64_t>(imageNext) + 1) % count;
    imageNext = static_cast<std::int32_t>(stepped < 0 ? stepped + count : stepped);
    next.imageNextWritten = true;
  }
  return next;
}

}  // namespace

std::vector<std::string> buildImageList(const std::vector<std::string>& folders) {
  std::vector<std::string> files;
  for (const std::string& path : folders) {
    teFolder folder(path);
    for (const char* pattern : kPatterns) folder.scanFiles(pattern);
    folder.appendPaths(files);
  }
  // std::string compares as unsigned bytes: upper case before lower case,
  // and a path before any longer path it is a prefix of.
  std::sort(files.begin(), files.end());
  return files;
}

bool cataloguedName(const std::string& name) {
  return std::any_of(kPatterns.begin(), kPatterns.end(),
                     [&](const char* pattern) { return wildcardMatch(pattern, name); });
}

const std::string& imagePatterns() {
  static const std::string text = [] {
    std::string joined;
    for (const char* pattern : kPatterns) {
      if (!joined.empty()) joined += ' ';
      joined += pattern;
    }
    return joined;
  }();
  return text;
}

std::string chooseNextImage(const std::vector<std::string>& files, int imageOrder, std::int32_t& imageNext,
                            Random& programRandom) {
  return pickNext(files, imageOrder, imageNext, programRandom).path;
}

void ImageCatalogue::build(const std::vector<std::string>& folders) { files_ = buildImageList(folders); }

ImageCatalogue::NextImage ImageCatalogue::nextImageFile(int imageOrder, std::int32_t& imageNext,
                                                        Random& programRandom) const {
  return pickNext(files_, imageOrder, imageNext, programRandom);
}

}  // namespace warpix
