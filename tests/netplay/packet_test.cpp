#include "netplay/packet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<uint8_t> InputBytes(const TInputPacket& input) {
  std::vector<uint8_t> bytes(NETPLAY_MAX_PACKET);
  bytes.resize(EncodeInput(input, bytes));
  return bytes;
}

TInputPacket FullInput() {
  TInputPacket input;
  input.match = 201;
  input.firstTick = 1000;
  input.count = NETPLAY_MAX_FRAMES;
  for (int32_t i = 0; i < input.count; i++) {
    input.frames[static_cast<size_t>(i)] = static_cast<TInputFrame>((i * 2741) & INPUT_VALID_BITS);
  }
  input.ack = 1010;
  input.hashTick = 990;
  input.hash = 0x0123456789ABCDEFull;
  input.lead = -3;
  return input;
}

TEST(NetplayPacket, EveryKindReadsBackAsWritten) {
  std::vector<uint8_t> bytes(NETPLAY_MAX_PACKET);
  TPacket packet;

  THelloPacket hello;
  hello.inputDelay = 3;
  hello.rulesHash = 0xFEDCBA9876543210ull;
  FillVersion("1.1", &hello.version, &hello.versionLength);
  ASSERT_TRUE(DecodePacket({bytes.data(), EncodeHello(hello, bytes)}, 0, &packet));
  EXPECT_EQ(packet.kind, PACKET_HELLO);
  EXPECT_EQ(packet.hello.inputDelay, 3);
  EXPECT_EQ(packet.hello.rulesHash, hello.rulesHash);
  EXPECT_EQ(packet.hello.Version(), "1.1");
  // Little-endian whatever the machine: the rules hash's lowest byte comes first.
  EXPECT_EQ(bytes[4], 0x10);

  TAnswerPacket answer;
  answer.verdict = ANSWER_OTHER_VERSION;
  FillVersion("1.2", &answer.version, &answer.versionLength);
  ASSERT_TRUE(DecodePacket({bytes.data(), EncodeAnswer(answer, bytes)}, 0, &packet));
  EXPECT_EQ(packet.answer.verdict, ANSWER_OTHER_VERSION);
  EXPECT_EQ(packet.answer.Version(), "1.2");

  std::vector<uint8_t> input = InputBytes(FullInput());
  EXPECT_EQ(input.size(), static_cast<size_t>(NETPLAY_MAX_PACKET));
  ASSERT_TRUE(DecodePacket(input, 1000, &packet));
  EXPECT_EQ(packet.input.match, 201);
  EXPECT_EQ(packet.input.firstTick, 1000);
  EXPECT_EQ(packet.input.count, NETPLAY_MAX_FRAMES);
  EXPECT_EQ(packet.input.frames, FullInput().frames);
  EXPECT_EQ(packet.input.ack, 1010);
  EXPECT_EQ(packet.input.hashTick, 990);
  EXPECT_EQ(packet.input.hash, 0x0123456789ABCDEFull);
  EXPECT_EQ(packet.input.lead, -3);

  ASSERT_TRUE(DecodePacket({bytes.data(), EncodeQuit(7, bytes)}, 0, &packet));
  EXPECT_EQ(packet.kind, PACKET_QUIT);
  EXPECT_EQ(packet.quitReason, 7);

  ASSERT_TRUE(DecodePacket({bytes.data(), EncodeRematch(3, bytes)}, 0, &packet));
  EXPECT_EQ(packet.kind, PACKET_REMATCH);
  EXPECT_EQ(packet.rematch, 3);
}

TEST(NetplayPacket, HeldFramesTravelAsRuns) {
  // A guard held for 40 frames, then a punch and the guard again: three runs, whatever the count.
  TInputPacket input = FullInput();
  input.count = 43;
  std::fill_n(input.frames.begin(), 40, TInputFrame{0x0004});
  input.frames[40] = 0x0104;
  input.frames[41] = 0x0004;
  input.frames[42] = 0x0004;
  std::vector<uint8_t> bytes = InputBytes(input);
  EXPECT_EQ(bytes.size(), static_cast<size_t>(NETPLAY_MAX_PACKET - 3 * (NETPLAY_MAX_FRAMES - 3)));
  TPacket packet;
  ASSERT_TRUE(DecodePacket(bytes, 1000, &packet));
  EXPECT_EQ(packet.input.count, 43);
  EXPECT_TRUE(std::equal(input.frames.begin(), input.frames.begin() + 43, packet.input.frames.begin()));

  // A run of no frames, and runs that add up to more than a message carries, are forged.
  std::vector<uint8_t> forged = bytes;
  forged[10] = 0;  // the first run's length
  EXPECT_FALSE(DecodePacket(forged, 1000, &packet));
  forged[10] = NETPLAY_MAX_FRAMES;  // 64 + 1 + 2
  EXPECT_FALSE(DecodePacket(forged, 1000, &packet));
  // Nor does a game write two runs of one frame: every message has a single form.
  forged = bytes;
  forged[11] = 0x04;  // the second run's frame made the first's
  forged[12] = 0x00;
  EXPECT_FALSE(DecodePacket(forged, 1000, &packet));
}

