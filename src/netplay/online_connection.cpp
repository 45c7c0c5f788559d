#include "netplay/online_connection.h"

#include "media/platform/enet_transport.h"

namespace {

struct TConnection {
  std::unique_ptr<TNetTransport> transport;
  std::unique_ptr<TRollbackSession> session;
  TSessionConfig config;
  uint16_t localPort = 0;
};

TConnection connection;

void StartSession() {
  connection.session = std::make_unique<TRollbackSession>(*connection.transport, connection.config);
}

}  // namespace

namespace OnlineConnection {

bool Host(uint16_t port, int32_t inputDelay, int32_t ring, std::string* error) {
  Close();
  TNetOpening opening = HostOnline(port);
  if (opening.transport == nullptr) {
    *error = opening.error;
    return false;
  }
  connection.localPort = opening.localPort;
  Use(std::move(opening.transport), 0, inputDelay, ring);
  return true;
}

bool Join(const TJoinTarget& target, int32_t inputDelay, std::string* error) {
  Close();
  TNetOpening opening = JoinOnline(target);
  if (opening.transport == nullptr) {
    *error = opening.error;
    return false;
  }
  connection.localPort = opening.localPort;
  Use(std::move(opening.transport), 1, inputDelay, 0);
  return true;
}

void Use(std::unique_ptr<TNetTransport> transport, int32_t side, int32_t inputDelay, int32_t ring) {
  connection.session.reset();
  connection.transport = std::move(transport);
  connection.config = TSessionConfig();
  connection.config.side = side;
  connection.config.inputDelay = inputDelay;
  connection.config.ring = ring;
  StartSession();
}

void Close() {
  if (connection.session != nullptr) {
    connection.session->Leave();
  }
  connection.session.reset();
  connection.transport.reset();
  connection.localPort = 0;
}

bool Open() {
  return connection.session != nullptr;
}

bool Playing() {
  return connection.session != nullptr && connection.session->Began();
}

TRollbackSession* Session() {
  return connection.session.get();
}

TNetTransport* Transport() {
  return connection.transport.get();
}

uint16_t LocalPort() {
  return connection.localPort;
}

void SetInputDelay(int32_t inputDelay) {
  connection.config.inputDelay = inputDelay;
  if (connection.session != nullptr && connection.session->State() == SESSION_HANDSHAKE &&
      !connection.transport->Connected()) {
    StartSession();
  }
}

}  // namespace OnlineConnection
