// The four kinds of binding: a key, a gamepad button, a gamepad hat direction, one direction of a gamepad axis.
// Each Create attaches the new binding to the update list before returning it.
#pragma once

#include "controls/control.h"

class TControlKey : public TControl {
public:
  static std::shared_ptr<TControlKey> Create(int32_t key);
  // The key's caption from bin/keyboard.dat; empty when it has none.
  std::u16string GetCaption() override;
  // Presses counted by the keyboard since the last update, and whether it is held.
  int32_t _Update() override;
};

class TControlJoyButton : public TControl {
public:
  static std::shared_ptr<TControlJoyButton> Create(int32_t port, int32_t button);
  // "Joy" + port + "Btn" + button counted from 1: button 9 shows as Btn10.
  std::u16string GetCaption() override;
  // Reads nothing until a pad has been found.
  int32_t _Update() override;
};

// The hat and the axis see presses only as rising edges between two updates: a press and release in between is
// missed, unlike keys and buttons, whose presses are counted by the input layer.
class TControlJoyHat : public TControl {
public:
  static std::shared_ptr<TControlJoyHat> Create(int32_t port, float dir);
  // "Joy" + port + "Up", "Right", "Down" or "Left"; only "Joy" + port for another direction.
  std::u16string GetCaption() override;
  // Held while the hat points exactly at dir: a diagonal matches no direction.
  int32_t _Update() override;

  int32_t _stat = 0;
  int32_t _ostat = 0;
};

class TControlJoyAxis : public TControl {
public:
  static std::shared_ptr<TControlJoyAxis> Create(int32_t port, int32_t axis, int32_t sign);
  // "Joy" + port + the axis name + "-" or "+": port 0's Y axis pushed positive is Joy0Y+.
  std::u16string GetCaption() override;
  // Held while the axis is beyond half its travel (exactly half is not) on the side of dir.
  int32_t _Update() override;

  int32_t _stat = 0;
  int32_t _ostat = 0;
};
