#include "media/net/datagram_queue.h"

#include <algorithm>
#include <cstring>

TDatagramQueue::TDatagramQueue(int32_t capacity, int32_t maxBytes)
    : _maxBytes(std::max(maxBytes, 0)),
      _slots(static_cast<size_t>(std::max(capacity, 1))),
      _bytes(_slots.size() * static_cast<size_t>(_maxBytes)) {
  _free.reserve(_slots.size());
  _heap.reserve(_slots.size());
  Clear();
}

bool TDatagramQueue::Later(int32_t a, int32_t b) const {
  const TSlot& x = _slots[static_cast<size_t>(a)];
  const TSlot& y = _slots[static_cast<size_t>(b)];
  if (x.header.due != y.header.due) {
    return x.header.due > y.header.due;
  }
  return x.order > y.order;
}

bool TDatagramQueue::Push(const TDatagramHeader& header, std::span<const uint8_t> bytes) {
  if (_free.empty() || bytes.size() > static_cast<size_t>(_maxBytes)) {
    return false;
  }
  int32_t slot = _free.back();
  _free.pop_back();
  TSlot& target = _slots[static_cast<size_t>(slot)];
  target.header = header;
  target.size = static_cast<int32_t>(bytes.size());
  target.order = _nextOrder++;
  if (!bytes.empty()) {
    std::memcpy(&_bytes[static_cast<size_t>(slot) * static_cast<size_t>(_maxBytes)], bytes.data(), bytes.size());
  }
  // Within the reserved capacity: push_back does not allocate.
  _heap.push_back(slot);
  std::push_heap(_heap.begin(), _heap.end(), [this](int32_t a, int32_t b) { return Later(a, b); });
  return true;
}

const TDatagramHeader& TDatagramQueue::Front() const {
  return _slots[static_cast<size_t>(_heap.front())].header;
}

std::span<const uint8_t> TDatagramQueue::FrontBytes() const {
  size_t slot = static_cast<size_t>(_heap.front());
  return {_bytes.data() + slot * static_cast<size_t>(_maxBytes), static_cast<size_t>(_slots[slot].size)};
}

void TDatagramQueue::Pop() {
  std::pop_heap(_heap.begin(), _heap.end(), [this](int32_t a, int32_t b) { return Later(a, b); });
  _free.push_back(_heap.back());
  _heap.pop_back();
}

void TDatagramQueue::Clear() {
  _heap.clear();
  _free.clear();
  // Highest first, so the first pushes take the lowest slots.
  for (int32_t slot = static_cast<int32_t>(_slots.size()) - 1; slot >= 0; slot--) {
    _free.push_back(slot);
  }
}
