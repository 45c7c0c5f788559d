// Online matches over UDP, on ENet: the back-end of the game's transport (media/net/transport.h) that reaches
// another machine. One side hosts on a port and takes the first player who joins; the other joins by name or
// address. Nothing of ENet shows beyond this floor.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "media/net/net_address.h"
#include "media/net/transport.h"

struct TNetOptions {
  // A peer silent this long counts as gone; a join unanswered this long fails.
  int32_t timeoutMillis = NET_DEFAULT_TIMEOUT_MILLIS;
};

// A transport, or why there is none.
struct TNetOpening {
  std::unique_ptr<TNetTransport> transport;  // null when it could not be opened
  uint16_t localPort = 0;                    // the UDP port it listens on (the chosen one when asked for 0)
  std::string error;                         // for the player, when transport is null
};

// Listens on port (0: any free one) on every interface of the machine. The first player who joins becomes the
// peer (CONNECTED); anyone joining after them is refused with BUSY and nothing of theirs reaches the game, and so
// is anyone joining after the peer has left: a host serves one match.
TNetOpening HostOnline(uint16_t port, const TNetOptions& options = {});

// Joins the game hosted at target. A dotted address is joined at once; a name is first looked up on a thread of
// its own, and Poll reports DISCONNECTED with NO_SUCH_HOST when it does not resolve. A host that never answers
// gives DISCONNECTED with TIMEOUT after options.timeoutMillis. Null (with error) only when the machine cannot
// open a UDP socket at all.
TNetOpening JoinOnline(const TJoinTarget& target, const TNetOptions& options = {});
