// What the controls screens show for a pad binding: a pad the platform knows by the names printed on it ("A",
// "LB", "D-pad up", "Left stick up", "Right trigger"), any other by number ("Button 3", "Hat up", "Axis 2 -",
// counted from 1 as the README counts them), and with several pads plugged in, which pad it is ("Pad 2: A"). Only
// what is shown: the settings file keeps the bindings' raw form.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "media/input/gamepad.h"

class TControl;

// Names for one frame of a screen: each port's layout is asked for once, however many rows show it (asking the
// platform opens the device's controller mapping).
class TPadNames {
public:
  // The name of a button, hat or axis binding; the binding's own caption for any other.
  std::u16string Of(TControl& binding);

private:
  // The layout of the pad at port, or null when the platform does not know it.
  const TPadLayout* LayoutOf(int32_t port);

  std::array<int8_t, PAD_PORTS> _asked{};  // 0 not yet, 1 known, -1 unknown
  std::array<TPadLayout, PAD_PORTS> _layouts{};
};
