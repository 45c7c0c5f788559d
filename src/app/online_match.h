// The online match in the frame loop: the session of the connection ticked every frame on this machine's player's
// keys (their own player-1 bindings), its sounds played and those of a wrong guess stopped, its fight drawn with
// the network's state over it, the small menu that leaves the match, and the result with Rematch and Back, which
// both players must agree to.
//
// An online fight cannot wait for one side: nothing here pauses it, neither Pause nor the window losing the focus.
#pragma once

namespace OnlineMatch {

// One frame of the connection, whatever the screen: the session ticked (on the player's keys while the fight is
// shown and no menu covers it); a match that ended goes back to the versus screen, telling why.
void Frame();
// The fight's frame: Escape's menu, F3's line of network figures, the result's rows.
void Step();
// The fight, the names, the messages, "Connection interrupted", the menus and the network line.
void Draw();
// Leaves the match now (the other player hears it) and goes back to the menus.
void Leave();
// The state back to how start-up finds it.
void Reset();

}  // namespace OnlineMatch
