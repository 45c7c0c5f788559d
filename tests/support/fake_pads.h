// Gamepads the test holds in its hands: per port, the buttons held, the hat and six axes (-1..1).
#pragma once

#include <vector>

#include "media/gamepad.h"

class TFakePads : public TPadPlatform {
public:
  struct TPad {
    TPadReading reading;
    int axes = 6;
    bool hat = true;
    void SetAxis(int axis, double value) { reading.axis[axis] = static_cast<int32_t>((value + 1.0) * 32767.5); }
    void SetHat(int hundredths) { reading.hat = hundredths; }
  };

  explicit TFakePads(int count) : pads(static_cast<size_t>(count)) {
    for (TPad& pad : pads) {
      for (int axis = 0; axis < PAD_AXES; axis++) {
        pad.SetAxis(axis, 0.0);
      }
    }
  }
  int32_t SlotCount() override { return static_cast<int32_t>(pads.size()); }
  bool Probe(int32_t slot, int32_t* id) override {
    *id = slot;
    return true;
  }
  bool Capabilities(int32_t id, TPadCaps* caps) override {
    const TPad& pad = pads[static_cast<size_t>(id)];
    caps->axes = pad.axes;
    caps->hat = pad.hat;
    for (int axis = 0; axis < PAD_AXES; axis++) {
      caps->axisMin[axis] = 0;
      caps->axisMax[axis] = 65535;
    }
    return true;
  }
  bool Read(int32_t id, TPadReading* reading) override {
    *reading = pads[static_cast<size_t>(id)].reading;
    return true;
  }

  std::vector<TPad> pads;
};
