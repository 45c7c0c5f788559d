// Byte streams over files.
#include "media/files/stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include "media/core/data_limits.h"
#include "media/core/text.h"

int32_t TIO::Eof() {
  return Pos() == Size() ? 1 : 0;
}

int32_t TIO::Pos() {
  return -1;
}

int32_t TIO::Size() {
  return -1;
}

int32_t TIO::Seek(int32_t) {
  return -1;
}

int32_t TIO::Flush() {
  return 0;
}

int32_t TIO::Close() {
  return 0;
}

int32_t TIO::Read(void*, int32_t) {
  return 0;
}

int32_t TIO::Write(const void*, int32_t) {
  return 0;
}

void TStream::ReadBytes(void* buffer, int32_t count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (count > 0) {
    int32_t moved = Read(bytes, count);
    if (moved <= 0) {
      throw TStreamReadException();
    }
    bytes += moved;
    count -= moved;
  }
}

void TStream::WriteBytes(const void* buffer, int32_t count) {
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  while (count > 0) {
    int32_t moved = Write(bytes, count);
    if (moved <= 0) {
      throw TStreamWriteException();
    }
    bytes += moved;
    count -= moved;
  }
}

void TStream::SkipBytes(int32_t count) {
  unsigned char scratch[256];
  while (count > 0) {
    int32_t chunk = count < 256 ? count : 256;
    ReadBytes(scratch, chunk);
    count -= chunk;
  }
}

namespace {

// Little-endian encoding, whatever the machine's byte order: the bytes are assembled into an unsigned integer of
// the value's size, whose bits are then the value's.
template <size_t N>
struct UnsignedOfSize;
template <>
struct UnsignedOfSize<2> {
  using type = uint16_t;
};
template <>
struct UnsignedOfSize<4> {
  using type = uint32_t;
};
template <>
struct UnsignedOfSize<8> {
  using type = uint64_t;
};

template <typename T>
T ReadLittleEndian(TStream& stream) {
  using Bits = typename UnsignedOfSize<sizeof(T)>::type;
  unsigned char bytes[sizeof(T)];
  stream.ReadBytes(bytes, sizeof(T));
  Bits bits = 0;
  for (size_t i = sizeof(T); i-- > 0;) {
    bits = static_cast<Bits>((bits << 8) | bytes[i]);
  }
  T value;
  std::memcpy(&value, &bits, sizeof(T));
  return value;
}

template <typename T>
void WriteLittleEndian(TStream& stream, T value) {
  using Bits = typename UnsignedOfSize<sizeof(T)>::type;
  Bits bits;
  std::memcpy(&bits, &value, sizeof(T));
  unsigned char bytes[sizeof(T)];
  for (size_t i = 0; i < sizeof(T); i++) {
    bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
  }
  stream.WriteBytes(bytes, sizeof(T));
}

}  // namespace

int32_t TStream::ReadByte() {
  unsigned char byte;
  ReadBytes(&byte, 1);
  return byte;
}

void TStream::WriteByte(int32_t value) {
  auto byte = static_cast<unsigned char>(value);
  WriteBytes(&byte, 1);
}

int32_t TStream::ReadShort() {
  return ReadLittleEndian<uint16_t>(*this);
}

void TStream::WriteShort(int32_t value) {
  WriteLittleEndian(*this, static_cast<uint16_t>(value));
}

int32_t TStream::ReadInt() {
  return ReadLittleEndian<int32_t>(*this);
}

void TStream::WriteInt(int32_t value) {
  WriteLittleEndian(*this, value);
}

int64_t TStream::ReadLong() {
  return ReadLittleEndian<int64_t>(*this);
}

void TStream::WriteLong(int64_t value) {
  WriteLittleEndian(*this, value);
}

float TStream::ReadFloat() {
  return ReadLittleEndian<float>(*this);
}

void TStream::WriteFloat(float value) {
  WriteLittleEndian(*this, value);
}

double TStream::ReadDouble() {
  return ReadLittleEndian<double>(*this);
}

void TStream::WriteDouble(double value) {
  WriteLittleEndian(*this, value);
}

std::u16string TStream::ReadLine() {
  std::u16string line;
  unsigned char byte;
  while (Read(&byte, 1) == 1 && byte != 0 && byte != 10) {
    if (byte != 13) {
      line.push_back(byte);
    }
  }
  return line;
}

int32_t TStream::WriteLine(std::u16string_view text) {
  std::string bytes = TextToBytes(text);
  bytes += "\r\n";
  auto count = static_cast<int32_t>(bytes.size());
  return Write(bytes.data(), count) == count ? 1 : 0;
}

std::u16string TStream::ReadString(int32_t length) {
  if (length <= 0) {
    return {};
  }
  std::string bytes(static_cast<size_t>(length), '\0');
  ReadBytes(bytes.data(), length);
  return BytesToText(bytes);
}

void TStream::WriteString(std::u16string_view text) {
  std::string bytes = TextToBytes(text);
  WriteBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
}

std::shared_ptr<TCStream> TCStream::Create(std::FILE* file, int32_t mode, int32_t limit) {
  if (file == nullptr || std::fseek(file, 0, SEEK_END) != 0) {
    return nullptr;
  }
  long size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    return nullptr;
  }
  bool cut = limit < INT32_MAX && size > limit;
  // Offsets are 32-bit: a file the game could not address whole is refused rather than misread.
  if (!cut && size > INT32_MAX) {
    return nullptr;
  }
  auto stream = std::make_shared<TCStream>();
  stream->_cstream = file;
  stream->_size = cut ? limit : static_cast<int32_t>(size);
  stream->_mode = mode;
  stream->_cut = cut;
  return stream;
}

