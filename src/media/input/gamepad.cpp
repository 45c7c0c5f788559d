// The polled gamepads.
#include "media/input/gamepad.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace {

constexpr int32_t kMaxRecordedPorts = 256;
constexpr int32_t kCountedButtons = PAD_COUNTED_BUTTONS;

// Hat slot value while centred. A port starts centred, not at 0.0 (which is "up"), so a pad that never answers
// cannot hold an "Up" binding down.
constexpr float kHatCentred = -1.0f;

struct TPortState {
  TPortState() { Release(); }
  // Nothing held, every axis at rest, the hat centred. Presses not yet taken stay.
  void Release() {
    buttons = 0;
    axes.fill(0.0f);
    axes[PAD_HAT_SLOT] = kHatCentred;
  }
  uint32_t buttons = 0;
  std::array<float, PAD_AXIS_SLOTS> axes{};
  std::array<int32_t, kCountedButtons> hits{};
};

TPadPlatform* platform = nullptr;
std::vector<int32_t> portIds;  // platform identifiers of the present devices, by port
uint32_t padPresses = 0;       // every button press the polls found, for PadPressCount
std::array<TPortState, PAD_PORTS> ports;
uint32_t seenGeneration = 0;  // the platform's device generation when TakeGamepadsChange last looked

// The state of a port that has one, or null.
TPortState* StateOf(int32_t port) {
  if (port < 0 || port >= PAD_PORTS || port >= static_cast<int32_t>(portIds.size())) {
    return nullptr;
  }
  return &ports[static_cast<size_t>(port)];
}

// Whether the polls below read the source whole: presses are counted for buttons 0 to 15 only, the hat read is
// the first, the axes are the first six, and a hat direction is one of the four straight ones.
bool Readable(const TPadSource& source) {
  switch (source.kind) {
    case PAD_SOURCE_BUTTON:
      return source.index >= 0 && source.index < kCountedButtons;
    case PAD_SOURCE_HAT:
      return source.index == 0 && (source.direction == 0.0f || source.direction == 0.25f || source.direction == 0.5f ||
                                   source.direction == 0.75f);
    case PAD_SOURCE_AXIS:
      return source.index >= 0 && source.index < PAD_AXES && (source.direction == 1.0f || source.direction == -1.0f);
    default:
      return false;
  }
}

}  // namespace

void SetPadPlatform(TPadPlatform* newPlatform) {
  platform = newPlatform;
  portIds.clear();
  ports.fill(TPortState());
  seenGeneration = platform != nullptr ? platform->DeviceGeneration() : 0;
}

int32_t CountGamepads() {
  // Ports follow the devices: when one is pulled out, those after it move down. A port's state belongs to the
  // device that was there, so a port that changes hands starts afresh: no button of the old pad stays held and
  // no press of it is taken for one of the new.
  std::array<int32_t, PAD_PORTS> oldIds{};
  size_t oldCount = portIds.size() < oldIds.size() ? portIds.size() : oldIds.size();
  std::copy_n(portIds.begin(), oldCount, oldIds.begin());
  portIds.clear();
  if (platform != nullptr) {
    int32_t slots = platform->SlotCount();
    for (int32_t slot = 0; slot < slots && static_cast<int32_t>(portIds.size()) < kMaxRecordedPorts; slot++) {
      int32_t id = 0;
      if (platform->Probe(slot, &id)) {
        portIds.push_back(id);
      }
    }
  }
  for (size_t port = 0; port < ports.size(); port++) {
    bool same = port < oldCount && port < portIds.size() && oldIds[port] == portIds[port];
    if (!same) {
      ports[port] = TPortState();
    }
  }
  return static_cast<int32_t>(portIds.size());
}

int32_t GamepadsFound() {
  return static_cast<int32_t>(portIds.size());
}

bool TakeGamepadsChange() {
  if (platform == nullptr) {
    return false;
  }
  uint32_t generation = platform->DeviceGeneration();
  bool changed = generation != seenGeneration;
  seenGeneration = generation;
  return changed;
}

uint32_t PadPressCount() {
  return padPresses;
}

std::string GamepadName(int32_t port) {
  if (platform == nullptr || port < 0 || port >= static_cast<int32_t>(portIds.size())) {
    return {};
  }
  std::string name = platform->Name(portIds[static_cast<size_t>(port)]);
  return name.empty() ? std::string("Gamepad") : name;
}

int32_t GamepadDeviceId(int32_t port) {
  if (platform == nullptr || port < 0 || port >= static_cast<int32_t>(portIds.size())) {
    return -1;
  }
  return portIds[static_cast<size_t>(port)];
}

