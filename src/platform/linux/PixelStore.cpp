#include "platform/PixelStore.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>
#include <utility>

namespace warpix {

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
}  // namespace

PixelStore::PixelStore(std::size_t count) {
  const std::size_t bytes = count * sizeof(Pixel);
  if (bytes < kHugePage) {
    heap_.assign(count, Pixel{0});
    return;
  }
  // Over-map by a page so that an aligned start can be cut out of it.
  const std::size_t size = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* const raw = mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
  if (aligned > start) munmap(raw, aligned - start);
  const std::size_t tail = start + size + kHugePage - (aligned + size);
  if (tail > 0) munmap(reinterpret_cast<void*>(aligned + size), tail);
  mapped_ = reinterpret_cast<Pixel*>(aligned);
  mappedBytes_ = size;
  // Only advice: where the kernel has no large pages the store works as is.
  madvise(mapped_, size, MADV_HUGEPAGE);
}

PixelStore::~PixelStore() { release(); }

PixelStore::PixelStore(PixelStore&& other) noexcept
    : heap_(std::move(other.heap_)),
      mapped_(std::exchange(other.mapped_, nullptr)),
      mappedBytes_(std::exchange(other.mappedBytes_, 0)) {}

PixelStore& PixelStore::operator=(PixelStore&& other) noexcept {
  if (this == &other) return *this;
  release();
  heap_ = std::move(other.heap_);
  mapped_ = std::exchange(other.mapped_, nullptr);
  mappedBytes_ = std::exchange(other.mappedBytes_, 0);
  return *this;
}

void PixelStore::release() noexcept {
  if (mapped_ != nullptr) munmap(mapped_, mappedBytes_);
  mapped_ = nullptr;
  mappedBytes_ = 0;
  heap_.clear();
}

}  // namespace warpix
