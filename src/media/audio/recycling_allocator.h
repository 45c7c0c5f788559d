// Memory for small objects the game makes and drops again and again while it runs, such as the channel of every
// sound it plays: used with std::allocate_shared, a released block goes onto a free list of its type and is handed
// out again, so once the game has played a few sounds at the same time nothing more is allocated for them. The
// objects themselves are constructed and destroyed as usual; only their memory is kept.
#pragma once

#include <cstddef>
#include <mutex>
#include <new>

template <typename T>
class TRecyclingAllocator {
public:
  using value_type = T;

  TRecyclingAllocator() = default;
  // Allocators of the same family convert into each other (allocate_shared asks for one of its control block).
  template <typename U>
  TRecyclingAllocator(const TRecyclingAllocator<U>&) {}  // NOLINT(google-explicit-constructor)

  // A block for one T from the free list, or new memory when the list is empty.
  T* allocate(std::size_t count) {
    if (count == 1) {
      std::lock_guard<std::mutex> lock(List().mutex);
      if (TBlock* block = List().head) {
        List().head = block->next;
        return reinterpret_cast<T*>(block);
      }
    }
    return static_cast<T*>(::operator new (Size(count), std::align_val_t{Alignment()}));
  }

  // Puts a single block on the free list; never gives memory back to the system.
  void deallocate(T* memory, std::size_t count) {
    if (count != 1) {
      ::operator delete (memory, std::align_val_t{Alignment()});
      return;
    }
    auto* block = reinterpret_cast<TBlock*>(memory);
    std::lock_guard<std::mutex> lock(List().mutex);
    block->next = List().head;
    List().head = block;
  }

  template <typename U>
  bool operator==(const TRecyclingAllocator<U>&) const {
    return true;
  }

private:
  // A released block holds the link to the next one in its own memory.
  struct TBlock {
    TBlock* next;
  };
  // Trivially destructible, so blocks may still be released while the program's statics are being destroyed;
  // blocks on the list stay reachable from it.
  struct TFreeList {
    std::mutex mutex;
    TBlock* head = nullptr;
  };

  static TFreeList& List() {
    static TFreeList list;
    return list;
  }
  static constexpr std::size_t Alignment() { return alignof(T) > alignof(TBlock) ? alignof(T) : alignof(TBlock); }
  static constexpr std::size_t Size(std::size_t count) {
    return count * sizeof(T) > sizeof(TBlock) ? count * sizeof(T) : sizeof(TBlock);
  }
};
