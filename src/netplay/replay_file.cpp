// The replay file's text, written and read, and the files in the player's replays folder.
#include "netplay/replay_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <system_error>

#include "media/core/text.h"
#include "media/files/safe_file.h"
#include "media/files/stream.h"
#include "media/platform/game_folders.h"
#include "media/platform/media.h"

namespace {

constexpr std::string_view kFirstLine = "morvik replay 1";
constexpr std::string_view kFormatWord = "morvik replay ";
// More copies of one second than this means something else is wrong with the folder.
constexpr int32_t kMaxCopies = 1000;

// value as exactly digits lowercase hexadecimal digits.
std::string Hex(uint64_t value, int32_t digits) {
  std::string text(static_cast<size_t>(digits), '0');
  for (int32_t i = digits - 1; i >= 0; i--, value >>= 4) {
    text[static_cast<size_t>(i)] = "0123456789abcdef"[value & 15];
  }
  return text;
}

// The lines of a text one by one, with the CR of a CR LF dropped; a line longer than REPLAY_MAX_LINE is not
// taken apart at all.
class TLines {
public:
  explicit TLines(std::string_view text) : _text(text) {}

  // False at the end of the text (a last line feed ends the last line; it opens no empty one).
  bool Next(std::string_view* line) {
    if (_pos >= _text.size()) {
      _ended = true;
      return false;
    }
    size_t end = _text.find('\n', _pos);
    size_t next = end == std::string_view::npos ? _text.size() : end + 1;
    *line = _text.substr(_pos, (end == std::string_view::npos ? _text.size() : end) - _pos);
    if (!line->empty() && line->back() == '\r') {
      line->remove_suffix(1);
    }
    _pos = next;
    _number++;
    return true;
  }

  int32_t Number() const { return _number; }
  // The line a fault was found at: the last line read, or the one missing after the end of the text.
  int32_t FaultLine() const { return _ended ? _number + 1 : _number; }

private:
  std::string_view _text;
  size_t _pos = 0;
  int32_t _number = 0;
  bool _ended = false;
};

// The words of a line between single spaces; false for an empty word (two spaces, a space at either end) or more
// words than fit.
template <size_t N>
bool SplitWords(std::string_view line, std::array<std::string_view, N>* words, size_t* count) {
  *count = 0;
  size_t pos = 0;
  while (true) {
    size_t space = line.find(' ', pos);
    std::string_view word = line.substr(pos, space == std::string_view::npos ? std::string_view::npos : space - pos);
    if (word.empty() || *count == N) {
      return false;
    }
    (*words)[(*count)++] = word;
    if (space == std::string_view::npos) {
      return true;
    }
    pos = space + 1;
  }
}

// 1..digits decimal digits and nothing else.
bool ParseDecimal(std::string_view word, size_t digits, int64_t* value) {
  if (word.empty() || word.size() > digits) {
    return false;
  }
  *value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') {
      return false;
    }
    *value = *value * 10 + (c - '0');
  }
  return true;
}

// 1..digits hexadecimal digits (either case) and nothing else.
bool ParseHex(std::string_view word, size_t digits, uint64_t* value) {
  if (word.empty() || word.size() > digits) {
    return false;
  }
  *value = 0;
  for (char c : word) {
    int32_t digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
    if (digit < 0) {
      return false;
    }
    *value = *value << 4 | static_cast<uint64_t>(digit);
  }
  return true;
}

bool ParseFrame(std::string_view word, TInputFrame* frame) {
  uint64_t value = 0;
  if (!ParseHex(word, 4, &value) || (value & ~uint64_t{INPUT_VALID_BITS}) != 0) {
    return false;
  }
  *frame = static_cast<TInputFrame>(value);
  return true;
}

bool PrintableVersion(std::string_view version) {
  if (version.empty() || version.size() > REPLAY_VERSION_CHARS) {
    return false;
  }
  for (char c : version) {
    if (c < ' ' || c > '~') {
      return false;
    }
  }
  return true;
}

