// The key captions and the opponent roster, read as the game reads them: lines of tab-separated fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "data/data_files.h"
#include "media/input/key_codes.h"

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == '\t') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

bool IsDecimal(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

TEST(KeyCaptions, EveryReportableKeyHasOneShortPrintableCaption) {
  std::map<int, std::string> captions;
  for (const std::string& line : SplitLines(ReadDataFile("bin/keyboard.dat"))) {
    std::size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    ASSERT_TRUE(IsDecimal(line.substr(0, tab))) << line;
    int code = std::stoi(line.substr(0, tab));
    EXPECT_EQ(captions.count(code), 0u) << "code " << code << " twice";
    captions[code] = line.substr(tab + 1);
  }
  for (int code : REPORTABLE_KEY_CODES) {
    ASSERT_EQ(captions.count(code), 1u) << "no caption for key code " << code;
    const std::string& caption = captions[code];
    EXPECT_FALSE(caption.empty()) << code;
    EXPECT_LE(caption.size(), 11u) << caption;
    for (unsigned char c : caption) {
      EXPECT_TRUE(c >= 32 && c <= 126) << "code " << code;
    }
  }
  EXPECT_EQ(captions.size(), REPORTABLE_KEY_CODES.size()) << "captions for codes the keyboard never reports";
  EXPECT_EQ(captions[KEY_A], "A");
  EXPECT_EQ(captions[KEY_ESCAPE], "Esc");
  EXPECT_EQ(captions[KEY_LSHIFT], "L-Shift");
  EXPECT_EQ(captions[KEY_NUM0 + 5], "Num 5");
}

TEST(Roster, TenOpponentsOfTenIntegersInSaneRanges) {
  std::vector<std::string> lines = SplitLines(ReadDataFile("bin/tournament.dat"));
  ASSERT_EQ(lines.size(), 10u);
  int p[10][10];
  for (int level = 0; level < 10; level++) {
    std::vector<std::string> fields = SplitTabs(lines[static_cast<std::size_t>(level)]);
    ASSERT_EQ(fields.size(), 10u) << "level " << level + 1;
    for (int i = 0; i < 10; i++) {
      ASSERT_TRUE(IsDecimal(fields[static_cast<std::size_t>(i)])) << "level " << level + 1 << " field " << i;
      p[level][i] = std::stoi(fields[static_cast<std::size_t>(i)]);
    }
    const int* o = p[level];
    EXPECT_TRUE(o[0] >= 20 && o[0] <= 2000) << "t_pose, level " << level + 1;
    EXPECT_LE(o[1], 2000) << "t_punch, level " << level + 1;
    EXPECT_LE(o[2], 1000) << "t_decide, level " << level + 1;
    EXPECT_TRUE(o[3] >= 100 && o[3] <= 5000) << "t_vthresh, level " << level + 1;
    // The patience rule punches one level lower when patience runs out: 0 would ask for level -1.
    EXPECT_TRUE(o[4] >= 1 && o[4] <= 3) << "vthresh, level " << level + 1;
    EXPECT_TRUE(o[5] == 0 || o[5] == 1) << "aggressive, level " << level + 1;
    for (int c = 6; c <= 8; c++) {
      EXPECT_LE(o[c], 255) << "tint, level " << level + 1;
    }
    EXPECT_TRUE(o[9] >= 50 && o[9] <= 1000) << "health, level " << level + 1;
    // Tints stay clear of the player's green (32, 255, 64) and of each other.
    auto distance = [](int r, int g, int b, const int* q) { return std::hypot(r - q[6], g - q[7], b - q[8]); };
    EXPECT_GT(distance(32, 255, 64, o), 120) << "level " << level + 1;
    for (int other = 0; other < level; other++) {
      EXPECT_GT(distance(p[other][6], p[other][7], p[other][8], o), 60) << "levels " << other + 1 << ", " << level + 1;
    }
  }
  EXPECT_GE(p[0][0], 500) << "level 1 reacts slowly";
}
