#include "scripted_match.h"

#include <algorithm>

namespace {

constexpr int32_t kTickMillis = 20;
// The benchmark measures going back, not waiting: the scripted peer tells the host it runs as far ahead as the host
// may guess, so the time sync never holds the host back to let it catch up.
constexpr int32_t kPeerLead = SESSION_MAX_PREDICTION;

}  // namespace

void TScriptedPeer::Deliver(int32_t channel, std::span<const uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), _inbox[_count].begin());
  _channels[_count] = channel;
  _sizes[_count++] = bytes.size();
}

bool TScriptedPeer::Send(int32_t, std::span<const uint8_t> bytes) {
  _counters.sent++;
  _counters.sentBytes += static_cast<int64_t>(bytes.size());
  return true;
}

TNetEvent TScriptedPeer::Poll() {
  if (_next == _count) {
    _next = _count = 0;
    return {};
  }
  size_t at = _next++;
  _counters.received++;
  _counters.receivedBytes += static_cast<int64_t>(_sizes[at]);
  TNetEvent event;
  event.kind = NET_EVENT_RECEIVED;
  event.channel = _channels[at];
  event.data = std::span<const uint8_t>(_inbox[at].data(), _sizes[at]);
  return event;
}

TScriptedMatch::TScriptedMatch(TManualClock& clock) : _clock(clock) {
  TSessionConfig config;
  config.side = 0;
  config.inputDelay = 0;  // so the warm-up's ticks are the scripted fight's own
  _session = std::make_unique<TRollbackSession>(_peer, config);
  THelloPacket hello;
  hello.inputDelay = config.inputDelay;
  hello.rulesHash = FightRulesHash();
  FillVersion(config.version, &hello.version, &hello.versionLength);
  std::array<uint8_t, NETPLAY_MAX_PACKET> bytes{};
  _peer.Deliver(NET_CHANNEL_CONTROL, std::span<const uint8_t>(bytes.data(), EncodeHello(hello, bytes)));
  while (_session->Fight().Tick() < kWarmUpTicks) {
    DeliverFrames(1);
    Frame();
  }
}

void TScriptedMatch::GuessAhead(int32_t frames) {
  for (int32_t i = 0; i < frames; i++) {
    Frame();
  }
}

void TScriptedMatch::FrameThatRollsBack() {
  DeliverFrames(_session->Fight().Tick() - _peerNext + 1);
  Frame();
}

bool TScriptedMatch::RoomForAnother() const {
  return _session->Fight().Tick() + 2 * (SESSION_MAX_PREDICTION + 1) <= kWarmUpTicks + kScriptTicks;
}

void TScriptedMatch::Frame() {
  _clock.Advance(kTickMillis);
  _session->Tick(_script[static_cast<size_t>(_session->Fight().Tick())][0]);
}

void TScriptedMatch::DeliverFrames(int32_t count) {
  TInputPacket input;
  input.firstTick = _peerNext;
  input.count = count;
  for (int32_t i = 0; i < count; i++) {
    input.frames[static_cast<size_t>(i)] = _script[static_cast<size_t>(_peerNext + i)][1];
  }
  if (count > 1) {
    // A press the session cannot have guessed (it guesses what was held, never a new press), so the first guessed
    // tick is wrong and the session goes back all the way.
    input.frames[0] |= MakeInput({0}, {0});
  }
  input.ack = _session->Fight().Tick();  // no more than the session has sent
  input.lead = kPeerLead;
  std::array<uint8_t, NETPLAY_MAX_PACKET> bytes{};
  _peer.Deliver(NET_CHANNEL_INPUT, std::span<const uint8_t>(bytes.data(), EncodeInput(input, bytes)));
  _peerNext += count;
}
