// The versus screen, where a match of two is played here or online, and the two online screens: hosting, which
// waits for the other player and tells them where to join, and joining, which takes the host's address.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "controls/commands.h"
#include "controls/side_devices.h"
#include "frontend/font.h"
#include "frontend/match_start.h"
#include "frontend/menu.h"
#include "media/core/text.h"
#include "media/graphics/graphics.h"
#include "media/input/input.h"
#include "media/input/key_codes.h"
#include "media/net/net_address.h"
#include "media/platform/local_addresses.h"
#include "media/platform/media.h"
#include "netplay/online_connection.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "shared/sounds.h"

namespace {

constexpr int32_t kRowY[] = {30, 78, 126, 174, 222, 270};
constexpr int32_t kModeRows = 4;
constexpr int32_t kNoticeY = 206;
constexpr int32_t kTitleY = 30;
constexpr int32_t kLineY = 70;
constexpr int32_t kLineStep = 18;
constexpr int32_t kDelayY = 222;
constexpr int32_t kHelpY = 280;
constexpr int32_t kFieldLeft = 60;
constexpr int32_t kFieldWidth = 280;
constexpr int32_t kFieldTop = 108;
constexpr int32_t kFieldHeight = 24;
constexpr int32_t kStatusY = 160;
constexpr int32_t kAddressesShown = 4;

std::vector<TNetAddress> hostAddresses;
std::string hostError;
std::u16string joinStatus;
std::string typedAddress;
bool typedAddressTaken = false;

void SmallLine(std::u16string_view text, int32_t y) {
  if (SmallFont != nullptr) {
    SmallFont->Draw(text, 200, y, ALIGN_CENTER, ALIGN_CENTER);
  }
}

void YellowLine(std::u16string_view text, int32_t y) {
  SetColor(255, 255, 0);
  SmallLine(text, y);
  SetColor(255, 255, 255);
}

// The input delay. Where the player types, it is chosen with the cursor keys themselves: the letters typed may be
// bound to walks.
void InputDelayRow(bool typing) {
  int32_t move = 0;
  if (typing && InputLock == 0) {
    move = (MenuKeyHits(KEY_RIGHT) != 0 ? 1 : 0) - (MenuKeyHits(KEY_LEFT) != 0 ? 1 : 0);
  } else if (!typing) {
    move = Menu::NavigateLR();
  }
  int32_t delay = std::clamp(OnlineInputDelay + move, 0, ONLINE_MAX_INPUT_DELAY);
  if (delay != OnlineInputDelay) {
    OnlineInputDelay = delay;
    OnlineConnection::SetInputDelay(delay);
    PlaySfx(SFX_MENU_MOVE);
    Menu::Save();
  }
  std::u16string value = IntToText(OnlineInputDelay) + (OnlineInputDelay == 1 ? u" tick" : u" ticks");
  Menu::ButtonTab(u"Input delay", u"< " + value + u" >", kDelayY, 0);
}

// What the connection became: the match begins, or an attempt ended and the player is told why.
void FollowConnection() {
  TRollbackSession* session = OnlineConnection::Session();
  if (session == nullptr) {
    return;
  }
  if (OnlineConnection::Playing() && session->State() < SESSION_PEER_LEFT) {
    OnlineNotice.clear();
    StartVersusMatch(VERSUS_ONLINE, std::clamp(session->Ring(), 0, LEVEL_COUNT - 1));
  } else if (session->State() >= SESSION_PEER_LEFT) {
    OnlineNotice = BytesToText(session->Message());
    OnlineConnection::Close();
  }
}

void StartHosting() {
  hostError.clear();
  if (OnlineConnection::Host(HostPort, OnlineInputDelay, VersusRing, &hostError)) {
    hostAddresses = LocalAddresses(OnlineConnection::LocalPort());
  }
}

void Type(int32_t c) {
  if (IsJoinAddressCharacter(c) && typedAddress.size() < JOIN_ADDRESS_MAX) {
    typedAddress.push_back(static_cast<char>(c));
  }
}

void TakeTyping() {
  for (int32_t c = TakeChar(); c != 0; c = TakeChar()) {
    Type(c);
  }
  if (InputLock != 0) {
    return;
  }
  if (MenuKeyHits(KEY_BACKSPACE) != 0 && !typedAddress.empty()) {
    typedAddress.pop_back();
  }
  bool control = IsKeyDown(KEY_LCONTROL) != 0 || IsKeyDown(KEY_RCONTROL) != 0;
  if (control && MenuKeyHits(KEY_A + ('V' - 'A')) != 0) {
    // The first line of the clipboard, spaces round it left out: an address copied from a chat.
    std::string pasted = ClipboardText();
    pasted = pasted.substr(0, pasted.find_first_of("\r\n"));
    for (char c : pasted) {
      if (c != ' ' && c != '\t') {
        Type(static_cast<unsigned char>(c));
      }
    }
  }
}

void Join() {
  std::optional<TJoinTarget> target = ParseJoinTarget(typedAddress);
  if (!target) {
    joinStatus = u"Write the address as 192.168.1.20 or 192.168.1.20:7620";
    return;
  }
  OnlineAddress = typedAddress;
  Menu::Save();
  std::string error;
  if (!OnlineConnection::Join(*target, OnlineInputDelay, &error)) {
    joinStatus = BytesToText(error);
    return;
  }
  OnlineNotice.clear();
  joinStatus = u"Joining " + BytesToText(typedAddress) + u"...";
}

}  // namespace

