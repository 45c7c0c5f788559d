#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, ReadsWhatAShellAsksAndRefusesWhatMakesNoSense) {
  EXPECT_EQ(ReadCommandLine({}).action, TCommandLine::START);

  TCommandLine host = ReadCommandLine({"--host"});
  EXPECT_EQ(host.action, TCommandLine::HOST);
  EXPECT_EQ(host.port, 0);
  host = ReadCommandLine({"--host", "7700", "--input-delay", "3"});
  EXPECT_EQ(host.port, 7700);
  EXPECT_EQ(host.inputDelay, 3);
  // A port is optional: the next option is not taken for one.
  host = ReadCommandLine({"--host", "--input-delay", "0"});
  EXPECT_EQ(host.action, TCommandLine::HOST);
  EXPECT_EQ(host.inputDelay, 0);
  EXPECT_TRUE(host.error.empty());

  TCommandLine join = ReadCommandLine({"--join", "ringside.example.org:7700"});
  EXPECT_EQ(join.action, TCommandLine::JOIN);
  EXPECT_EQ(join.target, "ringside.example.org:7700");
  TCommandLine replay = ReadCommandLine({"--replay", "replays/a.txt"});
  EXPECT_EQ(replay.action, TCommandLine::REPLAY);
  EXPECT_EQ(replay.target, "replays/a.txt");
  EXPECT_EQ(ReadCommandLine({"--help"}).action, TCommandLine::HELP);

  for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{{"--host", "0"},
                                                                                     {"--host", "65536"},
                                                                                     {"--host", "77x"},
                                                                                     {"--join"},
                                                                                     {"--join", "a b"},
                                                                                     {"--join", "host:99999"},
                                                                                     {"--input-delay", "5"},
                                                                                     {"--input-delay", "-1"},
                                                                                     {"--input-delay"},
                                                                                     {"--replay"},
                                                                                     {"--host", "--join", "10.0.0.5"},
                                                                                     {"--fullscreen"}}) {
    EXPECT_FALSE(ReadCommandLine(wrong).error.empty()) << wrong[0] << " " << (wrong.size() > 1 ? wrong[1] : "");
  }
}

}  // namespace
