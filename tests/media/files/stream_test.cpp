#include "media/files/stream.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

std::u16string ReadAllLines(const std::string& bytes, ScopedTempDir& dir, int* lines) {
  dir.Write("in.txt", bytes);
  auto stream = OpenReadStream(u"in.txt");
  std::u16string joined;
  *lines = 0;
  while (stream->Eof() == 0) {
    joined += stream->ReadLine() + u"|";
    ++*lines;
  }
  return joined;
}

}  // namespace

TEST(ReadLine, SplitsAtLineFeedsAndDropsCarriageReturnsAnywhere) {
  ScopedTempDir dir;
  int lines = 0;
  EXPECT_EQ(ReadAllLines("12\r\n34", dir, &lines), u"12|34|");
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(ReadAllLines("a\rb\nc\n", dir, &lines), u"ab|c|");
  EXPECT_EQ(lines, 2);  // a final line break gives no extra empty line
  EXPECT_EQ(ReadAllLines("x\n\ny", dir, &lines), u"x||y|");
}

TEST(ReadLine, StopsAtAZeroByteAndKeepsHighBytesAsCharacters) {
  ScopedTempDir dir;
  dir.Write("in.bin", std::string("ab\0cd\n\xe9\xff", 8));
  auto stream = OpenReadStream(u"in.bin");
  EXPECT_EQ(stream->ReadLine(), u"ab");
  EXPECT_EQ(stream->ReadLine(), u"cd");
  std::u16string high = stream->ReadLine();
  ASSERT_EQ(high.size(), 2u);
  EXPECT_EQ(high[0], 0xE9);
  EXPECT_EQ(high[1], 0xFF);
  EXPECT_EQ(stream->Eof(), 1);
  EXPECT_EQ(stream->ReadLine(), u"");  // past the end: empty, never an error
}

TEST(WriteLine, WritesTheLowByteOfEachCharacterThenCrLf) {
  ScopedTempDir dir;
  {
    auto stream = OpenWriteStream(u"out.txt");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->WriteLine(u"A"), 1);
    EXPECT_EQ(stream->WriteLine(std::u16string(1, char16_t(0x142)) + u"z"), 1);
    EXPECT_EQ(stream->WriteLine(u""), 1);
    stream->Close();
  }
  EXPECT_EQ(dir.Read("out.txt"), std::string("A\r\nBz\r\n\r\n"));
}

TEST(WriteLine, ReportsAShortWriteThroughItsResult) {
  ScopedTempDir dir;
  dir.Write("in.txt", "x");
  auto stream = OpenReadStream(u"in.txt");  // a read stream takes no bytes
  EXPECT_EQ(stream->WriteLine(u"A"), 0);
}

TEST(TypedStreamOperations, MoveLittleEndianValuesBothWays) {
  ScopedTempDir dir;
  {
    auto out = OpenWriteStream(u"typed.bin");
    out->WriteByte(0x1FE);  // only the low byte
    out->WriteShort(0xBEEF);
    out->WriteInt(-2);
    out->WriteLong(0x0102030405060708LL);
    out->WriteFloat(0.25f);
    out->WriteDouble(-1.5);
    out->WriteString(u"hi");
    EXPECT_EQ(out->Size(), 1 + 2 + 4 + 8 + 4 + 8 + 2);
    out->Close();
  }
  std::string bytes = dir.Read("typed.bin");
  EXPECT_EQ(bytes.substr(0, 7), std::string("\xfe\xef\xbe\xfe\xff\xff\xff", 7));
  auto in = OpenReadStream(u"typed.bin");
  EXPECT_EQ(in->ReadByte(), 0xFE);
  EXPECT_EQ(in->ReadShort(), 0xBEEF);
  EXPECT_EQ(in->ReadInt(), -2);
  EXPECT_EQ(in->ReadLong(), 0x0102030405060708LL);
  EXPECT_EQ(in->ReadFloat(), 0.25f);
  EXPECT_EQ(in->ReadDouble(), -1.5);
  EXPECT_EQ(in->ReadString(2), u"hi");
  EXPECT_EQ(in->Eof(), 1);
}

TEST(TypedStreamOperations, RaiseTheReadErrorAtTheEndAndTheWriteErrorWhenNothingMoves) {
  ScopedTempDir dir;
  dir.Write("short.bin", "abc");
  auto in = OpenReadStream(u"short.bin");
  in->SkipBytes(2);
  EXPECT_EQ(in->ReadByte(), 'c');
  try {
    in->ReadByte();
    FAIL() << "reading past the end must raise";
  } catch (const TStreamReadException& error) {
    EXPECT_STREQ(error.what(), "Error reading from stream");
  }
  EXPECT_THROW(in->ReadInt(), TStreamException);
  try {
    in->WriteByte(1);
    FAIL() << "writing to a read stream must raise";
  } catch (const TStreamWriteException& error) {
    EXPECT_STREQ(error.what(), "Error writing to stream");
  }
}

TEST(CStream, TracksPositionSizeAndSeeks) {
  ScopedTempDir dir;
  dir.Write("data.bin", "0123456789");
  auto stream = OpenReadStream(u"data.bin");
  EXPECT_EQ(stream->Size(), 10);
  EXPECT_EQ(stream->Pos(), 0);
  EXPECT_EQ(stream->Eof(), 0);
  EXPECT_EQ(stream->Seek(7), 7);
  EXPECT_EQ(stream->ReadByte(), '7');
  EXPECT_EQ(stream->Pos(), 8);
  EXPECT_EQ(stream->Seek(-1), 8);  // refused: the position stays
  char buffer[8];
  EXPECT_EQ(stream->Read(buffer, 8), 2);
  EXPECT_EQ(stream->Eof(), 1);
  stream->Close();
  EXPECT_EQ(stream->Pos(), 0);
  EXPECT_EQ(stream->Size(), 0);
  EXPECT_EQ(stream->Close(), 0);  // twice does nothing
  EXPECT_EQ(stream->Read(buffer, 1), 0);
}

TEST(OpenStream, TurnsBackslashesIntoSlashes) {
  ScopedTempDir dir;
  dir.Write("bin/keys.dat", "k\n");
  auto stream = OpenReadStream(u"bin\\keys.dat");
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->ReadLine(), u"k");
}

TEST(OpenStream, GivesNullForMissingFilesAndUnknownStreamKinds) {
  ScopedTempDir dir;
  dir.Write("present.txt", "x");
  EXPECT_EQ(OpenReadStream(u"absent.txt"), nullptr);
  EXPECT_EQ(OpenReadStream(u"incbin::present.txt"), nullptr);
  EXPECT_EQ(OpenReadStream(u"::present.txt"), nullptr);
  EXPECT_EQ(OpenWriteStream(u"memory::x"), nullptr);
  EXPECT_EQ(OpenWriteStream(u"no/such/folder/x.txt"), nullptr);
  EXPECT_EQ(OpenReadStream(u""), nullptr);
  EXPECT_EQ(OpenReadStream(std::u16string(u"present.txt") + char16_t(0) + u"x"), nullptr);
}

TEST(OpenStream, WriteEmptiesAnExistingFile) {
  ScopedTempDir dir;
  dir.Write("f.txt", "old contents");
  {
    auto stream = OpenWriteStream(u"f.txt");
    EXPECT_EQ(stream->Size(), 0);
    stream->WriteLine(u"new");
  }  // released without Close: the destructor closes and flushes
  EXPECT_EQ(dir.Read("f.txt"), "new\r\n");
}
