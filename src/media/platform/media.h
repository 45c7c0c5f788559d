// Start-up and shut-down of the media layer, and the one way the game reports that it cannot go on.
#pragma once

#include <string>
#include <string_view>

// Starts the platform services in the order the game needs them: the event queue and its timers, the clock, the
// picture loaders, the joysticks, the window's events and the OpenGL driver (the window itself opens later). False,
// with the reason in *error, when the platform refuses.
bool StartMedia(std::string* error);

// Registers the picture loaders (PNG); StartMedia does it, and headless runs that load pictures.
void RegisterMediaLoaders();

// Stops what StartMedia started: timers first, then the audio output, so nothing runs on freed memory.
void StopMedia();

// The title of the game's window, set before it opens.
void SetAppTitle(std::u16string_view title);
const std::u16string& AppTitle();

// The text on the desktop's clipboard (UTF-8), empty when there is none or no window system.
std::string ClipboardText();

// Hides the mouse pointer while it is over the game's window.
void HideCursor();
bool CursorHidden();

// Optional data that could not be used: one line on standard error, and the game goes on without it.
void ReportWarning(const std::string& message);

// While one lives, what the libraries print on standard error goes nowhere: X's client library, for one, prints the
// display's refusal before SDL can say anything. The game's own lines wait for it to end, so none is lost. For
// the calls that probe the display; SDL's error text still says why one failed.
class TQuietLibraries {
public:
  TQuietLibraries();
  ~TQuietLibraries();
  TQuietLibraries(const TQuietLibraries&) = delete;
  TQuietLibraries& operator=(const TQuietLibraries&) = delete;

private:
  int _saved = -1;
};

// A fault the player must know about: one line on standard error, and a message box when a desktop is there.
void ReportFatal(const std::string& message);

// SDL shows its message box from a forked copy of the game. Should that copy end by exit() (libX11 calls it when
// it loses the display), it must leave at once instead of running the game's exit handlers: the timer threads and
// the audio device they stop belong to the original, and the copy would wait for them for ever. Call right before
// anything that may fork; it holds for exit handlers registered before the call. ReportFatal does so.
void EndForkedCopiesAtExit();
