// A binding whose input the test sets by hand: presses since the last update, and whether it is held.
#pragma once

#include <memory>

#include "controls/control.h"

class TFakeControl : public TControl {
public:
  static std::shared_ptr<TFakeControl> Create() {
    auto control = std::make_shared<TFakeControl>();
    control->Attach();
    return control;
  }
  int32_t _Update() override {
    _hit = presses;
    presses = 0;
    _down = held;
    return TControl::_Update();
  }
  // Presses the input (counted until the next update) and holds it.
  void Press() {
    presses++;
    held = 1;
  }
  void Release() { held = 0; }

  int32_t presses = 0;
  int32_t held = 0;
};