TCStream::~TCStream() {
  Close();
}

int32_t TCStream::Pos() {
  return _pos;
}

int32_t TCStream::Size() {
  return _size;
}

int32_t TCStream::Seek(int32_t pos) {
  if (_cstream != nullptr && pos >= 0 && std::fseek(_cstream, pos, SEEK_SET) == 0) {
    _pos = pos;
  }
  return _pos;
}

int32_t TCStream::Flush() {
  if (_cstream != nullptr) {
    std::fflush(_cstream);
  }
  return 0;
}

int32_t TCStream::Close() {
  if (_cstream != nullptr) {
    Flush();
    std::fclose(_cstream);
    _cstream = nullptr;
  }
  _pos = 0;
  _size = 0;
  return 0;
}

int32_t TCStream::Read(void* buffer, int32_t count) {
  if (_cstream == nullptr || (_mode & MODE_READ) == 0 || count <= 0) {
    return 0;
  }
  // A read stream ends where its size says, also when the file goes on (a limit cut it there).
  if (_mode == MODE_READ) {
    count = _pos < _size ? std::min(count, _size - _pos) : 0;
    if (count == 0) {
      return 0;
    }
  }
  auto moved = static_cast<int32_t>(std::fread(buffer, 1, static_cast<size_t>(count), _cstream));
  _pos += moved;
  return moved;
}

int32_t TCStream::Write(const void* buffer, int32_t count) {
  if (_cstream == nullptr || (_mode & MODE_WRITE) == 0 || count <= 0) {
    return 0;
  }
  // A stream that would pass the 32-bit offset limit takes no more bytes.
  if (count > INT32_MAX - _pos) {
    count = INT32_MAX - _pos;
  }
  auto moved = static_cast<int32_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), _cstream));
  _pos += moved;
  if (_pos > _size) {
    _size = _pos;
  }
  return moved;
}

namespace {

// The file-system path of a stream path, or an empty string for a "::" stream kind the game does not have.
std::string FilePath(std::u16string_view path) {
  std::u16string normal(path);
  for (char16_t& c : normal) {
    if (c == u'\\') {
      c = u'/';
    }
  }
  if (normal.find(u"::") != std::u16string::npos) {
    return {};
  }
  return TextToBytes(normal);
}

// What a file that is not a regular one is, in words.
const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) {
    return "a directory";
  }
  if (S_ISFIFO(mode)) {
    return "a named pipe";
  }
  if (S_ISCHR(mode) || S_ISBLK(mode)) {
    return "a device";
  }
  if (S_ISSOCK(mode)) {
    return "a socket";
  }
  return "not a plain file";
}

// Opens the file at path with the flags given, without blocking, and keeps it only when it is a regular file: a
// named pipe with no writer would hold the game in open() or read() for ever, a device would never end. The
// descriptor, or -1 with the reason in *failure.
int OpenRegularFile(const std::string& file, int flags, TOpenedFile* failure) {
  int fd = open(file.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0644);
  if (fd < 0) {
    failure->missing = errno == ENOENT;
    failure->problem = std::strerror(errno);
    return -1;
  }
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    failure->problem = std::string("not a regular file (") + KindOf(status.st_mode) + ")";
    close(fd);
    return -1;
  }
  // A regular file never blocks; reads and writes go on as usual.
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

TOpenedFile OpenFileStream(std::u16string_view path, int flags, const char* cmode, int32_t mode, int32_t limit) {
  TOpenedFile opened;
  std::string file = FilePath(path);
  if (file.empty() || file.find('\0') != std::string::npos) {
    opened.problem = "not a file name";
    return opened;
  }
  int fd = OpenRegularFile(file, flags, &opened);
  if (fd < 0) {
    return opened;
  }
  // Emptied only once it is known to be a file of its own.
  if ((mode & TCStream::MODE_WRITE) != 0 && ftruncate(fd, 0) != 0) {
    opened.problem = std::strerror(errno);
    close(fd);
    return opened;
  }
  std::FILE* handle = fdopen(fd, cmode);
  if (handle == nullptr) {
    opened.problem = std::strerror(errno);
    close(fd);
    return opened;
  }
  std::shared_ptr<TCStream> stream = TCStream::Create(handle, mode, limit);
  if (stream == nullptr) {
    opened.problem = "too large";
    std::fclose(handle);
    return opened;
  }
  opened.cut = stream->_cut;
  opened.stream = std::move(stream);
  return opened;
}

}  // namespace

std::shared_ptr<TStream> OpenReadStream(std::u16string_view path) {
  return OpenReadFile(path).stream;
}

std::shared_ptr<TStream> OpenWriteStream(std::u16string_view path) {
  return OpenFileStream(path, O_WRONLY | O_CREAT, "wb", TCStream::MODE_WRITE, INT32_MAX).stream;
}

TOpenedFile OpenReadFile(std::u16string_view path, int32_t limit) {
  return OpenFileStream(path, O_RDONLY, "rb", TCStream::MODE_READ, limit);
}

TOpenedFile OpenTextFile(std::u16string_view path) {
  return OpenReadFile(path, kTextFileBytes);
}

std::string CutTextFileNote(std::string_view path) {
  return "\"" + std::string(path) + "\" is longer than " + std::to_string(kTextFileBytes) +
         " bytes; only its beginning is read";
}