// The six lines after the first, in their order; false at the first that does not fit.
bool ReadHeader(TLines& lines, TReplay* replay) {
  std::string_view line;
  std::array<std::string_view, 2> words;
  size_t count = 0;
  uint64_t hex = 0;
  int64_t number = 0;
  if (!lines.Next(&line) || !line.starts_with("version ") || !PrintableVersion(line.substr(8))) {
    return false;
  }
  replay->version = line.substr(8);
  if (!lines.Next(&line) || !SplitWords(line, &words, &count) || count != 2 || words[0] != "rules" ||
      !ParseHex(words[1], 16, &hex)) {
    return false;
  }
  replay->rulesHash = hex;
  if (!lines.Next(&line) || (line != "kind online" && line != "kind local")) {
    return false;
  }
  replay->online = line == "kind online";
  if (!lines.Next(&line) || !SplitWords(line, &words, &count) || count != 2 || words[0] != "ring" ||
      !ParseDecimal(words[1], 1, &number)) {
    return false;
  }
  replay->ring = static_cast<int32_t>(number);
  if (!lines.Next(&line)) {
    return false;
  }
  // Only a match over the network has a side of the recording machine.
  if (replay->online && (line == "side 0" || line == "side 1")) {
    replay->side = line == "side 0" ? 0 : 1;
    return true;
  }
  replay->side = -1;
  return !replay->online && line == "side -";
}

// One line of the frames, hashes and end; false when it does not fit where it stands. *closed after the last line.
bool ReadBodyLine(std::string_view line, TReplay* replay, bool* closed) {
  std::array<std::string_view, 4> words;
  size_t count = 0;
  if (line == "left") {
    *closed = true;
    return true;
  }
  if (!SplitWords(line, &words, &count)) {
    return false;
  }
  int64_t number = 0;
  const int32_t ticks = replay->Ticks();
  if (words[0] == "frames" && count == 4) {
    TInputFrame left = 0;
    TInputFrame right = 0;
    // Seven digits reach past REPLAY_MAX_TICKS, so the sum below stays far inside 64 bits.
    if (!ParseDecimal(words[1], 7, &number) || number < 1 || ticks + number > REPLAY_MAX_TICKS ||
        !ParseFrame(words[2], &left) || !ParseFrame(words[3], &right)) {
      return false;
    }
    replay->left.insert(replay->left.end(), static_cast<size_t>(number), left);
    replay->right.insert(replay->right.end(), static_cast<size_t>(number), right);
    return true;
  }
  if (words[0] == "hash" && count == 3) {
    uint64_t hash = 0;
    int32_t previous = replay->hashes.empty() ? -1 : replay->hashes.back().first;
    if (!ParseDecimal(words[1], 7, &number) || number <= previous || number >= ticks ||
        !ParseHex(words[2], 16, &hash)) {
      return false;
    }
    replay->hashes.emplace_back(static_cast<int32_t>(number), hash);
    return true;
  }
  if (words[0] == "end" && count == 3) {
    int64_t winner = 0;
    if (!ParseDecimal(words[1], 7, &number) || number >= ticks || !ParseDecimal(words[2], 1, &winner) || winner > 1) {
      return false;
    }
    replay->endTick = static_cast<int32_t>(number);
    replay->winner = static_cast<int32_t>(winner);
    *closed = true;
    return true;
  }
  return false;
}

std::string Damaged(int32_t line) {
  return "This replay file is damaged at line " + std::to_string(line) + ".";
}

}  // namespace

std::string ReplayText(const TReplay& replay) {
  std::string text;
  text.append(kFirstLine).append("\nversion ").append(replay.version);
  text.append("\nrules ").append(Hex(replay.rulesHash, 16));
  text.append(replay.online ? "\nkind online" : "\nkind local");
  text.append("\nring ").append(std::to_string(replay.ring));
  text.append(replay.side == 0 ? "\nside 0\n" : replay.side == 1 ? "\nside 1\n" : "\nside -\n");
  const size_t ticks = replay.left.size();
  size_t nextHash = 0;
  for (size_t tick = 0; tick < ticks;) {
    size_t end = tick + 1;
    while (end < ticks && replay.left[end] == replay.left[tick] && replay.right[end] == replay.right[tick]) {
      end++;
    }
    text.append("frames ").append(std::to_string(end - tick));
    text.append(" ").append(Hex(replay.left[tick], 4)).append(" ").append(Hex(replay.right[tick], 4)).append("\n");
    // A hash follows the frames that reach its tick, so a reader checks it as soon as it can.
    for (; nextHash < replay.hashes.size() && replay.hashes[nextHash].first < static_cast<int64_t>(end); nextHash++) {
      text.append("hash ").append(std::to_string(replay.hashes[nextHash].first));
      text.append(" ").append(Hex(replay.hashes[nextHash].second, 16)).append("\n");
    }
    tick = end;
  }
  if (replay.Decided()) {
    text.append("end ").append(std::to_string(replay.endTick)).append(" ").append(std::to_string(replay.winner));
    text.append("\n");
  } else {
    text.append("left\n");
  }
  return text;
}

