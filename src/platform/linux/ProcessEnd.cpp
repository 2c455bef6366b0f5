#include "platform/linux/ProcessEnd.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define WARPIX_ORDINARY_EXIT 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define WARPIX_ORDINARY_EXIT 1
#endif
#endif

namespace warpix {

void endProcess(int status) {
#ifdef WARPIX_ORDINARY_EXIT
  std::exit(status);
#else
  // std::cout writes through stdout's buffer: what a run printed into a
  // pipe or a file must not be lost with it.
  std::fflush(nullptr);
  ::_exit(status);
#endif
}

bool processEndFreesNothing() {
#ifdef WARPIX_ORDINARY_EXIT
  return false;
#else
  return true;
#endif
}

}  // namespace warpix
