// Replacements of the global operator new and delete that count allocations on any thread while counting is on.
// They allocate with malloc, as the library's own do. They are in the same file as the counting calls, so a
// program that counts always has them: a count of nothing could never be taken for a count of none.
#include "headless/allocation_meter.h"

#include <execinfo.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<bool> tracing{false};
std::atomic<int64_t> counted{0};

void PrintStack() {
  void* frames[32];
  int depth = backtrace(frames, 32);
  static const char kHeader[] = "allocation in the measured frames:\n";
  [[maybe_unused]] ssize_t written = write(STDERR_FILENO, kHeader, sizeof kHeader - 1);
  backtrace_symbols_fd(frames, depth, STDERR_FILENO);
}

void* Allocate(std::size_t size, std::size_t alignment) {
  if (counting.load(std::memory_order_relaxed)) {
    counted.fetch_add(1, std::memory_order_relaxed);
    if (tracing.exchange(false)) {
      PrintStack();  // backtrace may allocate itself: tracing is off while it runs
      tracing = true;
    }
  }
  if (size == 0) {
    size = 1;
  }
  if (alignment > alignof(std::max_align_t)) {
    return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
  }
  return std::malloc(size);
}

}  // namespace

void StartCountingAllocations(bool trace) {
  counted = 0;
  tracing = trace;
  counting = true;
}

int64_t StopCountingAllocations() {
  counting = false;
  tracing = false;
  return counted.load();
}

int64_t AllocationsCounted() {
  return counted.load();
}

void* operator new(std::size_t size) {
  void* memory = Allocate(size, 0);
  if (memory == nullptr) {
    throw std::bad_alloc();
  }
  return memory;
}

void* operator new[](std::size_t size) {
  return operator new(size);
}

void* operator new(std::size_t size, std::align_val_t alignment) {
  void* memory = Allocate(size, static_cast<std::size_t>(alignment));
  if (memory == nullptr) {
    throw std::bad_alloc();
  }
  return memory;
}

void* operator new[](std::size_t size, std::align_val_t alignment) {
  return operator new(size, alignment);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size, 0);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size, 0);
}

void operator delete(void* memory) noexcept {
  std::free(memory);
}

void operator delete[](void* memory) noexcept {
  std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}

void operator delete(void* memory, std::align_val_t) noexcept {
  std::free(memory);
}

void operator delete[](void* memory, std::align_val_t) noexcept {
  std::free(memory);
}

void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
  std::free(memory);
}

void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
  std::free(memory);
}
