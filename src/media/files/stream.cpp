// Byte streams over files.
#include "media/files/stream.h"

#include <climits>
#include <cstring>
#include <string>

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

std::shared_ptr<TCStream> TCStream::Create(std::FILE* file, int32_t mode) {
  if (file == nullptr || std::fseek(file, 0, SEEK_END) != 0) {
    return nullptr;
  }
  long size = std::ftell(file);
  // Offsets are 32-bit: a file the game could not address whole is refused rather than misread.
  if (size < 0 || size > INT32_MAX || std::fseek(file, 0, SEEK_SET) != 0) {
    return nullptr;
  }
  auto stream = std::make_shared<TCStream>();
  stream->_cstream = file;
  stream->_size = static_cast<int32_t>(size);
  stream->_mode = mode;
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

std::shared_ptr<TStream> OpenFileStream(std::u16string_view path, const char* cmode, int32_t mode) {
  std::string file = FilePath(path);
  if (file.empty() || file.find('\0') != std::string::npos) {
    return nullptr;
  }
  std::FILE* handle = std::fopen(file.c_str(), cmode);
  if (handle == nullptr) {
    return nullptr;
  }
  auto stream = TCStream::Create(handle, mode);
  if (stream == nullptr) {
    std::fclose(handle);
  }
  return stream;
}

}  // namespace

std::shared_ptr<TStream> OpenReadStream(std::u16string_view path) {
  return OpenFileStream(path, "rb", TCStream::MODE_READ);
}

std::shared_ptr<TStream> OpenWriteStream(std::u16string_view path) {
  return OpenFileStream(path, "wb", TCStream::MODE_WRITE);
}
