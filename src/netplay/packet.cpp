// Byte by byte, little-endian, so both machines read the same numbers whatever their own order.
#include "netplay/packet.h"

#include <algorithm>
#include <cstring>

namespace {

class TWriter {
public:
  explicit TWriter(std::span<uint8_t> out) : _out(out) {}
  void U8(uint32_t value) { _out[_at++] = static_cast<uint8_t>(value); }
  void U16(uint32_t value) {
    U8(value);
    U8(value >> 8);
  }
  void U32(uint32_t value) {
    U16(value);
    U16(value >> 16);
  }
  void U64(uint64_t value) {
    U32(static_cast<uint32_t>(value));
    U32(static_cast<uint32_t>(value >> 32));
  }
  void Bytes(const char* bytes, size_t count) {
    std::memcpy(_out.data() + _at, bytes, count);
    _at += count;
  }
  size_t Size() const { return _at; }

private:
  std::span<uint8_t> _out;
  size_t _at = 0;
};

// Every read checks the room left; a failed one leaves the reader failed, so a message is checked once at its end.
class TReader {
public:
  explicit TReader(std::span<const uint8_t> bytes) : _bytes(bytes) {}
  uint32_t U8() {
    if (_at >= _bytes.size()) {
      _failed = true;
      return 0;
    }
    return _bytes[_at++];
  }
  // Each byte in its own statement: the order of the operands of | is not the order they are read in.
  uint32_t U16() {
    uint32_t low = U8();
    return low | U8() << 8;
  }
  uint32_t U32() {
    uint32_t low = U16();
    return low | U16() << 16;
  }
  uint64_t U64() {
    uint64_t low = U32();
    return low | static_cast<uint64_t>(U32()) << 32;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  bool Bytes(char* out, size_t count) {
    if (_bytes.size() - std::min(_at, _bytes.size()) < count) {
      _failed = true;
      return false;
    }
    std::memcpy(out, _bytes.data() + _at, count);
    _at += count;
    return true;
  }
  // Whether every read succeeded and nothing is left over.
  bool Whole() const { return !_failed && _at == _bytes.size(); }

private:
  std::span<const uint8_t> _bytes;
  size_t _at = 0;
  bool _failed = false;
};

void Header(TWriter& writer, uint8_t kind) {
  writer.U8(NETPLAY_PROTOCOL);
  writer.U8(kind);
}

bool ReadVersion(TReader& reader, std::array<char, NETPLAY_VERSION_BYTES>* version, uint8_t* length) {
  uint32_t count = reader.U8();
  if (count > NETPLAY_VERSION_BYTES) {
    return false;
  }
  *length = static_cast<uint8_t>(count);
  return reader.Bytes(version->data(), count);
}

bool DecodeInput(TReader& reader, int32_t presentTick, int32_t currentMatch, TInputPacket* input) {
  input->match = static_cast<uint8_t>(reader.U8());
  input->firstTick = reader.I32();
  uint32_t runs = reader.U8();
  if (input->firstTick < 0 || runs < 1 || runs > NETPLAY_MAX_FRAMES) {
    return false;
  }
  input->count = 0;
  for (uint32_t run = 0; run < runs; run++) {
    auto frame = static_cast<TInputFrame>(reader.U16());
    auto length = static_cast<int32_t>(reader.U8());
    if ((frame & ~INPUT_VALID_BITS) != 0 || length < 1 || input->count + length > NETPLAY_MAX_FRAMES) {
      return false;
    }
    // A run of the frame of the run before is not how a game writes it: each message has one form.
    if (run > 0 && frame == input->frames[static_cast<size_t>(input->count - 1)]) {
      return false;
    }
    std::fill_n(input->frames.begin() + input->count, length, frame);
    input->count += length;
  }
  bool ours = currentMatch < 0 || input->match == currentMatch;
  int64_t horizon = ours ? static_cast<int64_t>(presentTick) + NETPLAY_TICK_HORIZON : INT32_MAX;
  if (static_cast<int64_t>(input->firstTick) + input->count > horizon) {
    return false;
  }
  input->ack = reader.I32();
  input->hashTick = reader.I32();
  input->hash = reader.U64();
  input->lead = static_cast<int8_t>(reader.U8());
  return input->ack >= 0 && input->ack <= horizon && input->hashTick >= -1 && input->hashTick < horizon;
}

}  // namespace

void FillVersion(std::string_view text, std::array<char, NETPLAY_VERSION_BYTES>* version, uint8_t* length) {
  size_t count = std::min(text.size(), version->size());
  std::memcpy(version->data(), text.data(), count);
  *length = static_cast<uint8_t>(count);
}

size_t EncodeHello(const THelloPacket& hello, std::span<uint8_t> out) {
  TWriter writer(out);
  Header(writer, PACKET_HELLO);
  writer.U8(static_cast<uint32_t>(std::clamp(hello.inputDelay, 0, 255)));
  writer.U8(hello.ring);
  writer.U64(hello.rulesHash);
  uint8_t length = std::min<uint8_t>(hello.versionLength, NETPLAY_VERSION_BYTES);
  writer.U8(length);
  writer.Bytes(hello.version.data(), length);
  return writer.Size();
}

size_t EncodeAnswer(const TAnswerPacket& answer, std::span<uint8_t> out) {
  TWriter writer(out);
  Header(writer, PACKET_ANSWER);
  writer.U8(answer.verdict);
  uint8_t length = std::min<uint8_t>(answer.versionLength, NETPLAY_VERSION_BYTES);
  writer.U8(length);
  writer.Bytes(answer.version.data(), length);
  return writer.Size();
}

size_t EncodeInput(const TInputPacket& input, std::span<uint8_t> out) {
  TWriter writer(out);
  Header(writer, PACKET_INPUT);
  writer.U8(input.match);
  int32_t count = std::clamp(input.count, 1, NETPLAY_MAX_FRAMES);
  writer.U32(static_cast<uint32_t>(input.firstTick));
  // The number of runs goes before them: counted first.
  uint32_t runs = 1;
  for (int32_t i = 1; i < count; i++) {
    runs += input.frames[static_cast<size_t>(i)] != input.frames[static_cast<size_t>(i - 1)] ? 1 : 0;
  }
  writer.U8(runs);
  for (int32_t start = 0; start < count;) {
    TInputFrame frame = input.frames[static_cast<size_t>(start)];
    int32_t end = start + 1;
    while (end < count && input.frames[static_cast<size_t>(end)] == frame) {
      end++;
    }
    writer.U16(frame);
    writer.U8(static_cast<uint32_t>(end - start));
    start = end;
  }
  writer.U32(static_cast<uint32_t>(input.ack));
  writer.U32(static_cast<uint32_t>(input.hashTick));
  writer.U64(input.hash);
  writer.U8(static_cast<uint8_t>(static_cast<int8_t>(std::clamp(input.lead, -128, 127))));
  return writer.Size();
}

size_t EncodeQuit(uint8_t reason, std::span<uint8_t> out) {
  TWriter writer(out);
  Header(writer, PACKET_QUIT);
  writer.U8(reason);
  return writer.Size();
}

size_t EncodeRematch(uint8_t match, std::span<uint8_t> out) {
  TWriter writer(out);
  Header(writer, PACKET_REMATCH);
  writer.U8(match);
  return writer.Size();
}

bool DecodePacket(std::span<const uint8_t> bytes, int32_t presentTick, TPacket* packet, int32_t currentMatch) {
  if (bytes.size() > static_cast<size_t>(NETPLAY_MAX_PACKET)) {
    return false;
  }
  TReader reader(bytes);
  packet->protocol = static_cast<uint8_t>(reader.U8());
  packet->kind = static_cast<uint8_t>(reader.U8());
  // The hello keeps its layout in every protocol, so a peer of another one still hears which version we run.
  if (packet->protocol != NETPLAY_PROTOCOL && packet->kind != PACKET_HELLO) {
    return false;
  }
  bool valid = false;
  switch (packet->kind) {
    case PACKET_HELLO:
      packet->hello.inputDelay = static_cast<int32_t>(reader.U8());
      packet->hello.ring = static_cast<uint8_t>(reader.U8());
      packet->hello.rulesHash = reader.U64();
      valid = ReadVersion(reader, &packet->hello.version, &packet->hello.versionLength);
      break;
    case PACKET_ANSWER:
      packet->answer.verdict = static_cast<uint8_t>(reader.U8());
      valid = packet->answer.verdict <= ANSWER_BAD_DELAY &&
              ReadVersion(reader, &packet->answer.version, &packet->answer.versionLength);
      break;
    case PACKET_INPUT:
      valid = DecodeInput(reader, presentTick, currentMatch, &packet->input);
      break;
    case PACKET_QUIT:
      packet->quitReason = static_cast<uint8_t>(reader.U8());
      valid = true;
      break;
    case PACKET_REMATCH:
      packet->rematch = static_cast<uint8_t>(reader.U8());
      valid = true;
      break;
    default:
      break;
  }
  return valid && reader.Whole();
}
