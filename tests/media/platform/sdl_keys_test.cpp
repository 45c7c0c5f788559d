// The physical keys as the game's key codes.
#include "media/platform/sdl_keys.h"

#include <gtest/gtest.h>

#include <set>

#include "media/input/key_codes.h"

namespace {

// USB usage codes, as SDL numbers its scancodes.
constexpr int32_t kUsageA = 4;
constexpr int32_t kUsage1 = 30;
constexpr int32_t kUsage0 = 39;
constexpr int32_t kUsageReturn = 40;
constexpr int32_t kUsageEscape = 41;
constexpr int32_t kUsageF1 = 58;
constexpr int32_t kUsageRight = 79;
constexpr int32_t kUsageUp = 82;
constexpr int32_t kUsageKeypad1 = 89;
constexpr int32_t kUsageKeypad0 = 98;
constexpr int32_t kUsageLeftControl = 224;
constexpr int32_t kUsageRightGui = 231;

}  // namespace

TEST(SdlKeys, LettersDigitsAndTheUsualKeysGetTheirCodes) {
  EXPECT_EQ(KeyCodeOfScancode(kUsageA), 'A');
  EXPECT_EQ(KeyCodeOfScancode(kUsageA + 25), 'Z');
  EXPECT_EQ(KeyCodeOfScancode(kUsage1), '1');
  EXPECT_EQ(KeyCodeOfScancode(kUsage0), '0');
  EXPECT_EQ(KeyCodeOfScancode(kUsageReturn), 13);
  EXPECT_EQ(KeyCodeOfScancode(kUsageEscape), 27);
  EXPECT_EQ(KeyCodeOfScancode(kUsageF1 + 11), 123);
  EXPECT_EQ(KeyCodeOfScancode(kUsageRight), 39);
  EXPECT_EQ(KeyCodeOfScancode(kUsageUp), 38);
  EXPECT_EQ(KeyCodeOfScancode(kUsageKeypad1), 97);
  EXPECT_EQ(KeyCodeOfScancode(kUsageKeypad0), 96);
}

TEST(SdlKeys, ShiftControlAndAltAreReportedBySideNeverGenerically) {
  std::set<int32_t> modifiers;
  for (int32_t usage = kUsageLeftControl; usage <= kUsageRightGui; usage++) {
    modifiers.insert(KeyCodeOfScancode(usage));
  }
  EXPECT_EQ(modifiers, (std::set<int32_t>{91, 92, 160, 161, 162, 163, 164, 165}));
}

TEST(SdlKeys, EveryCodeIsReportableAndEveryReportableCodeHasAKey) {
  std::set<int32_t> reported;
  for (int32_t scancode = 0; scancode < 512; scancode++) {
    int32_t code = KeyCodeOfScancode(scancode);
    if (code != 0) {
      reported.insert(code);
    }
  }
  EXPECT_EQ(reported, std::set<int32_t>(REPORTABLE_KEY_CODES.begin(), REPORTABLE_KEY_CODES.end()));
  EXPECT_EQ(KeyCodeOfScancode(-1), 0);
  EXPECT_EQ(KeyCodeOfScancode(100000), 0);
}
