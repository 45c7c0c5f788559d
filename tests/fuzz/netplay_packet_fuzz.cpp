// Fuzzes the reader of online matches' messages: whatever the other machine (or anyone posing as it) sends.
// Every message it accepts must be one the session can take as it is, and must read back the same once written
// again.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "netplay/packet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Read as a session reads it, playing match 7: an input of another match is held to its form alone.
  constexpr int32_t kPresent = 1000;
  constexpr int32_t kMatch = 7;
  TPacket packet;
  if (!DecodePacket({data, size}, kPresent, &packet, kMatch)) {
    return 0;
  }
  std::array<uint8_t, NETPLAY_MAX_PACKET> again{};
  size_t written = 0;
  switch (packet.kind) {
    case PACKET_HELLO:
      written = EncodeHello(packet.hello, again);
      again[0] = packet.protocol;
      break;
    case PACKET_ANSWER:
      written = EncodeAnswer(packet.answer, again);
      break;
    case PACKET_INPUT: {
      const TInputPacket& input = packet.input;
      int64_t horizon = input.match == kMatch ? kPresent + NETPLAY_TICK_HORIZON : INT32_MAX;
      if (input.count < 1 || input.count > NETPLAY_MAX_FRAMES || input.firstTick < 0 ||
          int64_t{input.firstTick} + input.count > horizon || input.ack > horizon || input.hashTick < -1) {
        __builtin_trap();
      }
      for (int32_t i = 0; i < input.count; i++) {
        if ((input.frames[static_cast<size_t>(i)] & ~INPUT_VALID_BITS) != 0) {
          __builtin_trap();
        }
      }
      written = EncodeInput(input, again);
      break;
    }
    case PACKET_QUIT:
      written = EncodeQuit(packet.quitReason, again);
      break;
    case PACKET_REMATCH:
      written = EncodeRematch(packet.rematch, again);
      break;
    default:
      __builtin_trap();
  }
  if (written != size || std::memcmp(again.data(), data, size) != 0) {
    __builtin_trap();
  }
  return 0;
}