bool GamepadLayout(int32_t port, TPadLayout* layout) {
  if (platform == nullptr || port < 0 || port >= static_cast<int32_t>(portIds.size())) {
    return false;
  }
  *layout = TPadLayout();
  if (!platform->Layout(portIds[static_cast<size_t>(port)], layout)) {
    return false;
  }
  for (TPadSource& source : layout->buttons) {
    if (!Readable(source)) {
      source = TPadSource();
    }
  }
  for (TPadSource& source : layout->axes) {
    if (!Readable(source)) {
      source = TPadSource();
    }
  }
  return true;
}

int32_t GamepadAxisMask(int32_t port) {
  TPadCaps caps;
  if (platform == nullptr || port < 0 || port >= static_cast<int32_t>(portIds.size()) ||
      !platform->Capabilities(portIds[static_cast<size_t>(port)], &caps)) {
    return 0;
  }
  int32_t axes = caps.axes < 0 ? 0 : caps.axes > PAD_AXES ? PAD_AXES : caps.axes;
  return ((1 << axes) - 1) | (caps.hat ? 1 << PAD_HAT_SLOT : 0);
}

void PollGamepad(int32_t port) {
  TPortState* state = StateOf(port);
  if (state == nullptr || platform == nullptr) {
    return;
  }
  int32_t id = portIds[static_cast<size_t>(port)];
  TPadCaps caps;
  TPadReading reading;
  if (!platform->Capabilities(id, &caps) || !platform->Read(id, &reading)) {
    // A pad pulled out with a button held must not hold it for ever; one that only failed to answer this once
    // is better read as it last was.
    if (!platform->Attached(id)) {
      state->Release();
    }
    return;
  }
  uint32_t old = state->buttons;
  state->buttons = reading.buttons;
  for (int32_t axis = 0; axis < PAD_AXES; axis++) {
    double maximum = caps.axisMax[axis];
    double raw = static_cast<double>(reading.axis[axis]) - caps.axisMin[axis];
    // A device reporting no range cannot be scaled; its axis rests at the centre.
    state->axes[static_cast<size_t>(axis)] = maximum == 0.0 ? 0.0f : static_cast<float>(2.0 * raw / maximum - 1.0);
  }
  state->axes[PAD_HAT_SLOT] = reading.hat > 36000 ? kHatCentred : static_cast<float>(reading.hat / 36000.0);
  for (int32_t button = 0; button < kCountedButtons; button++) {
    uint32_t bit = 1u << button;
    if ((old & bit) == 0 && (reading.buttons & bit) != 0) {
      state->hits[static_cast<size_t>(button)]++;
      padPresses++;
    }
  }
}

int32_t IsPadButtonDown(int32_t button, int32_t port) {
  PollGamepad(port);
  TPortState* state = StateOf(port);
  if (state == nullptr || button < 0 || button > 31) {
    return 0;
  }
  return (state->buttons >> button) & 1u;
}

int32_t TakePadButtonHits(int32_t button, int32_t port) {
  PollGamepad(port);
  TPortState* state = StateOf(port);
  if (state == nullptr || button < 0 || button >= kCountedButtons) {
    return 0;
  }
  int32_t hits = state->hits[static_cast<size_t>(button)];
  state->hits[static_cast<size_t>(button)] = 0;
  return hits;
}

float PadHat(int32_t port) {
  PollGamepad(port);
  TPortState* state = StateOf(port);
  return state == nullptr ? kHatCentred : state->axes[PAD_HAT_SLOT];
}

float PadAxis(int32_t port, int32_t slot) {
  PollGamepad(port);
  TPortState* state = StateOf(port);
  if (state == nullptr || slot < 0 || slot >= PAD_AXIS_SLOTS) {
    return 0.0f;
  }
  return state->axes[static_cast<size_t>(slot)];
}

void ClearGamepads(int32_t mask) {
  int32_t count = CountGamepads();
  for (int32_t port = 0; port < count && port < PAD_PORTS; port++) {
    if ((static_cast<uint32_t>(mask) >> port & 1u) == 0) {
      continue;
    }
    PollGamepad(port);
    ports[static_cast<size_t>(port)].buttons = 0;
    ports[static_cast<size_t>(port)].hits.fill(0);
  }
}

void DropPadPresses() {
  // Read first: a button pressed since the last poll was pressed before this moment too.
  for (int32_t port = 0; port < static_cast<int32_t>(portIds.size()) && port < PAD_PORTS; port++) {
    PollGamepad(port);
  }
  for (TPortState& state : ports) {
    state.hits.fill(0);
  }
}
