// What the game meets where it expects a data file: only regular files are opened, nothing is waited on, and text
// files are read no further than any of them needs.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "media/core/data_limits.h"
#include "media/files/safe_file.h"
#include "media/files/stream.h"
#include "support/overlong_text.h"
#include "support/temp_dir.h"
#include "support/watchdog.h"

namespace {

// A sparse file of the given length: its size without its bytes.
void MakeSparse(const char* path, off_t length) {
  int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, length), 0);
  close(fd);
}

}  // namespace

// A named pipe with no writer would hold a blocking open() for ever, and so would a write to one with no reader:
// both must come back at once, refused. Were the rule broken, the watchdog ends the test program saying so.
TEST(OpenChecks, WhatIsNotARegularFileIsRefusedWithoutWaitingAndNamed) {
  ScopedTempDir dir;
  ScopedWatchdog watchdog("opening a named pipe, a folder or a device");
  ASSERT_EQ(mkfifo("pipe", 0644), 0);
  std::filesystem::create_directory("folder");
  std::filesystem::create_symlink("/dev/zero", "zero");
  struct Case {
    const char16_t* path;
    const char* kind;
  };
  for (const Case& c : {Case{u"pipe", "named pipe"}, Case{u"folder", "directory"}, Case{u"zero", "device"}}) {
    TOpenedFile opened = OpenReadFile(c.path);
    EXPECT_EQ(opened.stream, nullptr) << c.kind;
    EXPECT_FALSE(opened.missing) << c.kind;
    EXPECT_NE(opened.problem.find("not a regular file"), std::string::npos) << opened.problem;
    EXPECT_NE(opened.problem.find(c.kind), std::string::npos) << opened.problem;
    EXPECT_EQ(OpenReadStream(c.path), nullptr) << c.kind;
    EXPECT_EQ(OpenWriteStream(c.path), nullptr) << c.kind;
  }
  EXPECT_TRUE(std::filesystem::is_fifo("pipe"));  // refused, not replaced or emptied
}

TEST(OpenChecks, AMissingFileIsToldFromOneThatCannotBeRead) {
  ScopedTempDir dir;
  TOpenedFile missing = OpenReadFile(u"absent.dat");
  EXPECT_EQ(missing.stream, nullptr);
  EXPECT_TRUE(missing.missing);
  TOpenedFile notAFolder = OpenReadFile(u"absent/inside.dat");
  EXPECT_TRUE(notAFolder.missing);
  // A regular file reached through a link is a regular file.
  dir.Write("real.dat", "1\n");
  std::filesystem::create_symlink("real.dat", "link.dat");
  TOpenedFile linked = OpenReadFile(u"link.dat");
  ASSERT_NE(linked.stream, nullptr);
  EXPECT_EQ(linked.stream->ReadLine(), u"1");
  EXPECT_FALSE(linked.cut);
}

TEST(BoundedText, AFileUpToTheLimitIsReadWholeAndALongerOneEndsThere) {
  ScopedTempDir dir;
  dir.Write("exact.dat", std::string(static_cast<size_t>(kTextFileBytes), 'a'));
  TOpenedFile exact = OpenTextFile(u"exact.dat");
  ASSERT_NE(exact.stream, nullptr);
  EXPECT_FALSE(exact.cut);
  EXPECT_EQ(exact.stream->Size(), kTextFileBytes);

  // One line of a megabyte: the line read is the limit's length, and the stream ends with it.
  dir.Write("long.dat", PastTheReadingLimit("12\n", "b", "\n34\n"));
  TOpenedFile longer = OpenTextFile(u"long.dat");
  ASSERT_NE(longer.stream, nullptr);
  EXPECT_TRUE(longer.cut);
  EXPECT_EQ(longer.stream->Size(), kTextFileBytes);
  EXPECT_EQ(longer.stream->ReadLine(), u"12");
  EXPECT_EQ(longer.stream->ReadLine().size(), static_cast<size_t>(kTextFileBytes - 3));
  EXPECT_EQ(longer.stream->Eof(), 1);
  EXPECT_EQ(longer.stream->ReadLine(), u"");
  char byte = 0;
  EXPECT_EQ(longer.stream->Read(&byte, 1), 0);
  EXPECT_THROW(longer.stream->ReadByte(), TStreamReadException);
}

// Beyond what 32-bit offsets address: refused whole where the whole file would be read, read from its start where
// only the start is wanted.
TEST(BoundedText, HugeSparseFilesAreReadOnlyUpToTheLimit) {
  ScopedTempDir dir;
  ScopedWatchdog watchdog("reading a sparse file of gigabytes");
  MakeSparse("big.dat", off_t{1000} << 20);
  MakeSparse("vast.dat", off_t{3} << 30);
  TOpenedFile big = OpenTextFile(u"big.dat");
  ASSERT_NE(big.stream, nullptr);
  EXPECT_TRUE(big.cut);
  int32_t lines = 0;
  while (big.stream->Eof() == 0) {
    big.stream->ReadLine();  // a zero byte ends a line
    lines++;
  }
  EXPECT_EQ(lines, kTextFileBytes);
  EXPECT_EQ(OpenReadStream(u"vast.dat"), nullptr);
  TOpenedFile vast = OpenTextFile(u"vast.dat");
  ASSERT_NE(vast.stream, nullptr);
  EXPECT_TRUE(vast.cut);
  EXPECT_EQ(vast.stream->Size(), kTextFileBytes);
}

// A save makes its temporary file anew: a named pipe left where it goes would otherwise hold the save for ever.
TEST(SafeWrite, WhateverStandsAtTheTemporaryNameIsReplaced) {
  ScopedTempDir dir;
  ScopedWatchdog watchdog("saving over a named pipe");
  ASSERT_EQ(mkfifo("saved.dat.new", 0644), 0);
  std::string error;
  std::shared_ptr<TSafeWriteStream> stream = OpenSafeWriteStream(u"saved.dat", &error);
  ASSERT_NE(stream, nullptr) << error;
  EXPECT_EQ(stream->WriteLine(u"7"), 1);
  ASSERT_TRUE(stream->Commit(&error)) << error;
  EXPECT_EQ(dir.Read("saved.dat"), "7\r\n");
  EXPECT_FALSE(std::filesystem::exists("saved.dat.new"));
}

// The guard of the tests above: a piece that hangs ends the test program within the watchdog's time, naming what
// hung, rather than at the test runner's timeout.
TEST(WatchdogDeathTest, AHungPieceEndsTheProgramInSecondsNamingIt) {
  EXPECT_EXIT(
      {
        ScopedWatchdog watchdog("waiting for nothing", std::chrono::seconds(1));
        std::this_thread::sleep_for(std::chrono::seconds(30));
      },
      testing::ExitedWithCode(1), "waiting for nothing did not come back within 1 s");
}
