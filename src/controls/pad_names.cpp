// Pad bindings by the names players know them by.
#include "controls/pad_names.h"

#include <climits>

#include "controls/control_kinds.h"
#include "media/core/text.h"

namespace {

constexpr const char16_t* kButtonNames[PAD_STANDARD_BUTTONS] = {
    u"A",           u"B",    u"X",     u"Y",  u"Start", u"D-pad up", u"D-pad down", u"D-pad left",
    u"D-pad right", u"Back", u"Guide", u"LS", u"RS",    u"LB",       u"RB"};

// A stick's axis by the side it is pushed to: [axis][0] the negative side, [axis][1] the positive.
constexpr const char16_t* kStickNames[4][2] = {
    {u"Left stick left", u"Left stick right"},
    {u"Left stick up", u"Left stick down"},
    {u"Right stick left", u"Right stick right"},
    {u"Right stick up", u"Right stick down"},
};
constexpr const char16_t* kTriggerNames[2] = {u"Left trigger", u"Right trigger"};

constexpr const char16_t* kHatNames[4] = {u"Hat up", u"Hat right", u"Hat down", u"Hat left"};

// The hat direction's place among up, right, down and left; -1 for any other.
int32_t HatIndex(float direction) {
  for (int32_t index = 0; index < 4; index++) {
    if (direction == static_cast<float>(index) * 0.25f) {
      return index;
    }
  }
  return -1;
}

// A number counted from 1, safe for the largest a damaged settings file may hold.
std::u16string CountedFromOne(int32_t index) {
  return index == INT32_MAX ? u"2147483648" : IntToText(index + 1);
}

std::u16string NameOnLayout(const TPadLayout& layout, TControl& binding) {
  auto* button = dynamic_cast<TControlJoyButton*>(&binding);
  auto* hat = dynamic_cast<TControlJoyHat*>(&binding);
  auto* axis = dynamic_cast<TControlJoyAxis*>(&binding);
  for (size_t standard = 0; standard < layout.buttons.size(); standard++) {
    const TPadSource& source = layout.buttons[standard];
    bool same = (button != nullptr && source.kind == PAD_SOURCE_BUTTON && source.index == binding.key) ||
                (hat != nullptr && source.kind == PAD_SOURCE_HAT && source.direction == binding.dir) ||
                (axis != nullptr && source.kind == PAD_SOURCE_AXIS && source.index == binding.axis &&
                 source.direction == binding.dir);
    if (same) {
      return kButtonNames[standard];
    }
  }
  for (size_t standard = 0; standard < layout.axes.size(); standard++) {
    const TPadSource& source = layout.axes[standard];
    if (axis == nullptr || source.kind != PAD_SOURCE_AXIS || source.index != binding.axis) {
      continue;
    }
    bool positive = binding.dir * source.direction > 0.0f;
    if (standard < 4) {
      return kStickNames[standard][positive ? 1 : 0];
    }
    if (positive) {
      return kTriggerNames[standard - 4];
    }
  }
  // A trigger that SDL reads as a button is a button of the layout's: found above.
  return {};
}

std::u16string NameByNumber(TControl& binding) {
  if (dynamic_cast<TControlJoyButton*>(&binding) != nullptr) {
    return u"Button " + CountedFromOne(binding.key);
  }
  if (dynamic_cast<TControlJoyHat*>(&binding) != nullptr) {
    int32_t index = HatIndex(binding.dir);
    return index >= 0 ? kHatNames[index] : u"Hat";
  }
  return u"Axis " + CountedFromOne(binding.axis) + (binding.dir < 0.0f ? u" -" : u" +");
}

}  // namespace

std::u16string TPadNames::Of(TControl& binding) {
  bool padInput = dynamic_cast<TControlJoyButton*>(&binding) != nullptr ||
                  dynamic_cast<TControlJoyHat*>(&binding) != nullptr ||
                  dynamic_cast<TControlJoyAxis*>(&binding) != nullptr;
  if (!padInput) {
    return binding.GetCaption();
  }
  std::u16string name;
  if (const TPadLayout* layout = LayoutOf(binding.port); layout != nullptr) {
    name = NameOnLayout(*layout, binding);
  }
  if (name.empty()) {
    name = NameByNumber(binding);
  }
  if (GamepadsFound() > 1 && binding.port >= 0) {
    name = u"Pad " + CountedFromOne(binding.port) + u": " + name;
  }
  return name;
}

const TPadLayout* TPadNames::LayoutOf(int32_t port) {
  if (port < 0 || port >= PAD_PORTS) {
    return nullptr;
  }
  auto slot = static_cast<size_t>(port);
  if (_asked[slot] == 0) {
    _asked[slot] = GamepadLayout(port, &_layouts[slot]) ? 1 : -1;
  }
  return _asked[slot] == 1 ? &_layouts[slot] : nullptr;
}
