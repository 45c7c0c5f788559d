// A binding of one player command to one physical input, and the update list that refreshes every binding
// once per frame.
//
// Every binding answers the same two questions whatever its input: was it pressed since the last update (Hit)
// and is it held now (Down). A flush makes every binding ignore what is pressed or held at that moment until it
// has been seen released, so nothing held across a change of screen counts as a new press.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TControl : public std::enable_shared_from_this<TControl> {
public:
  virtual ~TControl() = default;

  // The short text the controls screens show for this input.
  virtual std::u16string GetCaption();
  // The result of the last update: presses (keys and buttons) or 1 for a new activation (hat, axis); 0 otherwise.
  // Reading it consumes nothing.
  virtual int32_t Hit();
  // 1 while the input was held at the last update.
  virtual int32_t Down();
  // Reads the input; each kind reads its own and ends with the flush rule of this base.
  virtual int32_t _Update();
  // Appends the binding to the update list (a binding attached twice is updated twice per frame).
  virtual int32_t Attach();
  // Removes its first occurrence from the update list, if any.
  virtual int32_t Detach();

  // Reads the key captions file into KeyNames.
  static int32_t Init(std::u16string_view path);
  // Clears every attached binding's hit, then updates it, in list order.
  static int32_t Update();
  // Makes every attached binding read as released until its input has been seen released.
  static int32_t Flush();
  // Clears every attached binding's hit of this frame; what is held stays held.
  static int32_t DropHits();

  int32_t key = 0;   // key code, or button number from 0
  int32_t port = 0;  // gamepad port from 0; -1 in the defaults made while no pad was there
  float dir = 0.0f;  // hat direction as a fraction of a clockwise turn from up, or axis direction -1 / +1
  int32_t axis = 0;  // axis number 0..10
  int32_t _hit = 0;
  int32_t _down = 0;
  int32_t _flush = 0;  // 1 from a flush until the first update that finds the input released
};

// The update list, in attachment order.
extern std::vector<std::shared_ptr<TControl>> AttachedControls;

// The controls' state back to how start-up finds it: no binding on the update list, no default made yet.
void ResetControls();
