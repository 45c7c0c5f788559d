// What the game is asked to do from a shell: start as usual, host or join an online match at once, or play a
// replay back.
//
//   morvik [--host [PORT]] [--join HOST[:PORT]] [--input-delay N] [--replay FILE] [--help]
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TCommandLine {
  enum : int32_t { START = 0, HOST = 1, JOIN = 2, REPLAY = 3, HELP = 4 };
  int32_t action = START;
  uint16_t port = 0;        // HOST: the port; 0 for the usual one
  std::string target;       // JOIN: "HOST" or "HOST:PORT"; REPLAY: the file
  int32_t inputDelay = -1;  // -1: as the settings have it
  std::string error;        // for the shell, when the arguments make no sense
};

TCommandLine ReadCommandLine(const std::vector<std::string>& arguments);

// The lines --help prints.
const char* CommandLineUsage();
