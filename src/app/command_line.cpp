#include "app/command_line.h"

#include <charconv>

#include "media/net/net_address.h"
#include "shared/rules.h"

namespace {

bool ReadNumber(const std::string& text, int32_t least, int32_t most, int32_t* value) {
  int32_t number = 0;
  auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (failure != std::errc() || end != text.data() + text.size() || number < least || number > most) {
    return false;
  }
  *value = number;
  return true;
}

}  // namespace

TCommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
  TCommandLine line;
  auto fail = [&line](std::string why) {
    line.error = std::move(why);
    return line;
  };
  for (size_t i = 0; i < arguments.size(); i++) {
    const std::string& argument = arguments[i];
    bool hasValue = i + 1 < arguments.size() && arguments[i + 1].rfind("--", 0) != 0;
    if (argument == "--help" || argument == "-h") {
      line.action = TCommandLine::HELP;
      return line;
    }
    if (line.action != TCommandLine::START &&
        (argument == "--host" || argument == "--join" || argument == "--replay")) {
      return fail("choose one of --host, --join and --replay");
    }
    if (argument == "--host") {
      line.action = TCommandLine::HOST;
      if (hasValue) {
        int32_t port = 0;
        if (!ReadNumber(arguments[++i], 1, 65535, &port)) {
          return fail("--host takes a port from 1 to 65535");
        }
        line.port = static_cast<uint16_t>(port);
      }
    } else if (argument == "--join") {
      if (!hasValue || !ParseJoinTarget(arguments[i + 1])) {
        return fail("--join takes the host's address, as 192.168.1.20 or 192.168.1.20:7620");
      }
      line.action = TCommandLine::JOIN;
      line.target = arguments[++i];
    } else if (argument == "--input-delay") {
      if (!hasValue || !ReadNumber(arguments[++i], 0, ONLINE_MAX_INPUT_DELAY, &line.inputDelay)) {
        return fail("--input-delay takes a number of ticks from 0 to " + std::to_string(ONLINE_MAX_INPUT_DELAY));
      }
    } else if (argument == "--replay") {
      if (!hasValue) {
        return fail("--replay takes a replay file");
      }
      line.action = TCommandLine::REPLAY;
      line.target = arguments[++i];
    } else {
      return fail("unknown argument \"" + argument + "\"");
    }
  }
  return line;
}

const char* CommandLineUsage() {
  return "Usage: morvik [--host [PORT]] [--join HOST[:PORT]] [--input-delay N] [--replay FILE]\n"
         "  --host [PORT]       host an online match on UDP port PORT (7620 unless given)\n"
         "  --join HOST[:PORT]  join the online match hosted at HOST\n"
         "  --input-delay N     delay your own inputs by N ticks of 20 ms (0 to 4) in online matches\n"
         "  --replay FILE       play a recorded match back, checking it as it goes\n";
}
