// Datagrams on their way across an emulated link, each waiting for its time to arrive: the loopback's two
// directions and the link emulator's. Its room is taken once at construction, so pushing and popping never
// allocate; a full queue refuses the datagram and its owner counts the loss.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "media/net/net_address.h"
#include "media/net/transport.h"

struct TDatagramHeader {
  int64_t due = 0;     // when it arrives, in the link's milliseconds
  int64_t sentAt = 0;  // when it was sent, in the same milliseconds
  TNetAddress from;    // who sent it
  int32_t channel = 0;
  int32_t reason = NET_REASON_NONE;  // not NONE: a notice that the sender leaves, for this reason
};

class TDatagramQueue {
public:
  // Room for capacity datagrams of up to maxBytes each.
  TDatagramQueue(int32_t capacity, int32_t maxBytes);

  // Queues a copy of bytes; false, and nothing queued, when the queue is full or bytes is over maxBytes.
  bool Push(const TDatagramHeader& header, std::span<const uint8_t> bytes);

  bool Empty() const { return _heap.empty(); }
  int32_t Size() const { return static_cast<int32_t>(_heap.size()); }
  int32_t MaxBytes() const { return _maxBytes; }

  // The datagram due first; among those due at the same time, the one pushed first. Only when not Empty.
  const TDatagramHeader& Front() const;
  std::span<const uint8_t> FrontBytes() const;
  void Pop();

  void Clear();

private:
  struct TSlot {
    TDatagramHeader header;
    int32_t size = 0;
    uint64_t order = 0;  // push order, which keeps datagrams due at the same time first in, first out
  };

  bool Later(int32_t a, int32_t b) const;

  int32_t _maxBytes;
  std::vector<TSlot> _slots;
  std::vector<uint8_t> _bytes;  // maxBytes for each slot
  std::vector<int32_t> _free;   // slots not in use
  std::vector<int32_t> _heap;   // slots in use, a min-heap on (due, order)
  uint64_t _nextOrder = 0;
};
