// What steers a fighter: the player's commands or the computer's decisions.
#pragma once

#include <cstdint>

class TFigure;

// The base steers nothing. Its only caller is the fighter's Control step, once per tick while the fighter's
// action is below ACTION_WIN.
class TController {
public:
  virtual ~TController() = default;
  virtual int32_t Update();

  // The fighter steered. Not owned: the fighter owns its controller, and both are replaced together.
  TFigure* fig = nullptr;
};
