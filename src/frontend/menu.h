// The immediate-mode menu drawn over the ring: its slide in and out, its widgets and its navigation.
//
// Each frame a screen function draws its rows and reads input in the same call; a widget reports whether the
// player activated it in this frame. The whole menu is shifted down by MenuSlide through the drawing origin.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TImage;

enum : int32_t {
  MENU_MAIN = 0,
  MENU_SETTINGS = 1,
  MENU_KEYBOARD = 2,
  MENU_GAMEPAD = 3,
  MENU_TOURNAMENT = 4,
  MENU_CONTROLS = 5,      // each player's keyboard and gamepad
  MENU_VERSUS = 6,        // two players at this machine join a match
  MENU_VERSUS_MODES = 7,  // a match of two here, or online
  MENU_HOST_ONLINE = 8,   // waiting for the other player to join this machine
  MENU_JOIN_ONLINE = 9,   // the address of the other player's machine
};

// Menu states.
enum : int32_t {
  MENUSTATE_HIDDEN = 0,
  MENUSTATE_SHOWN = 1,
  MENUSTATE_SLIDING_IN = 8,
  MENUSTATE_SLIDING_OUT = 9,
};

extern int32_t MenuState;
extern int32_t MenuSlide;  // vertical offset in logical pixels: 0 in place, 400 entirely below the screen
extern int32_t MenuScreen;
extern std::shared_ptr<TImage> MenuBackground;  // 512 by 512, drawn at (-56, -106)
extern std::shared_ptr<TImage> CupImage;        // 3 cells of 64 by 64: won by one, two and three rounds
extern std::shared_ptr<TImage> CardImage;       // the tournament screen's level card around the portrait

// The screens' cursors and state.
extern int32_t MainCursor;      // selected row of the main screen, kept while other screens are shown
extern int32_t SubCursor;       // selected row of any other screen; 0 whenever a screen is entered
extern int32_t LevelCursor;     // tournament level shown, 0..9
extern int32_t ZoomOnEntry;     // Zoom when the settings screen was opened
extern int32_t RebindIndex;     // command whose binding is being replaced
extern int32_t KeyScroll;       // first visible row of the keyboard list
extern int32_t PadScroll;       // first visible row of the gamepad list
extern int32_t ControlsPlayer;  // 0 or 1: whose bindings the keyboard and gamepad screens show
extern int32_t QuitRequested;   // set by "Quit": the frame loop ends after this frame
extern uint16_t HostPort;       // the UDP port "Host online" listens on
// Why the last online match or attempt ended ("The other player left"), shown on the versus screens; empty for
// none.
extern std::u16string OnlineNotice;

namespace Menu {

// One frame of the menu: the slide, the background and the current screen.
int32_t Draw();
// A centred one-label row whose middle line is at y, with a green bar when selected. 1 when activated.
int32_t Button(std::u16string_view text, int32_t y, int32_t selected);
// A two-column row: the label at the left, the value at the right (in the small font when it would otherwise run
// into the label). The bar is yellow while input is locked (a
// new binding is awaited). 1 when activated.
int32_t ButtonTab(std::u16string_view label, std::u16string_view value, int32_t y, int32_t selected);
// Shows another screen from the next frame on, on its first row. Presses made before are dropped, so none acts
// on the new screen.
void ShowScreen(int32_t screen);
// The cursor moved by move rows, wrapping round a screen of rows rows: down from the last row is the first, up
// from the first the last.
int32_t Wrap(int32_t cursor, int32_t move, int32_t rows);
// This frame's vertical move: positive down, negative up, 0 none.
int32_t NavigateUD();
// This frame's horizontal move: positive right ("Forward"), negative left ("Backward"), 0 none.
int32_t NavigateLR();
// Non-zero when the player confirmed in this frame.
int32_t Action();
// Non-zero when the player asked to go back in this frame (Escape, a pad's B or Back); plays the confirm sound
// then. Every screen but the main one goes back one screen, as its "Back" row does.
int32_t Back();
// The screens; Draw calls the one MenuScreen names.
int32_t MainMenu();
int32_t TournamentMenu();
int32_t SettingsMenu();
int32_t KeyboardMenu();
int32_t GamepadMenu();
int32_t ControlsMenu();
int32_t VersusMenu();
int32_t VersusModesMenu();
int32_t HostOnlineMenu();
int32_t JoinOnlineMenu();
// The host screen, hosting on HostPort at once (the command line's --host).
void HostOnlineNow();
// The join screen with address in its field, joining it at once (the command line's --join).
void JoinOnlineNow(std::string_view address);
// A new gamepad binding for the first pad input found pressed since the wait began, or null.
std::shared_ptr<class TControl> _ScanPads();
// Remembers where every pad axis rests as a wait for a new gamepad input begins.
void _RecordRestingAxes();
// The menu pictures, then the saved settings and progress.
int32_t Load();
// The menu's state back to how start-up finds it: shown on the main screen, every cursor at its first row, no
// pictures.
void Reset();
// Writes the settings file.
int32_t Save();
// Writes the settings file's full-screen line and keeps its other lines as they are in the file: changes still
// pending on a settings or controls screen are saved only when that screen is left.
int32_t SaveFullScreen();
// Writes the progress file.
int32_t SaveProgress();

}  // namespace Menu
