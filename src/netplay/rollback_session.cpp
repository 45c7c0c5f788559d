// The frame of an online match: take what arrived, go back where the guess was wrong, step, tell the peer.
#include "netplay/rollback_session.h"

#include <algorithm>

#include "media/core/clock.h"
#include "media/net/transport.h"

namespace {

constexpr TInputFrame kHeldBits = (1u << COMMAND_COUNT) - 1;
constexpr TInputFrame kHitBits = INPUT_VALID_BITS & ~kHeldBits;
// The least number of frames between two waits of the time sync, so it evens out slowly and never stutters.
constexpr int32_t kSyncWaitSpacing = 10;
constexpr int32_t kTickMillis = 20;

// Why a connection ended before the match began, as the player who tried to join reads it.
std::string JoinFailure(int32_t reason) {
  switch (reason) {
    case NET_REASON_BUSY:
      return "That game already has its two players";
    case NET_REASON_TIMEOUT:
      return "No game answered at that address";
    case NET_REASON_UNREACHABLE:
      return "The network cannot reach that address";
    case NET_REASON_NO_SUCH_HOST:
      return "No machine is known by that name";
    default:
      return "The other player left";
  }
}

bool SameSound(const TFightEvent& a, const TFightEvent& b) {
  return a.tick == b.tick && a.kind == b.kind && a.sound == b.sound && a.fighter == b.fighter;
}

}  // namespace

TRollbackSession::TRollbackSession(TNetTransport& transport, const TSessionConfig& config)
    : _transport(transport), _config(config) {
  _config.side &= 1;
  _config.inputDelay = std::clamp(_config.inputDelay, 0, SESSION_MAX_INPUT_DELAY);
  if (_config.rulesHash == 0) {
    _config.rulesHash = FightRulesHash();
  }
  // The first ticks of the delay have no local frame: the player had no time to press anything.
  _localNext = _config.inputDelay;
  _remoteHashTicks.fill(-1);
  _fight.Save(&_fresh);
  _lastHeard = ElapsedMillis();
}

void TRollbackSession::Tick(TInputFrame local) {
  _soundCount = 0;
  _wrongCount = 0;
  int32_t rolledBack = 0;
  if (_state < SESSION_PEER_LEFT) {
    if (!_helloSent && _transport.Connected()) {
      SendHello();
    }
    Receive();
  }
  if (_rematchAsked && _peerRematch && _state == SESSION_RUNNING) {
    BeginNextMatch();
  }
  if (_state == SESSION_HANDSHAKE && !_transport.Connected()) {
    // A host waits for its joiner as long as the player likes; a join that gets no answer is the transport's to
    // give up on. Silence counts from the connection on.
    _lastHeard = ElapsedMillis();
  }
  if (_state == SESSION_RUNNING || _state == SESSION_INTERRUPTED || _state == SESSION_HANDSHAKE) {
    int32_t silent = DiffMillis(ElapsedMillis(), _lastHeard);
    if (silent >= SESSION_GONE_MILLIS) {
      _transport.Disconnect(NET_REASON_TIMEOUT);
      Stop(SESSION_PEER_LEFT, "The other player left");
    } else if (silent >= SESSION_INTERRUPT_MILLIS && _state == SESSION_RUNNING) {
      _state = SESSION_INTERRUPTED;
    }
  }
  if (_state == SESSION_RUNNING) {
    if (_firstWrong >= 0) {
      rolledBack = _fight.Tick() - _firstWrong;
      RollBack();
    }
    Confirm();
  }
  if (_state == SESSION_RUNNING) {
    bool outOfGuesses = _fight.Tick() + 1 - _remoteNext > SESSION_MAX_PREDICTION;
    if (outOfGuesses || TimeSyncWait()) {
      _totals.ticksWaited++;
      _carriedHits |= local & kHitBits;
    } else {
      LocalFrame(_localNext) = local | _carriedHits;
      _carriedHits = 0;
      _localNext++;
      Step(true);
      Confirm();
    }
  } else {
    _carriedHits |= local & kHitBits;
  }
  if (_state == SESSION_RUNNING || _state == SESSION_INTERRUPTED) {
    SendInput();
  }
  _sinceSyncWait++;
  _recentDepths[_frame++ % _recentDepths.size()] = rolledBack;
}

void TRollbackSession::Leave() {
  if (_transport.Connected()) {
    SendControl(EncodeQuit(static_cast<uint8_t>(NET_REASON_QUIT), _buffer));
    _transport.Disconnect(NET_REASON_QUIT);
  }
  if (_state < SESSION_PEER_LEFT) {
    Stop(SESSION_LEFT, "You left the match");
  }
}

