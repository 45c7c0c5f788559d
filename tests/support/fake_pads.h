// Gamepads the test holds in its hands: per port, the buttons held, the hat and six axes (-1..1), whether it is
// plugged in, and for a pad the platform knows, its standard layout.
#pragma once

#include <vector>

#include "media/input/gamepad.h"

class TFakePads : public TPadPlatform {
public:
  struct TPad {
    TPadReading reading;
    int axes = 6;
    bool hat = true;
    bool plugged = true;
    bool known = false;  // the platform knows its layout
    TPadLayout layout;
    void SetAxis(int axis, double value) { reading.axis[axis] = static_cast<int32_t>((value + 1.0) * 32767.5); }
    void SetHat(int hundredths) { reading.hat = hundredths; }
    // Makes the pad a known one whose standard button lies at source.
    void Place(int32_t standardButton, int32_t kind, int32_t index, float direction = 0.0f) {
      known = true;
      layout.buttons[static_cast<size_t>(standardButton)] = TPadSource{kind, index, direction};
    }
  };

  explicit TFakePads(int count) : pads(static_cast<size_t>(count)) {
    for (TPad& pad : pads) {
      for (int axis = 0; axis < PAD_AXES; axis++) {
        pad.SetAxis(axis, 0.0);
      }
    }
  }
  // A pad plugged in (a new one, listed after the others) or pulled out, as the platform notices it.
  TPad& PlugIn() {
    pads.emplace_back();
    for (int axis = 0; axis < PAD_AXES; axis++) {
      pads.back().SetAxis(axis, 0.0);
    }
    generation++;
    return pads.back();
  }
  void PullOut(size_t pad) {
    pads[pad].plugged = false;
    generation++;
  }
  void PlugBackIn(size_t pad) {
    pads[pad].plugged = true;
    generation++;
  }

  int32_t SlotCount() override { return static_cast<int32_t>(pads.size()); }
  bool Probe(int32_t slot, int32_t* id) override {
    *id = slot;
    return pads[static_cast<size_t>(slot)].plugged;
  }
  bool Capabilities(int32_t id, TPadCaps* caps) override {
    const TPad& pad = pads[static_cast<size_t>(id)];
    if (!pad.plugged) {
      return false;
    }
    caps->axes = pad.axes;
    caps->hat = pad.hat;
    for (int axis = 0; axis < PAD_AXES; axis++) {
      caps->axisMin[axis] = 0;
      caps->axisMax[axis] = 65535;
    }
    return true;
  }
  bool Read(int32_t id, TPadReading* reading) override {
    if (!pads[static_cast<size_t>(id)].plugged) {
      return false;
    }
    *reading = pads[static_cast<size_t>(id)].reading;
    return true;
  }
  bool Attached(int32_t id) override { return pads[static_cast<size_t>(id)].plugged; }
  uint32_t DeviceGeneration() override { return generation; }
  bool Layout(int32_t id, TPadLayout* layout) override {
    const TPad& pad = pads[static_cast<size_t>(id)];
    if (!pad.known) {
      return false;
    }
    *layout = pad.layout;
    return true;
  }

  std::vector<TPad> pads;
  uint32_t generation = 0;
};
