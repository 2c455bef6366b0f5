#pragma once

#include <cstddef>
#include <vector>

#include "platform/Pixel.h"

namespace warpix {

// The zeroed memory behind a surface that owns its pixels, and behind the
// screen-sized copies the filters read in visiting order. A screen-sized
// store is mapped on its own, aligned to and asking for 2 MiB pages: a pass
// that walks the screen column by column touches a new 4 KiB page with
// every pixel, and after each pause of its pacing every one of those pages
// missed the address cache again. Small stores live on the heap.
class PixelStore {
 public:
  PixelStore() = default;
  explicit PixelStore(std::size_t count);  // throws std::bad_alloc
  ~PixelStore();
  PixelStore(const PixelStore&) = delete;
  PixelStore& operator=(const PixelStore&) = delete;
  PixelStore(PixelStore&& other) noexcept;
  PixelStore& operator=(PixelStore&& other) noexcept;

  Pixel* data() { return mapped_ != nullptr ? mapped_ : heap_.data(); }

 private:
  void release() noexcept;

  std::vector<Pixel> heap_;
  Pixel* mapped_ = nullptr;
  std::size_t mappedBytes_ = 0;
};

}  // namespace warpix
