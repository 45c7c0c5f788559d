// Byte streams over files, with the typed reads and writes the game's data files are made of.
//
// Every data file of the game is text read line by line or byte by byte and written line by line; the image and
// sound loaders read their files through the same streams. One byte is one character; lines are written with
// CR LF and read with or without the CR.
#pragma once

#include <climits>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "media/core/runtime_error.h"

// Raised by the typed operations when bytes cannot be moved.
class TStreamException : public TRuntimeError {
public:
  using TRuntimeError::TRuntimeError;
};

class TStreamReadException : public TStreamException {
public:
  TStreamReadException() : TStreamException("Error reading from stream") {}
};

class TStreamWriteException : public TStreamException {
public:
  TStreamWriteException() : TStreamException("Error writing to stream") {}
};

// The raw operations of a stream. Positions and sizes are byte offsets; -1 means the stream cannot tell.
class TIO {
public:
  virtual ~TIO() = default;

  // 1 when Pos() equals Size().
  virtual int32_t Eof();
  virtual int32_t Pos();
  virtual int32_t Size();
  // Moves to an absolute offset; returns the new position.
  virtual int32_t Seek(int32_t pos);
  virtual int32_t Flush();
  // Flushes and releases the stream; closing twice does nothing.
  virtual int32_t Close();
  // Move up to count bytes and return how many moved; the position advances by that number.
  virtual int32_t Read(void* buffer, int32_t count);
  virtual int32_t Write(const void* buffer, int32_t count);
};

// The base of all streams: typed operations built on the raw ones. Multi-byte values are little-endian.
class TStream : public TIO {
public:
  // Repeat Read/Write until count bytes moved; a call that moves nothing raises the stream error.
  virtual void ReadBytes(void* buffer, int32_t count);
  virtual void WriteBytes(const void* buffer, int32_t count);
  // Reads and drops count bytes; raises the read error at the end of the stream.
  virtual void SkipBytes(int32_t count);

  virtual int32_t ReadByte();  // 0..255
  virtual void WriteByte(int32_t value);
  virtual int32_t ReadShort();  // 0..65535
  virtual void WriteShort(int32_t value);
  virtual int32_t ReadInt();
  virtual void WriteInt(int32_t value);
  virtual int64_t ReadLong();
  virtual void WriteLong(int64_t value);
  virtual float ReadFloat();
  virtual void WriteFloat(float value);
  virtual double ReadDouble();
  virtual void WriteDouble(double value);

  // One line: bytes up to a line feed, a zero byte or the end, which is consumed and not kept; carriage returns
  // are dropped wherever they are. The empty string at the end of the stream; never raises.
  virtual std::u16string ReadLine();
  // The low byte of every character, then CR LF. 1 when every byte was written, else 0; never raises.
  virtual int32_t WriteLine(std::u16string_view text);

  // length bytes as characters, and characters as their low bytes.
  virtual std::u16string ReadString(int32_t length);
  virtual void WriteString(std::u16string_view text);
};

// A stream over a C file.
class TCStream : public TStream {
public:
  static constexpr int32_t MODE_READ = 1;
  static constexpr int32_t MODE_WRITE = 2;

  // Takes over an open file; the size is measured by seeking to the end and back. A read stream over a file
  // longer than limit bytes ends after limit bytes and says so in _cut; without a limit, a file the 32-bit
  // offsets cannot address is refused (null).
  static std::shared_ptr<TCStream> Create(std::FILE* file, int32_t mode, int32_t limit = INT32_MAX);
  ~TCStream() override;

  int32_t Pos() override;
  int32_t Size() override;
  int32_t Seek(int32_t pos) override;
  int32_t Flush() override;
  int32_t Close() override;
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;

  int32_t _pos = 0;
  int32_t _size = 0;
  std::FILE* _cstream = nullptr;
  int32_t _mode = 0;
  bool _cut = false;  // the file goes on beyond _size, which a limit set
};

// Open a file as untranslated bytes, for reading or for writing (created, or emptied). Backslashes in the path
// become slashes. A path with "::" names a stream kind the game does not have and gives null, as does a file
// that cannot be opened.
//
// Only regular files are opened. Whatever else may stand at a path (a named pipe, a device, a socket, a
// directory) is never waited on: it is opened without blocking, looked at, and refused like a file that cannot
// be read.
std::shared_ptr<TStream> OpenReadStream(std::u16string_view path);
std::shared_ptr<TStream> OpenWriteStream(std::u16string_view path);

// A file opened for reading, or why it could not be.
struct TOpenedFile {
  std::shared_ptr<TStream> stream;  // null when the file could not be opened
  bool missing = false;             // there is no such file: for a file the game makes itself, not a fault
  std::string problem;              // otherwise, why not: "not a regular file (a named pipe)", "Permission denied"
  bool cut = false;                 // the file is longer than the limit, and the stream ends at the limit
};

// OpenReadStream that says why it failed, and reads at most limit bytes of the file.
TOpenedFile OpenReadFile(std::u16string_view path, int32_t limit = INT32_MAX);

// A text data file: at most kTextFileBytes of it, whatever its length, so no line of it can be longer.
TOpenedFile OpenTextFile(std::u16string_view path);

// What a warning says of a text data file that was cut at the limit: "\"path\" is longer than 65536 bytes; only
// its beginning is read".
std::string CutTextFileNote(std::string_view path);
