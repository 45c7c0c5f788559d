// A fixed ring of 4096 pointers between exactly one writing thread and one reading thread, without locks.
//
// The game thread hands new voices to the mixer through one ring and the mixer hands finished voices back
// through another; neither side ever waits for the other, and nothing is allocated once the ring exists.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

template <typename T>
class TAudioRing {
public:
  static constexpr uint32_t CAPACITY = 4096;

  // Writer side. False when the ring is full; the item then stays with the writer.
  bool Push(T* item) {
    uint32_t tail = _tail.load(std::memory_order_relaxed);
    if (tail - _head.load(std::memory_order_acquire) >= CAPACITY) {
      return false;
    }
    _items[tail % CAPACITY] = item;
    // Release: the reader that sees the new tail also sees the item and everything written to it before.
    _tail.store(tail + 1, std::memory_order_release);
    return true;
  }

  // Reader side. Null when the ring is empty.
  T* Pop() {
    uint32_t head = _head.load(std::memory_order_relaxed);
    if (head == _tail.load(std::memory_order_acquire)) {
      return nullptr;
    }
    T* item = _items[head % CAPACITY];
    // Release: the writer may reuse the entry only after the item has been read out of it.
    _head.store(head + 1, std::memory_order_release);
    return item;
  }

private:
  // The counters run freely and wrap at 2^32, which CAPACITY divides, so "tail - head" is always the fill.
  // Each sits on its own cache line so the two threads do not keep stealing it from each other.
  alignas(64) std::atomic<uint32_t> _head{0};
  alignas(64) std::atomic<uint32_t> _tail{0};
  alignas(64) std::array<T*, CAPACITY> _items{};
};