TEST(NetplayPacket, RefusesAnythingButAWholeWellFormedMessage) {
  TPacket packet;
  std::vector<uint8_t> whole = InputBytes(FullInput());
  for (size_t size = 0; size < whole.size(); size++) {
    EXPECT_FALSE(DecodePacket({whole.data(), size}, 1000, &packet)) << "cut to " << size << " bytes";
  }
  std::vector<uint8_t> longer = whole;
  longer.push_back(0);
  EXPECT_FALSE(DecodePacket(longer, 1000, &packet)) << "a byte too many";

  // Ticks far beyond the present: the frames, the ack and the hashed tick.
  EXPECT_TRUE(DecodePacket(whole, 1000 + NETPLAY_MAX_FRAMES - NETPLAY_TICK_HORIZON, &packet));
  EXPECT_FALSE(DecodePacket(whole, 999 + NETPLAY_MAX_FRAMES - NETPLAY_TICK_HORIZON, &packet));
  TInputPacket input = FullInput();
  input.ack = 1000 + NETPLAY_TICK_HORIZON + 1;
  EXPECT_FALSE(DecodePacket(InputBytes(input), 1000, &packet));
  input = FullInput();
  input.hashTick = 1000 + NETPLAY_TICK_HORIZON;
  EXPECT_FALSE(DecodePacket(InputBytes(input), 1000, &packet));
  input = FullInput();
  input.firstTick = -5;
  EXPECT_FALSE(DecodePacket(InputBytes(input), 1000, &packet));
  // The match before a rematch (201, its ticks far on) while match 202 has just begun: read, for the session to
  // pass over; the ticks of the match being played stay held to the horizon.
  EXPECT_TRUE(DecodePacket(whole, 3, &packet, 202));
  EXPECT_EQ(packet.input.match, 201);
  EXPECT_FALSE(DecodePacket(whole, 3, &packet, 201));
  EXPECT_FALSE(DecodePacket(whole, 3, &packet));
  input = FullInput();
  input.firstTick = -5;
  EXPECT_FALSE(DecodePacket(InputBytes(input), 3, &packet, 202)) << "another match's input keeps its form";

  // A frame with a bit no pad presses.
  input = FullInput();
  input.frames[17] = INPUT_VALID_BITS + 1;
  EXPECT_FALSE(DecodePacket(InputBytes(input), 1000, &packet));

  // No runs, or more than a message carries: the count of runs forged.
  std::vector<uint8_t> forged = whole;
  forged[7] = 0;
  EXPECT_FALSE(DecodePacket(forged, 1000, &packet));
  forged[7] = NETPLAY_MAX_FRAMES + 1;
  EXPECT_FALSE(DecodePacket(forged, 1000, &packet));

  // Another protocol's input, and kinds that do not exist.
  forged = whole;
  forged[0] = NETPLAY_PROTOCOL + 1;
  EXPECT_FALSE(DecodePacket(forged, 1000, &packet));
  forged = whole;
  forged[1] = 99;
  EXPECT_FALSE(DecodePacket(forged, 1000, &packet));
}

TEST(NetplayPacket, AnotherProtocolsHelloStillTellsItsVersion) {
  std::vector<uint8_t> bytes(NETPLAY_MAX_PACKET);
  THelloPacket hello;
  FillVersion("2.0", &hello.version, &hello.versionLength);
  bytes.resize(EncodeHello(hello, bytes));
  bytes[0] = NETPLAY_PROTOCOL + 1;
  TPacket packet;
  ASSERT_TRUE(DecodePacket(bytes, 0, &packet));
  EXPECT_EQ(packet.protocol, NETPLAY_PROTOCOL + 1);
  EXPECT_EQ(packet.hello.Version(), "2.0");
  // A version longer than the field is refused, not read past.
  bytes[12] = NETPLAY_VERSION_BYTES + 1;
  EXPECT_FALSE(DecodePacket(bytes, 0, &packet));
}

}  // namespace
