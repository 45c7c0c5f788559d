// Input frames packed into two bytes.
#include "fight/input_frame.h"

namespace {

constexpr int32_t kHitShift = COMMAND_COUNT;

TInputFrame Bit(int32_t bit) {
  return static_cast<TInputFrame>(1u << bit);
}

}  // namespace

TInputFrame PackInput(const TCommandFrame& commands, bool pauseHeld, bool pauseHit) {
  TInputFrame frame = 0;
  for (int32_t command = 0; command < COMMAND_PAUSE; command++) {
    if (commands.down[static_cast<size_t>(command)]) {
      frame |= Bit(command);
    }
    if (commands.hit[static_cast<size_t>(command)]) {
      frame |= Bit(kHitShift + command);
    }
  }
  frame |= pauseHeld ? Bit(COMMAND_PAUSE) : 0;
  frame |= pauseHit ? Bit(kHitShift + COMMAND_PAUSE) : 0;
  return frame;
}

TCommandFrame UnpackInput(TInputFrame frame) {
  TCommandFrame commands;
  for (int32_t command = 0; command < COMMAND_PAUSE; command++) {
    commands.down[static_cast<size_t>(command)] = InputHeld(frame, command);
    commands.hit[static_cast<size_t>(command)] = InputHit(frame, command);
  }
  return commands;
}

bool InputHeld(TInputFrame frame, int32_t command) {
  return command >= 0 && command < COMMAND_COUNT && (frame & Bit(command)) != 0;
}

bool InputHit(TInputFrame frame, int32_t command) {
  return command >= 0 && command < COMMAND_COUNT && (frame & Bit(kHitShift + command)) != 0;
}

TInputFrame MakeInput(std::initializer_list<int32_t> held, std::initializer_list<int32_t> hit) {
  TInputFrame frame = 0;
  for (int32_t command : held) {
    frame |= Bit(command);
  }
  for (int32_t command : hit) {
    frame |= Bit(kHitShift + command);
  }
  return frame;
}
