// The binding base and the update list.
#include "controls/control.h"

#include <algorithm>
#include <string>

#include "controls/default_bindings.h"
#include "media/core/text.h"
#include "media/files/stream.h"
#include "media/platform/media.h"
#include "shared/game_state.h"

std::vector<std::shared_ptr<TControl>> AttachedControls;

std::u16string TControl::GetCaption() {
  return u"null";
}

int32_t TControl::Hit() {
  return _hit;
}

int32_t TControl::Down() {
  return _down;
}

int32_t TControl::_Update() {
  // The flush rule: a binding flushed while held stays silent until one update sees it released.
  if (_down == 0) {
    _flush = 0;
  }
  if (_flush != 0) {
    _down = 0;
    _hit = 0;
  }
  return 0;
}

int32_t TControl::Attach() {
  AttachedControls.push_back(shared_from_this());
  return 0;
}

int32_t TControl::Detach() {
  auto found = std::find_if(AttachedControls.begin(), AttachedControls.end(),
                            [this](const std::shared_ptr<TControl>& control) { return control.get() == this; });
  if (found != AttachedControls.end()) {
    AttachedControls.erase(found);
  }
  return 0;
}

int32_t TControl::Update() {
  for (const auto& control : AttachedControls) {
    control->_hit = 0;
    control->_Update();
  }
  return 0;
}

int32_t TControl::Flush() {
  for (const auto& control : AttachedControls) {
    control->_flush = 1;
    control->_hit = 0;
    control->_down = 0;
  }
  return 0;
}

int32_t TControl::DropHits() {
  for (const auto& control : AttachedControls) {
    control->_hit = 0;
  }
  return 0;
}

int32_t TControl::Init(std::u16string_view path) {
  TOpenedFile opened = OpenTextFile(path);
  std::shared_ptr<TStream> stream = opened.stream;
  if (stream == nullptr) {
    // The captions only label the controls screens: the game plays on with empty ones.
    ReportWarning("cannot read the key captions \"" + TextToBytes(path) + "\" (" + opened.problem +
                  "); keys are shown without names");
    return 0;
  }
  if (opened.cut) {
    ReportWarning("the key captions " + CutTextFileNote(TextToBytes(path)));
  }
  while (stream->Eof() == 0) {
    std::u16string line = stream->ReadLine();
    size_t tab = line.find(u'\t');
    if (tab == std::u16string::npos) {
      continue;
    }
    int32_t code = TextToInt(std::u16string_view(line).substr(0, tab));
    // Only codes the key table has; a caption for any other code could never be shown.
    if (code >= 0 && code < static_cast<int32_t>(KeyNames.size())) {
      KeyNames[static_cast<size_t>(code)] = line.substr(tab + 1);
    }
  }
  stream->Close();
  return 0;
}

void ResetControls() {
  AttachedControls.clear();
  ForgetDefaultPadBindings();
}
