// Fuzzes the roster reader: the input is bin/tournament.dat, read by TOpponent::Load. Refusing a bad roster
// (TRosterError) is the expected answer to most inputs; anything else it lets through must be a whole roster.
#include <cstddef>
#include <cstdint>

#include "fighters/opponent.h"
#include "fuzz_input.h"
#include "shared/game_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzInput("bin/tournament.dat", data, size);
  Opponents.clear();
  try {
    TOpponent::Load();
  } catch (const TRosterError&) {
    return 0;
  }
  if (static_cast<int32_t>(Opponents.size()) < LEVEL_COUNT) {
    __builtin_trap();
  }
  return 0;
}
