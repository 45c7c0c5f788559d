// The menu pictures, and the two files the game keeps of its own: the settings (sound, zoom, the fourteen
// bindings, the full-screen switch, player 2's thirteen bindings and the ring of a two-player match) and the
// progress (the best winning margin of each tournament level).
//
// What came later was added after what was there: the full-screen switch as line 17 (a file of 16 lines reads as
// a window), then player 2's six keys (no Pause: Escape is both players'), player 2's seven pad bindings and the
// ring, lines 18 to 31 (a file without them gives player 2 the defaults), then the online screens' input delay and
// the address last joined, lines 32 and 33. A reader that knows fewer lines ignores the rest.
//
// Both are plain text with CR LF lines. They are written whole each time, through a temporary file that replaces
// the old one only once it is on the disk, so a crash or a power cut never leaves half a file.
//
// Where they are is the media layer's choice (bin/ of a portable game folder, the player's data folder of an
// installed game). An installed game ships its defaults in its data folder's bin/: they are read until the
// player's own file exists, and never written.
#include <algorithm>
#include <string>
#include <vector>

#include "controls/control_kinds.h"
#include "controls/default_bindings.h"
#include "frontend/menu.h"
#include "media/core/text.h"
#include "media/files/safe_file.h"
#include "media/files/stream.h"
#include "media/graphics/image.h"
#include "media/net/net_address.h"
#include "media/platform/game_folders.h"
#include "media/platform/media.h"
#include "shared/game_state.h"
#include "shared/rules.h"