void TRollbackSession::AskRematch() {
  if (_overTick < 0 || _rematchAsked || _state >= SESSION_PEER_LEFT) {
    return;
  }
  _rematchAsked = true;
  SendControl(EncodeRematch(static_cast<uint8_t>(_match + 1), _buffer));
}

void TRollbackSession::BeginNextMatch() {
  // Both sides come here once each has confirmed the end and heard the other ask: the same fight from the same
  // tick 0 on both, and the frames of the match before told apart by the match's number.
  _match++;
  _rematchAsked = false;
  _peerRematch = false;
  _fight.Load(_fresh);
  _localNext = _config.inputDelay;
  _localFrames.fill(INPUT_NONE);
  _remoteNext = 0;
  _peerAck = 0;
  _firstWrong = -1;
  _confirmed = 0;
  _peerLead = 0;
  _carriedHits = 0;
  _remoteHashTicks.fill(-1);
  _overTick = -1;
  _overHash = 0;
  _overWinner = -1;
}

bool TRollbackSession::ConfirmedFrames(int32_t tick, TInputFrame* left, TInputFrame* right) const {
  if (tick < 0 || tick >= _confirmed || tick <= _fight.Tick() - SESSION_RING) {
    return false;
  }
  const TTickRecord& record = _ticks[Slot(tick)];
  *left = _config.side == 0 ? record.local : record.remoteUsed;
  *right = _config.side == 0 ? record.remoteUsed : record.local;
  return true;
}

bool TRollbackSession::StateAfter(int32_t tick, TFightState* state) const {
  if (tick < 0 || tick + 1 >= _fight.Tick() || tick + 1 <= _fight.Tick() - SESSION_RING) {
    return false;
  }
  *state = _ticks[Slot(tick + 1)].before;
  return true;
}

bool TRollbackSession::PeerHash(int32_t tick, uint64_t* hash) const {
  if (tick < 0 || _remoteHashTicks[Slot(tick)] != tick) {
    return false;
  }
  *hash = _remoteHashes[Slot(tick)];
  return true;
}

bool TRollbackSession::ConfirmedHash(int32_t tick, uint64_t* hash) const {
  if (tick < 0 || tick >= _confirmed || tick <= _fight.Tick() - SESSION_RING) {
    return false;
  }
  *hash = _ticks[Slot(tick)].hashAfter;
  return true;
}

TSessionFigures TRollbackSession::Figures() const {
  TSessionFigures figures = _totals;
  figures.roundTripMillis = _transport.RoundTripMillis();
  figures.inputDelay = _config.inputDelay;
  for (int32_t depth : _recentDepths) {
    figures.rollbacksLastSecond += depth > 0 ? 1 : 0;
    figures.deepestLastSecond = std::max(figures.deepestLastSecond, depth);
  }
  return figures;
}

void TRollbackSession::Receive() {
  for (TNetEvent event = _transport.Poll(); event.kind != NET_EVENT_NONE; event = _transport.Poll()) {
    if (event.kind == NET_EVENT_CONNECTED) {
      if (!_helloSent) {
        SendHello();
      }
    } else if (event.kind == NET_EVENT_DISCONNECTED) {
      Stop(SESSION_PEER_LEFT, _state == SESSION_HANDSHAKE ? JoinFailure(event.reason) : "The other player left");
      return;
    } else if (event.kind == NET_EVENT_RECEIVED) {
      TPacket packet;
      if (!DecodePacket(event.data, _localNext, &packet, static_cast<uint8_t>(_match))) {
        _totals.droppedPackets++;
        continue;
      }
      _lastHeard = ElapsedMillis();
      if (_state == SESSION_INTERRUPTED) {
        _state = SESSION_RUNNING;
      }
      Handle(packet);
      if (_state >= SESSION_PEER_LEFT) {
        return;
      }
    }
  }
}

void TRollbackSession::Handle(const TPacket& packet) {
  switch (packet.kind) {
    case PACKET_HELLO:
      if (_state == SESSION_HANDSHAKE) {
        HandleHello(packet);
      }
      break;
    case PACKET_ANSWER:
      if (packet.answer.verdict != ANSWER_ACCEPTED) {
        Stop(SESSION_REFUSED, Refusal(packet.answer.verdict, packet.answer.Version()));
      }
      break;
    case PACKET_INPUT:
      // Inputs that overtook the hello are sent again; until then they mean nothing. Those of the match before a
      // rematch, or of the next one while this side has not heard the peer ask for it, mean nothing either.
      if (_state != SESSION_HANDSHAKE && packet.input.match == static_cast<uint8_t>(_match)) {
        HandleInput(packet.input);
      }
      break;
    case PACKET_REMATCH:
      if (packet.rematch == static_cast<uint8_t>(_match + 1)) {
        _peerRematch = true;
      }
      break;
    case PACKET_QUIT:
      _transport.Disconnect(NET_REASON_QUIT);
      Stop(SESSION_PEER_LEFT, "The other player left");
      break;
    default:
      break;
  }
}