bool ReadReplay(std::string_view text, TReplay* replay, std::string* error) {
  TLines lines(text);
  std::string_view line;
  if (!lines.Next(&line) || line != kFirstLine) {
    *error = line.starts_with(kFormatWord) ? "This replay file was written by a newer version of Morvik."
                                           : "This is not a replay file of Morvik.";
    return false;
  }
  TReplay read;
  if (!ReadHeader(lines, &read)) {
    *error = Damaged(lines.FaultLine());
    return false;
  }
  bool closed = false;
  while (lines.Next(&line)) {
    if (closed || line.size() > static_cast<size_t>(REPLAY_MAX_LINE) || !ReadBodyLine(line, &read, &closed)) {
      *error = Damaged(lines.FaultLine());
      return false;
    }
  }
  if (!closed) {
    // Cut short: the last line of a whole file says how the match ended.
    *error = Damaged(lines.FaultLine());
    return false;
  }
  *replay = std::move(read);
  return true;
}

namespace {

std::string DatedFileName(std::time_t when, std::string_view kind, int32_t copy) {
  std::tm local{};
  localtime_r(&when, &local);
  std::array<char, 128> name{};
  std::snprintf(name.data(), name.size(), "%04d-%02d-%02d-%02d-%02d-%02d-%.*s", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(kind.size()), kind.data());
  std::string result = name.data();
  if (copy > 1) {
    result += "-" + std::to_string(copy);
  }
  return result + ".txt";
}

// Writes text whole (or not at all) into folder, made when missing, under the first dated name of kind that no
// file has yet.
bool WriteNewFileIn(const std::filesystem::path& folder, std::string_view kind, const std::string& text,
                    std::time_t when, std::string* path, std::string* error) {
  std::error_code failure;
  std::filesystem::create_directories(folder, failure);
  if (failure) {
    *error = "cannot make the folder \"" + folder.string() + "\": " + failure.message();
    return false;
  }
  std::filesystem::path file;
  for (int32_t copy = 1;; copy++) {
    if (copy > kMaxCopies) {
      *error = "too many replays of the same second in \"" + folder.string() + "\"";
      return false;
    }
    file = folder / DatedFileName(when, kind, copy);
    if (!std::filesystem::exists(std::filesystem::symlink_status(file, failure))) {
      break;
    }
  }
  std::shared_ptr<TSafeWriteStream> stream = OpenSafeWriteStream(BytesToText(file.string()), error);
  if (stream == nullptr) {
    return false;
  }
  if (stream->Write(text.data(), static_cast<int32_t>(text.size())) != static_cast<int32_t>(text.size())) {
    stream->Close();
    *error = "cannot write \"" + file.string() + "\"";
    return false;
  }
  if (!stream->Commit(error)) {
    return false;
  }
  *path = file.string();
  return true;
}

}  // namespace

std::string ReplayFileName(std::time_t when, bool online, int32_t copy) {
  return DatedFileName(when, online ? "online" : "local", copy);
}

bool WriteReplayFileIn(const std::filesystem::path& folder, const TReplay& replay, std::time_t when, std::string* path,
                       std::string* error) {
  return WriteNewFileIn(folder, replay.online ? "online" : "local", ReplayText(replay), when, path, error);
}

bool WriteDesyncReport(const std::string& text, std::string* path, std::string* error) {
  if (!MakeSaveFolder(error)) {
    return false;
  }
  return WriteNewFileIn(TextToBytes(SavePath(u"replays")), "desync", text, std::time(nullptr), path, error);
}

bool WriteReplayFile(const TReplay& replay, std::string* path, std::string* error) {
  if (!MakeSaveFolder(error)) {
    return false;
  }
  return WriteReplayFileIn(TextToBytes(SavePath(u"replays")), replay, std::time(nullptr), path, error);
}

void KeepReplay(const TReplay& replay) {
  std::string path;
  std::string error;
  if (!WriteReplayFile(replay, &path, &error)) {
    ReportWarning("cannot write the match's replay: " + error);
  }
}

bool ReadReplayFile(std::u16string_view path, TReplay* replay, std::string* error) {
  TOpenedFile opened = OpenReadFile(path, REPLAY_MAX_BYTES);
  if (opened.stream == nullptr) {
    *error = "Cannot open the replay file \"" + TextToBytes(path) + "\"" +
             (opened.missing ? ": there is no such file." : ": " + opened.problem + ".");
    return false;
  }
  if (opened.cut) {
    *error = "This replay file is too long to be a replay.";
    return false;
  }
  std::string text(static_cast<size_t>(std::max(opened.stream->Size(), 0)), '\0');
  try {
    opened.stream->ReadBytes(text.data(), static_cast<int32_t>(text.size()));
  } catch (const TStreamException&) {
    *error = "Cannot read the replay file \"" + TextToBytes(path) + "\".";
    return false;
  }
  return ReadReplay(text, replay, error);
}
