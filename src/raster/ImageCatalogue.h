#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace warpix {

class Random;

// The catalogue's two rules on a plain list, for owners that keep the list
// themselves; see ImageCatalogue::build and ImageCatalogue::nextImageFile.
std::vector<std::string> buildImageList(const std::vector<std::string>& folders);
// True when a file of this bare name goes into the list.
bool cataloguedName(const std::string& name);
// The file patterns of the list ("*.jpg *.jpe ..."), separated by spaces as
// teFolder takes them, for whoever looks for folders of pictures.
const std::string& imagePatterns();
std::string chooseNextImage(const std::vector<std::string>& files, int imageOrder, std::int32_t& imageNext,
                            Random& programRandom);

// The list of picture files a scene shows: every JPEG, PNG, BMP, WebP,
// HEIC/HEIF and AVIF file
// directly inside the chosen folders, as full paths in byte order, so the
// list is grouped by folder and alphabetical within each. Built once per
// scene; files added later are seen at the next run.
class ImageCatalogue {
 public:
  static constexpr int kRandomOrder = 0;
  static constexpr int kAlphabeticalOrder = 1;

  // Replaces the list. Missing or unreadable folders add nothing; a file
  // matched twice (a folder listed twice) appears twice.
  void build(const std::vector<std::string>& folders);

  const std::vector<std::string>& files() const { return files_; }
  bool empty() const { return files_.empty(); }

  struct NextImage {
    std::string path;              // "" when the list is empty
    bool imageNextWritten = false;  // the caller must store ImageNext now
  };
  // The file to show next. In random order the choice is below(count) of
  // `programRandom` and `imageNext` is left alone. In alphabetical order the
  // stored `imageNext` picks the file (a value past the end, or negative,
  // picks the last) and then steps on by one, wrapping, so that the next run
  // carries on after the last file shown.
  NextImage nextImageFile(int imageOrder, std::int32_t& imageNext, Random& programRandom) const;

 private:
  std::vector<std::string> files_;
};

}  // namespace warpix
