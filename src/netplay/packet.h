// The messages two machines exchange in an online match, as bytes: small, little-endian, each opening with the
// protocol's version and its kind. A decoder takes nothing on trust: a message that is cut short, too long for
// its kind, carries a frame with bits no pad can press or names ticks far beyond the present is refused whole.
//
//   byte 0   protocol version (NETPLAY_PROTOCOL)      byte 1   kind (PACKET_*)
//   HELLO    u8 input delay, u8 ring, u64 rules hash, u8 n, n bytes of the game's version (n <= NETPLAY_VERSION_BYTES)
//   ANSWER   u8 verdict (ANSWER_*), u8 n, n bytes of the answering game's version
//   INPUT    u8 match, i32 first tick, u8 runs, runs of (u16 frame, u8 length) whose lengths add up to
//            1..NETPLAY_MAX_FRAMES, i32 ack (remote ticks received), i32 hashed tick (-1 for none), u64 its hash,
//            i8 lead (ticks ahead of the peer)
//   QUIT     u8 reason
//   REMATCH  u8 the number of the match the sender asks to play next
//
// Frames go in runs because a player holds what they hold for many frames: the messages of a slow link, which
// repeat many frames, stay nearly as small as those of a fast one.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "fight/input_frame.h"

inline constexpr uint8_t NETPLAY_PROTOCOL = 1;
// The local frames one input message repeats at most: what the peer has not acknowledged, oldest first.
inline constexpr int32_t NETPLAY_MAX_FRAMES = 64;
inline constexpr int32_t NETPLAY_VERSION_BYTES = 32;
// How far beyond the receiver's present a message may name a tick: the peer runs at most a few ticks ahead, so
// anything further is a forged or broken message.
inline constexpr int32_t NETPLAY_TICK_HORIZON = 64;
// The longest message: an input message whose every frame differs from the one before.
inline constexpr int32_t NETPLAY_MAX_PACKET = 2 + 1 + 4 + 1 + 3 * NETPLAY_MAX_FRAMES + 4 + 4 + 8 + 1;

enum : uint8_t { PACKET_HELLO = 1, PACKET_ANSWER = 2, PACKET_INPUT = 3, PACKET_QUIT = 4, PACKET_REMATCH = 5 };
enum : uint8_t { ANSWER_ACCEPTED = 0, ANSWER_OTHER_VERSION = 1, ANSWER_OTHER_RULES = 2, ANSWER_BAD_DELAY = 3 };

struct THelloPacket {
  int32_t inputDelay = 0;
  uint8_t ring = 0;  // the ring the sender would fight in; the host's is the one both do
  uint64_t rulesHash = 0;
  uint8_t versionLength = 0;
  std::array<char, NETPLAY_VERSION_BYTES> version{};

  std::string_view Version() const { return {version.data(), versionLength}; }
};

struct TAnswerPacket {
  uint8_t verdict = ANSWER_ACCEPTED;
  uint8_t versionLength = 0;
  std::array<char, NETPLAY_VERSION_BYTES> version{};

  std::string_view Version() const { return {version.data(), versionLength}; }
};

struct TInputPacket {
  uint8_t match = 0;  // which match of the connection the frames belong to, counted from 0 and wrapping
  int32_t firstTick = 0;
  int32_t count = 0;
  std::array<TInputFrame, NETPLAY_MAX_FRAMES> frames{};
  int32_t ack = 0;        // ticks of the receiver's inputs the sender holds, all of them from 0
  int32_t hashTick = -1;  // a tick the sender has confirmed, or -1
  uint64_t hash = 0;      // the fight's hash after that tick
  int32_t lead = 0;       // how many ticks the sender thinks it runs ahead of the receiver
};

struct TPacket {
  uint8_t protocol = NETPLAY_PROTOCOL;
  uint8_t kind = 0;
  THelloPacket hello;
  TAnswerPacket answer;
  TInputPacket input;
  uint8_t quitReason = 0;
  uint8_t rematch = 0;  // REMATCH: the match asked for
};

// Writes a message into out (at least NETPLAY_MAX_PACKET bytes); the bytes written. Version strings longer than
// NETPLAY_VERSION_BYTES are cut; frame counts are clamped to 1..NETPLAY_MAX_FRAMES.
size_t EncodeHello(const THelloPacket& hello, std::span<uint8_t> out);
size_t EncodeAnswer(const TAnswerPacket& answer, std::span<uint8_t> out);
size_t EncodeInput(const TInputPacket& input, std::span<uint8_t> out);
size_t EncodeQuit(uint8_t reason, std::span<uint8_t> out);
size_t EncodeRematch(uint8_t match, std::span<uint8_t> out);

// Reads one message. False, with *packet unspecified, for anything but a whole well-formed message of this
// protocol whose ticks lie before presentTick + NETPLAY_TICK_HORIZON. Given the number of the match being played
// (0..255), an input of another match is held to its form alone: its ticks count from that match's start, not
// this one's (the last frames of the match before a rematch arrive late), and a session takes no input of it.
bool DecodePacket(std::span<const uint8_t> bytes, int32_t presentTick, TPacket* packet, int32_t currentMatch = -1);

// The game versions as the players read them when the two differ.
void FillVersion(std::string_view text, std::array<char, NETPLAY_VERSION_BYTES>* version, uint8_t* length);