namespace Menu {

int32_t VersusModesMenu() {
  SubCursor = Wrap(SubCursor, NavigateUD(), kModeRows);
  if (Button(u"Two players here", kRowY[0], SubCursor == 0) != 0) {
    ResetSideDevices();
    ShowScreen(MENU_VERSUS);
  }
  if (Button(u"Host online", kRowY[1], SubCursor == 1) != 0) {
    StartHosting();
    ShowScreen(MENU_HOST_ONLINE);
  }
  if (Button(u"Join online", kRowY[2], SubCursor == 2) != 0) {
    typedAddress = OnlineAddress;
    typedAddressTaken = false;
    joinStatus.clear();
    ShowScreen(MENU_JOIN_ONLINE);
  }
  if (!OnlineNotice.empty()) {
    YellowLine(OnlineNotice, kNoticeY);
  }
  if (Button(u"Back", kRowY[5], SubCursor == kModeRows - 1) != 0 || Back() != 0) {
    OnlineNotice.clear();
    ShowScreen(MENU_MAIN);
  }
  return 0;
}

int32_t HostOnlineMenu() {
  SubCursor = 0;
  GameFont->Draw(u"Host online", 200, kTitleY, ALIGN_CENTER, ALIGN_CENTER);
  if (OnlineConnection::Open()) {
    TRollbackSession* session = OnlineConnection::Session();
    if (session->State() >= SESSION_PEER_LEFT) {
      // A joiner the game had to refuse (another version) is told why, and so is this player; the game goes on
      // waiting for a joiner it can play.
      OnlineNotice = BytesToText(session->Message());
      StartHosting();
    } else {
      FollowConnection();
    }
  }
  if (!hostError.empty()) {
    YellowLine(BytesToText(hostError), kLineY);
  } else {
    SmallLine(u"Waiting for the other player to join", kLineY);
    SmallLine(u"Tell them this machine's address and port " + IntToText(OnlineConnection::LocalPort()) + u":",
              kLineY + kLineStep);
    int32_t y = kLineY + 2 * kLineStep + kLineStep / 2;
    if (hostAddresses.empty()) {
      YellowLine(u"This machine has no network address", y);
    }
    for (size_t i = 0; i < hostAddresses.size() && i < kAddressesShown; i++, y += kLineStep) {
      YellowLine(BytesToText(AddressText(hostAddresses[i])), y);
    }
    SmallLine(u"Internet play: forward UDP port " + IntToText(OnlineConnection::LocalPort()) + u" to here",
              kDelayY - 2 * kLineStep);
  }
  if (!OnlineNotice.empty()) {
    YellowLine(OnlineNotice, kLineY - kLineStep);
  }
  InputDelayRow(false);
  SmallLine(u"Left, Right: input delay", kHelpY - kLineStep);
  SmallLine(u"Esc: cancel", kHelpY);
  if (Back() != 0) {
    OnlineConnection::Close();
    ShowScreen(MENU_VERSUS_MODES);
  }
  return 0;
}

int32_t JoinOnlineMenu() {
  SubCursor = 0;
  GameFont->Draw(u"Join online", 200, kTitleY, ALIGN_CENTER, ALIGN_CENTER);
  if (!typedAddressTaken) {
    // Characters typed before the screen came up belong to where they were typed.
    while (TakeChar() != 0) {
    }
    typedAddressTaken = true;
  }
  bool joining = OnlineConnection::Open();
  if (joining) {
    FollowConnection();
    if (!OnlineConnection::Open()) {
      joinStatus = OnlineNotice;
      OnlineNotice.clear();
    }
  } else {
    TakeTyping();
    if (InputLock == 0 && MenuKeyHits(KEY_ENTER) != 0) {
      PlaySfx(SFX_MENU_ACTION);
      Join();
    }
  }
  SmallLine(u"Address of the other player's machine:", kLineY + kLineStep);
  DrawRect(kFieldLeft - 1, kFieldTop - 1, kFieldWidth + 2, kFieldHeight + 2);
  SetColor(0, 0, 0);
  DrawRect(kFieldLeft, kFieldTop, kFieldWidth, kFieldHeight);
  SetColor(255, 255, 255);
  if (SmallFont != nullptr) {
    std::u16string shown = BytesToText(typedAddress) + (joining ? u"" : u"_");
    SmallFont->Draw(shown, kFieldLeft + 6, kFieldTop + kFieldHeight / 2, ALIGN_LEFT, ALIGN_CENTER);
  }
  if (!joinStatus.empty()) {
    YellowLine(joinStatus, kStatusY);
  }
  InputDelayRow(true);
  SmallLine(u"Left, Right: input delay", kHelpY - kLineStep);
  SmallLine(joining ? u"Esc: cancel" : u"Enter: join. Ctrl+V: paste. Esc: back.", kHelpY);
  if (Back() != 0) {
    if (joining) {
      OnlineConnection::Close();
      joinStatus.clear();
    } else {
      ShowScreen(MENU_VERSUS_MODES);
    }
  }
  return 0;
}

void HostOnlineNow() {
  StartHosting();
  MenuScreen = MENU_HOST_ONLINE;
}

void JoinOnlineNow(std::string_view address) {
  typedAddress = std::string(address.substr(0, JOIN_ADDRESS_MAX));
  typedAddressTaken = false;
  joinStatus.clear();
  MenuScreen = MENU_JOIN_ONLINE;
  Join();
}

}  // namespace Menu
