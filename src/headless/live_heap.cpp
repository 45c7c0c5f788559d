// The heap's live bytes, from the sanitizers' allocator or the C library's.
#include "headless/allocation_meter.h"

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define MORVIK_SANITIZER_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define MORVIK_SANITIZER_HEAP 1
#endif
#endif

#ifdef MORVIK_SANITIZER_HEAP
#include <cstddef>
// The sanitizers' runtime answers this; g++ does not ship the header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

int64_t LiveHeapBytes() {
#ifdef MORVIK_SANITIZER_HEAP
  return static_cast<int64_t>(__sanitizer_get_current_allocated_bytes());
#else
  return static_cast<int64_t>(mallinfo2().uordblks);
#endif
}