std::string TRollbackSession::Refusal(uint8_t verdict, std::string_view peerVersion) const {
  switch (verdict) {
    case ANSWER_OTHER_VERSION:
      return "The other player has Morvik " + std::string(peerVersion) + "; you have " + std::string(_config.version);
    case ANSWER_OTHER_RULES:
      return "The other player's Morvik " + std::string(peerVersion) + " fights by other rules than yours";
    default:
      return "The other player's input delay is out of range";
  }
}

void TRollbackSession::HandleHello(const TPacket& packet) {
  const THelloPacket& hello = packet.hello;
  uint8_t verdict = ANSWER_ACCEPTED;
  if (packet.protocol != NETPLAY_PROTOCOL || hello.Version() != _config.version) {
    verdict = ANSWER_OTHER_VERSION;
  } else if (hello.rulesHash != _config.rulesHash) {
    verdict = ANSWER_OTHER_RULES;
  } else if (hello.inputDelay > SESSION_MAX_INPUT_DELAY) {
    verdict = ANSWER_BAD_DELAY;
  }
  TAnswerPacket answer;
  answer.verdict = verdict;
  FillVersion(_config.version, &answer.version, &answer.versionLength);
  SendControl(EncodeAnswer(answer, _buffer));
  if (verdict != ANSWER_ACCEPTED) {
    Stop(SESSION_REFUSED, Refusal(verdict, hello.Version()));
    return;
  }
  _remoteDelay = hello.inputDelay;
  _peerRing = hello.ring;
  _state = SESSION_RUNNING;
  _began = true;
}

void TRollbackSession::HandleInput(const TInputPacket& input) {
  if (input.ack > _localNext) {
    // It claims frames we never sent.
    _totals.droppedPackets++;
    return;
  }
  _peerAck = std::max(_peerAck, input.ack);
  _peerLead = input.lead;
  for (int32_t i = 0; i < input.count; i++) {
    int32_t tick = input.firstTick + i;
    if (tick < _remoteNext) {
      continue;
    }
    // Only the next frame in order is taken: a later one after a gap waits for a message that fills the gap.
    if (tick > _remoteNext || tick >= _fight.Tick() + SESSION_RING / 2) {
      break;
    }
    TInputFrame frame = input.frames[static_cast<size_t>(i)];
    _remoteFrames[Slot(tick)] = frame;
    if (tick < _fight.Tick() && _ticks[Slot(tick)].remoteUsed != frame) {
      _firstWrong = _firstWrong < 0 ? tick : std::min(_firstWrong, tick);
    }
    _remoteNext++;
  }
  if (input.hashTick < 0) {
    return;
  }
  if (input.hashTick < _confirmed) {
    if (input.hashTick > _fight.Tick() - SESSION_RING) {
      CompareHash(input.hashTick, input.hash);
    }
  } else {
    _remoteHashTicks[Slot(input.hashTick)] = input.hashTick;
    _remoteHashes[Slot(input.hashTick)] = input.hash;
  }
}

void TRollbackSession::CompareHash(int32_t tick, uint64_t hash) {
  if (_ticks[Slot(tick)].hashAfter != hash && _state != SESSION_DESYNC) {
    _desyncTick = tick;
    Stop(SESSION_DESYNC, "The game went out of step at tick " + std::to_string(tick));
  }
}

void TRollbackSession::Confirm() {
  int32_t confirmed = ConfirmedTicks();
  while (_confirmed < confirmed && _state == SESSION_RUNNING) {
    int32_t tick = _confirmed++;
    const TTickRecord& record = _ticks[Slot(tick)];
    if (record.overAfter && _overTick < 0) {
      _overTick = tick;
      _overHash = record.hashAfter;
      _overWinner = _fight.Winner();
    }
    if (_remoteHashTicks[Slot(tick)] == tick) {
      CompareHash(tick, _remoteHashes[Slot(tick)]);
    }
  }
}

