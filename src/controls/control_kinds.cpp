// The four kinds of binding.
#include "controls/control_kinds.h"

#include <cmath>
#include <cstdint>

#include "media/core/text.h"
#include "media/input/gamepad.h"
#include "media/input/input.h"
#include "shared/game_state.h"

namespace {

const char16_t* const kAxisNames[] = {u"X", u"Y", u"Z", u"R", u"U", u"V", u"YAW", u"PITCH", u"ROLL", u"HAT", u"WHEEL"};

std::u16string JoyPrefix(int32_t port) {
  return u"Joy" + IntToText(port);
}

// A hit on the rising edge of held between two updates.
void TakeEdge(int32_t held, int32_t& down, int32_t& stat, int32_t& ostat, int32_t& hit) {
  down = held;
  ostat = stat;
  stat = down;
  if (stat != 0 && stat != ostat) {
    hit = 1;
  }
}

template <typename T>
std::shared_ptr<T> Attached(std::shared_ptr<T> control) {
  control->Attach();
  return control;
}

}  // namespace

std::shared_ptr<TControlKey> TControlKey::Create(int32_t key) {
  auto control = std::make_shared<TControlKey>();
  control->key = key;
  return Attached(control);
}

std::u16string TControlKey::GetCaption() {
  return key >= 0 && key < KEY_CODES ? KeyNames[static_cast<size_t>(key)] : std::u16string();
}

int32_t TControlKey::_Update() {
  _hit = TakeKeyHits(key);
  _down = IsKeyDown(key);
  return TControl::_Update();
}

std::shared_ptr<TControlJoyButton> TControlJoyButton::Create(int32_t port, int32_t button) {
  auto control = std::make_shared<TControlJoyButton>();
  control->port = port;
  control->key = button;
  return Attached(control);
}

std::u16string TControlJoyButton::GetCaption() {
  // A damaged settings file may hold the largest button number; counting it from 1 must not overflow.
  std::u16string number = key == INT32_MAX ? u"2147483648" : IntToText(key + 1);
  return JoyPrefix(port) + u"Btn" + number;
}

int32_t TControlJoyButton::_Update() {
  if (PadPresent == 0) {
    return 0;
  }
  _hit = TakePadButtonHits(key, port);
  _down = IsPadButtonDown(key, port);
  return TControl::_Update();
}

std::shared_ptr<TControlJoyHat> TControlJoyHat::Create(int32_t port, float dir) {
  auto control = std::make_shared<TControlJoyHat>();
  control->port = port;
  control->dir = dir;
  return Attached(control);
}

std::u16string TControlJoyHat::GetCaption() {
  if (dir == 0.0f) {
    return JoyPrefix(port) + u"Up";
  }
  if (dir == 0.25f) {
    return JoyPrefix(port) + u"Right";
  }
  if (dir == 0.5f) {
    return JoyPrefix(port) + u"Down";
  }
  if (dir == 0.75f) {
    return JoyPrefix(port) + u"Left";
  }
  return JoyPrefix(port);
}

int32_t TControlJoyHat::_Update() {
  if (PadPresent == 0) {
    return 0;
  }
  TakeEdge(PadHat(port) == dir ? 1 : 0, _down, _stat, _ostat, _hit);
  return TControl::_Update();
}

std::shared_ptr<TControlJoyAxis> TControlJoyAxis::Create(int32_t port, int32_t axis, int32_t sign) {
  auto control = std::make_shared<TControlJoyAxis>();
  control->port = port;
  control->axis = axis;
  control->dir = static_cast<float>(sign);
  return Attached(control);
}

std::u16string TControlJoyAxis::GetCaption() {
  std::u16string caption = JoyPrefix(port);
  if (axis >= 0 && axis < static_cast<int32_t>(std::size(kAxisNames))) {
    caption += kAxisNames[axis];
  }
  if (dir < 0.0f) {
    caption += u"-";
  } else if (dir > 0.0f) {
    caption += u"+";
  }
  return caption;
}

int32_t TControlJoyAxis::_Update() {
  if (PadPresent == 0) {
    return 0;
  }
  PollGamepad(port);
  float value = PadAxis(port, axis);
  float sign = value > 0.0f ? 1.0f : value < 0.0f ? -1.0f : 0.0f;
  TakeEdge(std::fabs(value) > 0.5f && sign == dir ? 1 : 0, _down, _stat, _ostat, _hit);
  return TControl::_Update();
}
