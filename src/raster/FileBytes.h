#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace warpix {

// The whole content of a picture file, for libraries that decode from
// memory. False when the file cannot be read or is larger than `limit`
// bytes; throws std::bad_alloc when its bytes cannot be held.
bool readFileBytes(const std::string& path, std::uint64_t limit, std::vector<std::uint8_t>& bytes);

}  // namespace warpix
