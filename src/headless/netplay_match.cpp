#include "headless/netplay_match.h"

#include <memory>
#include <vector>

#include "app/match_simulation.h"
#include "fight/pilot.h"
#include "media/core/clock.h"
#include "media/core/random.h"
#include "media/net/loopback_transport.h"

namespace {

uint64_t SoundPrint(const TFightEvent& event) {
  uint64_t print = static_cast<uint64_t>(event.tick) * 0x9E3779B97F4A7C15ull;
  print ^= static_cast<uint64_t>(event.kind * 1000003 + event.sound * 101 + event.fighter + 1) * 0xC2B2AE3D27D4EB4Full;
  return print ^ (print >> 29);
}

}  // namespace

TNetplayMatch PlayNetplayMatch(const TLinkConditions& conditions, uint64_t seed, int32_t inputDelay, int32_t tickLimit,
                               TManualClock& clock) {
  SeedRandom(static_cast<int32_t>(seed));
  std::unique_ptr<TLoopbackLink> link = MakeLoopbackPair(conditions, seed);
  TPlayerModel newcomer = TPlayerModel::Newcomer();
  std::array<std::unique_ptr<TPilot>, 2> pilots = {newcomer.CreatePilot(), newcomer.CreatePilot()};
  TSessionConfig config;
  config.inputDelay = inputDelay;
  config.side = 0;
  TRollbackSession host(link->Host(), config);
  config.side = 1;
  TRollbackSession joiner(link->Joiner(), config);
  std::array<TRollbackSession*, 2> sessions = {&host, &joiner};

  TNetplayMatch match;
  // Sounds with +1 for played and -1 for called off.
  std::array<std::vector<std::pair<TFightEvent, int>>, 2> sounds;
  auto going = [](const TRollbackSession& session) { return session.State() < SESSION_PEER_LEFT; };
  while (going(host) && going(joiner)) {
    clock.Advance(20);
    match.frames++;
    for (int32_t side = 0; side < 2; side++) {
      TRollbackSession& session = *sessions[static_cast<size_t>(side)];
      session.Tick(pilots[static_cast<size_t>(side)]->Next(session.Fight(), side));
      for (const TFightEvent& event : session.Sounds()) {
        sounds[static_cast<size_t>(side)].emplace_back(event, 1);
      }
      for (const TFightEvent& event : session.WrongSounds()) {
        sounds[static_cast<size_t>(side)].emplace_back(event, -1);
      }
    }
    if (host.OverTick() >= 0 && joiner.OverTick() >= 0) {
      break;
    }
    if (host.ConfirmedTicks() >= tickLimit && joiner.ConfirmedTicks() >= tickLimit) {
      match.stalled = true;
      break;
    }
  }
  for (size_t side = 0; side < 2; side++) {
    const TRollbackSession& session = *sessions[side];
    match.state[side] = session.State();
    match.desync = match.desync || session.State() == SESSION_DESYNC;
    match.figures[side] = session.Figures();
    match.counters[side] = side == 0 ? link->Host().Counters() : link->Joiner().Counters();
    match.winner[side] = match.stalled ? -1 : session.OverWinner();
    match.endTick[side] = match.stalled ? tickLimit - 1 : session.OverTick();
    if (!match.stalled || !session.ConfirmedHash(tickLimit - 1, &match.endHash[side])) {
      match.endHash[side] = session.OverHash();
    }
    for (const auto& [event, sign] : sounds[side]) {
      if (event.tick <= match.endTick[side]) {
        match.heard[side] += static_cast<uint64_t>(sign) * SoundPrint(event);
      }
      match.soundsCalledOff[side] += sign < 0 ? 1 : 0;
    }
  }
  return match;
}
