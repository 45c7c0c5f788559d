// The game's one online connection: the transport to the other player's machine and the session of the match
// played over it. The online screens and the command line open it; the frame loop ticks its session every frame
// from then on, in the menus as in the fight, since the other machine does not wait for this one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/net/net_address.h"
#include "media/net/transport.h"
#include "netplay/rollback_session.h"

namespace OnlineConnection {

// Hosts on port (this machine plays the left fighter, in ring). False, with why, when the port cannot be had.
bool Host(uint16_t port, int32_t inputDelay, int32_t ring, std::string* error);
// Joins the game at target (this machine plays the right fighter). A failure shows later, as the session's state.
bool Join(const TJoinTarget& target, int32_t inputDelay, std::string* error);
// Uses a transport already open (tests, tools): side 0 hosts.
void Use(std::unique_ptr<TNetTransport> transport, int32_t side, int32_t inputDelay, int32_t ring);
// Leaves whatever match there is (the peer hears it) and closes the connection.
void Close();

bool Open();
// Whether the other machine has answered and the fight runs (or ran): the session is past its handshake.
bool Playing();
TRollbackSession* Session();
TNetTransport* Transport();
uint16_t LocalPort();
// The input delay asked for; changed while nobody has joined yet, the session starts over with it.
void SetInputDelay(int32_t inputDelay);

}  // namespace OnlineConnection
