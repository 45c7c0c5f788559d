// Gamepads the test holds in its hands: per device slot, the buttons held, the hat and six axes, whether a pad is
// plugged in there and whether it answers, and for a pad the platform knows, its standard layout. The one fake
// pad platform of the tests: the polled gamepads' own tests use it as the bindings' and the menus' do.
#pragma once

#include <vector>

#include "media/input/gamepad.h"

class TFakePads : public TPadPlatform {
public:
  struct TPad {
    TPadReading reading;
    int axes = 6;
    bool hat = true;
    bool plugged = true;  // a device in the slot; pulled out, it is neither found nor read
    bool answers = true;  // false: still plugged in, but it fails to say what it has or holds
    bool known = false;   // the platform knows its layout
    TPadLayout layout;

    // value -1..1 of the axis's raw range 0..65535.
    void SetAxis(int axis, double value) { reading.axis[axis] = static_cast<int32_t>((value + 1.0) * 32767.5); }
    void SetHat(int hundredths) { reading.hat = hundredths; }
    // Makes the pad a known one whose standard button lies at source.
    void Place(int32_t standardButton, int32_t kind, int32_t index, float direction = 0.0f) {
      known = true;
      layout.buttons[static_cast<size_t>(standardButton)] = TPadSource{kind, index, direction};
    }
  };

  // count slots, each with a pad plugged in, centred.
  explicit TFakePads(int count) : pads(static_cast<size_t>(count)) {
    for (TPad& pad : pads) {
      Centre(pad);
    }
  }
  // A pad plugged in (a new one, listed after the others) or pulled out, as the platform notices it.
  TPad& PlugIn() {
    pads.emplace_back();
    Centre(pads.back());
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
  // A slot the platform lists with nothing in it, as it was from the start: no change to notice.
  void Empty(size_t slot) { pads[slot].plugged = false; }

  int32_t SlotCount() override { return static_cast<int32_t>(pads.size()); }
  bool Probe(int32_t slot, int32_t* id) override {
    *id = slot;
    return pads[static_cast<size_t>(slot)].plugged;
  }
  bool Capabilities(int32_t id, TPadCaps* caps) override {
    const TPad& pad = pads[static_cast<size_t>(id)];
    if (!pad.plugged || !pad.answers) {
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
    reads++;
    const TPad& pad = pads[static_cast<size_t>(id)];
    if (!pad.plugged || !pad.answers) {
      return false;
    }
    *reading = pad.reading;
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
  int reads = 0;  // the devices' states read so far

private:
  static void Centre(TPad& pad) {
    for (int axis = 0; axis < PAD_AXES; axis++) {
      pad.SetAxis(axis, 0.0);
    }
  }
};
