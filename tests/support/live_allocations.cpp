// Counting operator new and delete for the whole test executable. The sanitizers still see every block: these
// only count, then hand over to malloc and free.
#include "support/live_allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<int64_t> live{0};
std::atomic<int64_t> total{0};

void* Allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  live.fetch_add(1, std::memory_order_relaxed);
  total.fetch_add(1, std::memory_order_relaxed);
  return block;
}

void Release(void* block) {
  if (block != nullptr) {
    live.fetch_sub(1, std::memory_order_relaxed);
    std::free(block);
  }
}

}  // namespace

int64_t LiveAllocations() {
  return live.load();
}

int64_t TotalAllocations() {
  return total.load();
}

void* operator new(std::size_t size) {
  return Allocate(size);
}

void* operator new[](std::size_t size) {
  return Allocate(size);
}

void operator delete(void* block) noexcept {
  Release(block);
}

void operator delete[](void* block) noexcept {
  Release(block);
}

void operator delete(void* block, std::size_t) noexcept {
  Release(block);
}

void operator delete[](void* block, std::size_t) noexcept {
  Release(block);
}
