#include "controls/control.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "shared/game_state.h"
#include "support/captured_warnings.h"
#include "support/fake_control.h"
#include "support/game_fixture.h"
#include "support/overlong_text.h"
#include "support/temp_dir.h"
#include "support/watchdog.h"

using ControlTest = GameTest;

TEST_F(ControlTest, UpdateTurnsPressesIntoOneFrameOfHits) {
  auto control = TFakeControl::Create();
  control->Press();
  TControl::Update();
  EXPECT_EQ(control->Hit(), 1);
  EXPECT_EQ(control->Hit(), 1);  // reading consumes nothing
  EXPECT_EQ(control->Down(), 1);
  TControl::Update();
  EXPECT_EQ(control->Hit(), 0);
  EXPECT_EQ(control->Down(), 1);
}

TEST_F(ControlTest, AFlushedBindingStaysSilentUntilItsInputIsSeenReleased) {
  auto control = TFakeControl::Create();
  control->Press();
  TControl::Update();
  TControl::Flush();
  EXPECT_EQ(control->Hit(), 0);
  EXPECT_EQ(control->Down(), 0);
  for (int frame = 0; frame < 3; frame++) {  // still held: released and not hit
    TControl::Update();
    EXPECT_EQ(control->Down(), 0);
    EXPECT_EQ(control->Hit(), 0);
  }
  control->Release();
  TControl::Update();
  EXPECT_EQ(control->Down(), 0);
  control->Press();
  TControl::Update();
  EXPECT_EQ(control->Hit(), 1);
  EXPECT_EQ(control->Down(), 1);
}

TEST_F(ControlTest, APressAndReleaseWhileLockedComesThroughAfterTheFlush) {
  auto control = TFakeControl::Create();
  TControl::Flush();
  control->Press();  // tapped while no updates ran
  control->Release();
  TControl::Update();
  EXPECT_EQ(control->Hit(), 1);
}

TEST_F(ControlTest, AttachAppendsEvenTwiceAndDetachRemovesTheFirstOccurrence) {
  auto a = TFakeControl::Create();
  auto b = TFakeControl::Create();
  a->Attach();
  ASSERT_EQ(AttachedControls.size(), 3u);
  a->Detach();
  ASSERT_EQ(AttachedControls.size(), 2u);
  EXPECT_EQ(AttachedControls[0], b);
  EXPECT_EQ(AttachedControls[1], a);
  a->Detach();
  a->Detach();  // absent: nothing happens
  ASSERT_EQ(AttachedControls.size(), 1u);
  EXPECT_EQ(AttachedControls[0], b);
}

TEST_F(ControlTest, TheBaseCaptionIsNull) {
  TControl control;
  EXPECT_EQ(control.GetCaption(), u"null");
}

TEST_F(ControlTest, InitReadsCaptionsUpToTheEndOfTheLine) {
  ScopedTempDir dir;
  dir.Write("bin/keyboard.dat",
            "65\tA\r\n"
            " +66\tB\twith tab\n"
            "no tab here\n"
            "67\t\n"
            "65\tLetter A\n"
            "300\tToo big\n"
            "-1\tNegative\n"
            "x\tZero\n"
            "13\tEnter");
  TControl::Init(u"bin/keyboard.dat");
  EXPECT_EQ(KeyNames[65], u"Letter A");  // a later line replaces an earlier one
  EXPECT_EQ(KeyNames[66], u"B\twith tab");
  EXPECT_EQ(KeyNames[67], u"");
  EXPECT_EQ(KeyNames[0], u"Zero");    // no digits read as code 0
  EXPECT_EQ(KeyNames[13], u"Enter");  // a last line without a line break
  EXPECT_EQ(KeyNames[44], u"");
}

TEST_F(ControlTest, InitWithoutTheFileLeavesEveryCaptionEmpty) {
  ScopedTempDir dir;
  TWarnings warning = CaptureWarnings([] { TControl::Init(u"bin/keyboard.dat"); });
  EXPECT_EQ(warning.Mentions("bin/keyboard.dat"), 1) << warning.text;
  for (const auto& name : KeyNames) {
    EXPECT_EQ(name, u"");
  }
}

TEST_F(ControlTest, CaptionsFromWhatIsNotAFileOrFromTooLongAFileWarnOnce) {
  ScopedTempDir dir;
  ScopedWatchdog watchdog("reading key captions from a named pipe");
  ASSERT_EQ(mkfifo("keyboard.dat", 0644), 0);
  TWarnings warning = CaptureWarnings([] { TControl::Init(u"keyboard.dat"); });
  EXPECT_TRUE(warning.Says("\"keyboard.dat\" (not a regular file (a named pipe))")) << warning.text;
  EXPECT_EQ(warning.Lines(), 1) << warning.text;

  // The captions before the limit are kept; one beyond it is not read.
  dir.Write("long.dat", PastTheReadingLimit("65\tA\n", "#", "\n66\tB\n"));
  warning = CaptureWarnings([] { TControl::Init(u"long.dat"); });
  EXPECT_EQ(warning.Lines(), 1) << warning.text;
  EXPECT_TRUE(warning.Says("\"long.dat\" is longer than 65536 bytes")) << warning.text;
  EXPECT_EQ(KeyNames[65], u"A");
  EXPECT_EQ(KeyNames[66], u"");
}