void TRollbackSession::RollBack() {
  int32_t present = _fight.Tick();
  int32_t depth = present - _firstWrong;
  _fight.Load(_ticks[Slot(_firstWrong)].before);
  _firstWrong = -1;
  while (_fight.Tick() < present) {
    Step(false);
  }
  _totals.rollbacks++;
  _totals.rolledBackTicks += depth;
  _totals.deepest = std::max(_totals.deepest, depth);
}

void TRollbackSession::Step(bool firstTime) {
  int32_t tick = _fight.Tick();
  TTickRecord& record = _ticks[Slot(tick)];
  _fight.Save(&record.before);
  record.local = LocalFrame(tick);
  record.remoteUsed = tick < _remoteNext ? _remoteFrames[Slot(tick)] : Guess();
  bool left = _config.side == 0;
  std::span<const TFightEvent> events =
      _fight.Advance(left ? record.local : record.remoteUsed, left ? record.remoteUsed : record.local);
  record.hashAfter = _fight.Hash();
  record.overAfter = _fight.Phase() == FIGHT_OVER;

  size_t count = std::min(events.size(), record.events.size());
  std::span<const TFightEvent> before(record.events.data(), firstTime ? 0 : record.eventCount);
  for (size_t i = 0; i < count; i++) {
    if (std::none_of(before.begin(), before.end(), [&](const TFightEvent& old) { return SameSound(old, events[i]); })) {
      AddSound(events[i]);
    }
  }
  for (const TFightEvent& old : before) {
    if (std::none_of(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(count),
                     [&](const TFightEvent& now) { return SameSound(old, now); })) {
      AddWrongSound(old);
    }
  }
  std::copy_n(events.begin(), count, record.events.begin());
  record.eventCount = static_cast<uint8_t>(count);
}

TInputFrame TRollbackSession::Guess() const {
  // What the peer held last, without its presses: a held guard goes on, a punch is seldom thrown twice in a row.
  return _remoteNext > 0 ? static_cast<TInputFrame>(_remoteFrames[Slot(_remoteNext - 1)] & kHeldBits) : INPUT_NONE;
}

int32_t TRollbackSession::Lead() const {
  int32_t halfTrip = _transport.RoundTripMillis() / (2 * kTickMillis);
  return _fight.Tick() - (_remoteNext - _remoteDelay + halfTrip);
}

bool TRollbackSession::TimeSyncWait() {
  // Both sides tell how far each thinks it runs ahead; the one that runs ahead by a tick or more gives one back.
  if (_sinceSyncWait < kSyncWaitSpacing || Lead() - _peerLead < 2) {
    return false;
  }
  _sinceSyncWait = 0;
  return true;
}

void TRollbackSession::SendHello() {
  THelloPacket hello;
  hello.inputDelay = _config.inputDelay;
  hello.ring = static_cast<uint8_t>(_config.ring);
  hello.rulesHash = _config.rulesHash;
  FillVersion(_config.version, &hello.version, &hello.versionLength);
  SendControl(EncodeHello(hello, _buffer));
  _helloSent = true;
}

void TRollbackSession::SendInput() {
  if (_localNext == 0) {
    return;
  }
  TInputPacket input;
  input.match = static_cast<uint8_t>(_match);
  input.firstTick = std::min(_peerAck, _localNext - 1);
  input.count = std::min(NETPLAY_MAX_FRAMES, _localNext - input.firstTick);
  for (int32_t i = 0; i < input.count; i++) {
    input.frames[static_cast<size_t>(i)] = LocalFrame(input.firstTick + i);
  }
  input.ack = _remoteNext;
  if (_confirmed > 0) {
    input.hashTick = _confirmed - 1;
    input.hash = _ticks[Slot(_confirmed - 1)].hashAfter;
  }
  input.lead = Lead();
  size_t size = EncodeInput(input, _buffer);
  _transport.Send(NET_CHANNEL_INPUT, std::span<const uint8_t>(_buffer.data(), size));
}

void TRollbackSession::SendControl(size_t size) {
  _transport.Send(NET_CHANNEL_CONTROL, std::span<const uint8_t>(_buffer.data(), size));
}

void TRollbackSession::Stop(int32_t state, std::string message) {
  _state = state;
  _message = std::move(message);
}

void TRollbackSession::AddSound(const TFightEvent& event) {
  if (_soundCount < _sounds.size()) {
    _sounds[_soundCount++] = event;
  }
}

void TRollbackSession::AddWrongSound(const TFightEvent& event) {
  if (_wrongCount < _wrongSounds.size()) {
    _wrongSounds[_wrongCount++] = event;
  }
}