namespace {

constexpr const char16_t* kSettingsName = u"settings.dat";
constexpr const char16_t* kProgressName = u"progress.dat";
constexpr int32_t kFullScreenLine = 2 + 2 * COMMAND_COUNT;  // line 17, counted from 0
constexpr int32_t kPlayer2KeysLine = kFullScreenLine + 1;
constexpr int32_t kPlayer2PadLine = kPlayer2KeysLine + COMMAND_PAUSE;
constexpr int32_t kVersusRingLine = kPlayer2PadLine + COMMAND_COUNT;
constexpr int32_t kInputDelayLine = kVersusRingLine + 1;
constexpr int32_t kAddressLine = kInputDelayLine + 1;
// An address is a host name or a dotted address with a port: a longer line, or one with other characters, was not
// written by the game and is not offered to the player.
std::string ReadAddress(const std::u16string& line) {
  if (line.size() > JOIN_ADDRESS_MAX) {
    return {};
  }
  std::string address;
  for (char16_t c : line) {
    if (!IsJoinAddressCharacter(c)) {
      return {};
    }
    address.push_back(static_cast<char>(c));
  }
  return address;
}

enum : int32_t {
  PAD_KIND_BUTTON = 0,
  PAD_KIND_HAT = 1,
  PAD_KIND_AXIS = 2,
};

std::shared_ptr<TImage> LoadPicture(const std::u16string& path, std::shared_ptr<TImage> image) {
  if (image == nullptr) {
    ReportWarning("cannot load the menu picture \"" + TextToBytes(path) + "\"");
  }
  return image;
}

void ReadKeyBinding(TBindings& bindings, int32_t command, const std::u16string& line) {
  int32_t code = TextToInt(line);
  // A code outside the key table could never be pressed: the command keeps the key it has.
  if (code < 0 || code >= KEY_CODES) {
    return;
  }
  bindings[static_cast<size_t>(command)]->Detach();
  bindings[static_cast<size_t>(command)] = TControlKey::Create(code);
}

void ReadPadBinding(TBindings& bindings, int32_t command, const std::u16string& line) {
  // Split at every single space: two spaces make an empty field, which reads as 0.
  std::vector<std::u16string> fields = SplitText(line, u' ');
  fields.resize(std::max<size_t>(fields.size(), 5));  // missing fields read as 0
  int32_t kind = TextToInt(fields[0]);
  int32_t port = TextToInt(fields[1]);
  int32_t key = TextToInt(fields[2]);
  int32_t axis = TextToInt(fields[3]);
  auto dir = static_cast<float>(TextToFloat(fields[4]));
  auto& binding = bindings[static_cast<size_t>(command)];
  // An unknown kind leaves the command without a working pad binding until the player binds one; the detached
  // binding is still what the next save writes.
  binding->Detach();
  if (kind == PAD_KIND_BUTTON) {
    binding = TControlJoyButton::Create(port, key);
  } else if (kind == PAD_KIND_HAT) {
    binding = TControlJoyHat::Create(port, dir);
  } else if (kind == PAD_KIND_AXIS) {
    binding = TControlJoyAxis::Create(port, axis, TruncateToInt(dir));
  }
}

// One of the game's own files, opened for reading. Missing, it is the first run and nothing is said; anything else
// that keeps it from being read, or a file longer than any the game writes, is worth one warning. Null when there
// is nothing to read.
std::shared_ptr<TStream> Readable(const TOpenedFile& opened, const std::u16string& path, const char* standing) {
  if (opened.stream == nullptr) {
    if (!opened.missing) {
      ReportWarning("cannot read \"" + TextToBytes(path) + "\": " + opened.problem + "; " + standing);
    }
  } else if (opened.cut) {
    ReportWarning(CutTextFileNote(TextToBytes(path)));
  }
  return opened.stream;
}

// The player's own file, or else, while the player has none, the one shipped with an installed game.
std::shared_ptr<TStream> OpenSaved(const char16_t* name, const char* standing) {
  std::u16string path = SavePath(name);
  TOpenedFile opened = OpenTextFile(path);
  if (opened.missing && GameFolders().installed) {
    path = u"bin/" + std::u16string(name);
    opened = OpenTextFile(path);
  }
  return Readable(opened, path, standing);
}

void ReadSettings() {
  std::shared_ptr<TStream> stream = OpenSaved(kSettingsName, "the default settings stand");
  if (stream == nullptr) {
    return;  // the defaults stand
  }
  for (int32_t i = 0; stream->Eof() == 0; i++) {
    std::u16string line = stream->ReadLine();
    if (i == 0) {
      SoundOn = TextToInt(line) != 0 ? 1 : 0;
    } else if (i == 1) {
      Zoom = std::clamp(TextToInt(line), 1, 4);
    } else if (i < 2 + COMMAND_COUNT) {
      ReadKeyBinding(KeyBindings, i - 2, line);
    } else if (i < kFullScreenLine) {
      ReadPadBinding(PadBindings, i - 2 - COMMAND_COUNT, line);
    } else if (i == kFullScreenLine) {
      // Anything but 1 opens a window: a window can always be seen and left.
      FullScreen = TextToInt(line) == 1 ? 1 : 0;
    } else if (i < kPlayer2PadLine) {
      ReadKeyBinding(KeyBindings2, i - kPlayer2KeysLine, line);
    } else if (i < kVersusRingLine) {
      ReadPadBinding(PadBindings2, i - kPlayer2PadLine, line);
    } else if (i == kVersusRingLine) {
      VersusRing = std::clamp(TextToInt(line), 0, LEVEL_COUNT - 1);
    } else if (i == kInputDelayLine) {
      OnlineInputDelay = std::clamp(TextToInt(line), 0, ONLINE_MAX_INPUT_DELAY);
    } else if (i == kAddressLine) {
      OnlineAddress = ReadAddress(line);
    }
  }
  stream->Close();
  // A key serves one player: a file from before player 2 had keys may have given player 1 an arrow.
  UnbindSharedKeys();
}

void ReadProgress() {
  std::shared_ptr<TStream> stream = OpenSaved(kProgressName, "the tournament starts afresh");
  if (stream == nullptr) {
    return;
  }
  for (size_t level = 0; stream->Eof() == 0 && level < Progress.size(); level++) {
    Progress[level] = std::clamp(TextToInt(stream->ReadLine()), 0, 3);
  }
  stream->Close();
}

std::u16string PadLine(TControl& binding) {
  int32_t kind = dynamic_cast<TControlJoyButton*>(&binding) != nullptr ? PAD_KIND_BUTTON
                 : dynamic_cast<TControlJoyHat*>(&binding) != nullptr  ? PAD_KIND_HAT
                                                                       : PAD_KIND_AXIS;
  return IntToText(kind) + u" " + IntToText(binding.port) + u" " + IntToText(binding.key) + u" " +
         IntToText(binding.axis) + u" " + FloatToText(binding.dir);
}

// The settings file's lines for the globals as they are.
std::vector<std::u16string> SettingsLines() {
  std::vector<std::u16string> lines = {IntToText(SoundOn), IntToText(Zoom)};
  for (const auto& binding : KeyBindings) {
    lines.push_back(IntToText(binding->key));
  }
  for (const auto& binding : PadBindings) {
    lines.push_back(PadLine(*binding));
  }
  lines.push_back(IntToText(FullScreen));
  for (int32_t command = 0; command < COMMAND_PAUSE; command++) {
    lines.push_back(IntToText(KeyBindings2[static_cast<size_t>(command)]->key));
  }
  for (const auto& binding : PadBindings2) {
    lines.push_back(PadLine(*binding));
  }
  lines.push_back(IntToText(VersusRing));
  lines.push_back(IntToText(OnlineInputDelay));
  lines.push_back(BytesToText(OnlineAddress));
  return lines;
}

// Writes the lines in place of the file; a file that cannot be written is reported once and the game goes on.
void WriteWhole(const char16_t* name, const std::vector<std::u16string>& lines) {
  const std::u16string path = SavePath(name);
  std::string error;
  std::shared_ptr<TSafeWriteStream> stream;
  if (MakeSaveFolder(&error)) {
    stream = OpenSafeWriteStream(path, &error);
  }
  bool written = stream != nullptr;
  for (size_t i = 0; written && i < lines.size(); i++) {
    written = stream->WriteLine(lines[i]) != 0;
  }
  if (written && !stream->Commit(&error)) {
    written = false;
  }
  if (!written) {
    ReportWarning("cannot save \"" + TextToBytes(path) + "\"" + (error.empty() ? "" : ": " + error));
  }
}

}  // namespace

