// Reading the tournament roster.
#include "fighters/opponent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "media/core/data_limits.h"
#include "support/captured_warnings.h"
#include "support/overlong_text.h"
#include "support/temp_dir.h"

namespace {

std::string Lines(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; i++) {
    text += line + "\n";
  }
  return text;
}

std::string LoadError(const std::string& contents) {
  ScopedTempDir dir;
  dir.Write("bin/tournament.dat", contents);
  try {
    TOpponent::Load();
  } catch (const TRosterError& error) {
    return error.what();
  }
  return "";
}

}  // namespace

TEST(Roster, ReadsTenTabSeparatedIntegersPerLine) {
  ScopedTempDir dir;
  dir.Write("bin/tournament.dat", "100\t50\t10\t1000\t3\t0\t255\t0\t0\t300\r\n" +
                                      Lines(8, "1\t2\t3\t4\t5\t6\t7\t8\t9\t10") + " 12x\t\t$1F\t-4\t+2\t1\t2\t3\t4\t5\t99");
  TOpponent::Load();
  ASSERT_EQ(Opponents.size(), 10u);
  EXPECT_EQ(Opponents[0]->params, (std::array<int32_t, 10>{100, 50, 10, 1000, 3, 0, 255, 0, 0, 300}));
  // A field of a space, 12 and a letter reads 12; an empty one 0; extra fields are ignored; the last line has no
  // line break.
  EXPECT_EQ(Opponents[9]->params, (std::array<int32_t, 10>{12, 0, 31, -4, 2, 1, 2, 3, 4, 5}));
  Opponents.clear();
}

TEST(Roster, AMissingFileStopsStartUpNamingIt) {
  std::string error = LoadError("");
  ScopedTempDir empty;
  try {
    TOpponent::Load();
    FAIL() << "a missing roster must be refused";
  } catch (const TRosterError& failure) {
    EXPECT_NE(std::string(failure.what()).find("bin/tournament.dat"), std::string::npos);
    EXPECT_NE(std::string(failure.what()).find("cannot be opened"), std::string::npos);
  }
}

TEST(Roster, ShortLinesBlankLinesAndTooFewLinesAreRefusedWithTheLine) {
  std::string shortLine = LoadError(Lines(3, "1\t2\t3\t4\t5\t6\t7\t8\t9\t10") + "1\t2\t3\n" +
                                    Lines(6, "1\t2\t3\t4\t5\t6\t7\t8\t9\t10"));
  EXPECT_NE(shortLine.find("line 4"), std::string::npos) << shortLine;
  EXPECT_NE(shortLine.find("3 fields"), std::string::npos) << shortLine;
  std::string blank = LoadError(Lines(10, "1\t2\t3\t4\t5\t6\t7\t8\t9\t10") + "\n");
  EXPECT_NE(blank.find("line 11"), std::string::npos) << blank;
  std::string few = LoadError(Lines(9, "1\t2\t3\t4\t5\t6\t7\t8\t9\t10"));
  EXPECT_NE(few.find("9 lines"), std::string::npos) << few;
  EXPECT_NE(LoadError("").find("0 lines"), std::string::npos);
  Opponents.clear();
}

TEST(Roster, WhatIsNotAFileStopsStartUpSayingWhat) {
  ScopedTempDir dir;
  std::filesystem::create_directories("bin/tournament.dat");
  try {
    TOpponent::Load();
    FAIL() << "a folder in the roster's place must be refused";
  } catch (const TRosterError& failure) {
    EXPECT_NE(std::string(failure.what()).find("bin/tournament.dat\" cannot be opened (not a regular file (a directory))"),
              std::string::npos)
        << failure.what();
  }
}

// Ten good lines, then more than the reading limit holds: the levels load, the line the limit cuts is not judged,
// and one warning says the rest was not read.
TEST(Roster, ALongerFileIsUsedUpToTheLimitWithOneWarning) {
  ScopedTempDir dir;
  std::string line = "1\t2\t3\t4\t5\t6\t7\t8\t9\t10";
  dir.Write("bin/tournament.dat", PastTheReadingLimit("", line + "\n"));
  TWarnings warning = CaptureWarnings([] { TOpponent::Load(); });
  EXPECT_GE(Opponents.size(), 10u);
  EXPECT_EQ(Opponents.size(), kTextFileBytes / (line.size() + 1));
  EXPECT_TRUE(warning.Says("\"bin/tournament.dat\" is longer than 65536 bytes")) << warning.text;
  EXPECT_EQ(warning.Lines(), 1) << warning.text;
  Opponents.clear();
}
