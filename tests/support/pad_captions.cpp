#include "support/pad_captions.h"

#include "controls/control.h"
#include "shared/game_state.h"

TPadCaptions PadCaptions() {
  TPadCaptions captions;
  for (size_t command = 0; command < captions.size(); command++) {
    captions[command] = PadBindings[command]->GetCaption();
  }
  return captions;
}