namespace Menu {

int32_t Load() {
  MenuBackground = LoadPicture(u"gfx/bg_menu.png", LoadImageFile(u"gfx/bg_menu.png", -1));
  CupImage = LoadPicture(u"gfx/cup.png", LoadImageStrip(u"gfx/cup.png", 64, 64, 0, 3, -1));
  CardImage = LoadPicture(u"gfx/card.png", LoadImageFile(u"gfx/card.png", -1));
  ReadSettings();
  ReadProgress();
  return 0;
}

int32_t Save() {
  WriteWhole(kSettingsName, SettingsLines());
  return 0;
}

int32_t SaveFullScreen() {
  // The file's own lines stay as they are: changes still pending on a settings or controls screen reach the file
  // only when that screen is left. Lines the file does not have yet come from the game as it is.
  std::vector<std::u16string> lines = SettingsLines();
  if (std::shared_ptr<TStream> stream = OpenSaved(kSettingsName, "the default settings stand"); stream != nullptr) {
    for (size_t i = 0; stream->Eof() == 0 && i < lines.size(); i++) {
      lines[i] = stream->ReadLine();
    }
    stream->Close();
  }
  lines[static_cast<size_t>(kFullScreenLine)] = IntToText(FullScreen);
  WriteWhole(kSettingsName, lines);
  return 0;
}

int32_t SaveProgress() {
  std::vector<std::u16string> lines;
  for (int32_t margin : Progress) {
    lines.push_back(IntToText(margin));
  }
  WriteWhole(kProgressName, lines);
  return 0;
}

}  // namespace Menu
