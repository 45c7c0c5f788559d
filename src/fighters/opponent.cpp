// The tournament roster.
#include "fighters/opponent.h"

#include <string>

#include "media/core/text.h"
#include "media/files/stream.h"
#include "media/platform/media.h"
#include "shared/game_state.h"

std::vector<std::shared_ptr<TOpponent>> Opponents;

namespace {

constexpr const char* kRosterPath = "bin/tournament.dat";

[[noreturn]] void Reject(const std::string& what) {
  throw TRosterError(std::string("the tournament roster \"") + kRosterPath + "\" " + what);
}

}  // namespace

int32_t TOpponent::Load() {
  TOpenedFile opened = OpenTextFile(BytesToText(kRosterPath));
  std::shared_ptr<TStream> stream = opened.stream;
  if (stream == nullptr) {
    Reject("cannot be opened (" + opened.problem + ")");
  }
  Opponents.clear();
  int32_t lineNumber = 0;
  while (stream->Eof() == 0) {
    std::u16string line = stream->ReadLine();
    lineNumber++;
    // A file cut at the reading limit ends inside a line that its author wrote whole: that part is not judged.
    if (opened.cut && stream->Eof() != 0) {
      break;
    }
    std::vector<std::u16string> fields = SplitText(line, u'\t');
    if (fields.size() < OPPONENT_PARAMS || line.empty()) {
      Reject("has " + std::to_string(line.empty() ? 0 : fields.size()) + " fields on line " +
             std::to_string(lineNumber) + "; every line needs " + std::to_string(OPPONENT_PARAMS) +
             " numbers separated by tabs");
    }
    auto opponent = std::make_shared<TOpponent>();
    for (size_t i = 0; i < OPPONENT_PARAMS; i++) {
      opponent->params[i] = TextToInt(fields[i]);
    }
    Opponents.push_back(opponent);
  }
  stream->Close();
  if (static_cast<int32_t>(Opponents.size()) < LEVEL_COUNT) {
    Reject("has " + std::to_string(Opponents.size()) + " lines; it needs one for each of the " +
           std::to_string(LEVEL_COUNT) + " levels");
  }
  // Said only once the roster is known to be usable: a game that stops says one thing, why it stops.
  if (opened.cut) {
    ReportWarning("the tournament roster " + CutTextFileNote(kRosterPath));
  }
  return 0;
}
