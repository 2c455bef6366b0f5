#pragma once

#include <cstdint>

namespace warpix {

// Read access to the run's palette, for colour values that name an entry
// instead of carrying red, green and blue. The scene owns the palette; the
// colour types only borrow this view of it.
class PaletteLookup {
 public:
  virtual ~PaletteLookup() = default;
  virtual int size() const = 0;
  // Entry k as a plain colour in the 0x00BBGGRR layout. Numbers outside the
  // palette read the nearest entry, so a stray index can never read past it.
  virtual std::uint32_t entryValue(int k) const = 0;
};

}  // namespace warpix
