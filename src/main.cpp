// Morvik: a small 2D boxing game.
#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/startup.h"

int main(int argc, char** argv) {
  TCommandLine line = ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!line.error.empty()) {
    std::fprintf(stderr, "morvik: %s\n%s", line.error.c_str(), CommandLineUsage());
    return 2;
  }
  if (line.action == TCommandLine::HELP) {
    std::fputs(CommandLineUsage(), stdout);
    return 0;
  }
  return RunGame(line);
}
