#include "numeric/fresh_memory.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace bramble {

namespace {

// Below this a request is not worth its system call.
constexpr std::size_t MIN_REQUEST_BYTES = std::size_t{1} << 20;

}  // namespace

void populate(void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
  if (data == nullptr || bytes < MIN_REQUEST_BYTES) return;
  // Whole pages: those holding the first and the last byte belong to the buffer's mapping.
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto first = reinterpret_cast<std::uintptr_t>(data) & ~(page - 1);
  const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(data) + bytes;
  // A refusal (an older kernel, memory short) only leaves the pages to come at first write.
  madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
  (void)data;
  (void)bytes;
#endif
}

void release(void* data, std::size_t bytes) {
#if defined(__linux__)
  if (data == nullptr || bytes < MIN_REQUEST_BYTES) return;
  // Only the pages wholly inside the range: the others hold live bytes too.
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(data) + page - 1) & ~(page - 1);
  const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(page - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace bramble
