// Writing a file so that it is always whole on the disk.
#include "media/files/safe_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "media/core/text.h"

namespace {

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The rename is only lasting once the folder that holds the name is on the disk too.
void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

}  // namespace

TSafeWriteStream::~TSafeWriteStream() {
  Close();
}

int32_t TSafeWriteStream::Write(const void* buffer, int32_t count) {
  int32_t moved = TCStream::Write(buffer, count);
  if (moved != count) {
    _failed = true;
  }
  return moved;
}

bool TSafeWriteStream::Commit(std::string* error) {
  if (_cstream == nullptr) {
    *error = "the file was already closed";
    return false;
  }
  bool flushed = !_failed && std::fflush(_cstream) == 0 && fsync(fileno(_cstream)) == 0;
  int savedErrno = errno;
  std::fclose(_cstream);
  _cstream = nullptr;
  if (!flushed) {
    *error = std::strerror(savedErrno != 0 ? savedErrno : EIO);
    std::remove(_temporary.c_str());
    return false;
  }
  if (std::rename(_temporary.c_str(), _path.c_str()) != 0) {
    *error = std::strerror(errno);
    std::remove(_temporary.c_str());
    return false;
  }
  SyncFolder(FolderOf(_path));
  return true;
}

int32_t TSafeWriteStream::Close() {
  if (_cstream != nullptr) {
    std::fclose(_cstream);
    _cstream = nullptr;
    std::remove(_temporary.c_str());
  }
  return TCStream::Close();
}

std::shared_ptr<TSafeWriteStream> OpenSafeWriteStream(std::u16string_view path, std::string* error) {
  std::u16string normal(path);
  for (char16_t& c : normal) {
    if (c == u'\\') {
      c = u'/';
    }
  }
  std::string file = TextToBytes(normal);
  std::string temporary = file + ".new";
  // Created afresh for this writer alone; a leftover of an interrupted save is simply replaced. Made new, never
  // opened as it stands: whatever else may be there (a named pipe would hold the save in open() for ever) is
  // removed first, or refuses the save.
  unlink(temporary.c_str());
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) {
    *error = std::strerror(errno);
    return nullptr;
  }
  std::FILE* handle = fdopen(fd, "wb");
  if (handle == nullptr) {
    *error = std::strerror(errno);
    close(fd);
    std::remove(temporary.c_str());
    return nullptr;
  }
  auto stream = std::make_shared<TSafeWriteStream>();
  stream->_cstream = handle;
  stream->_mode = TCStream::MODE_WRITE;
  stream->_path = file;
  stream->_temporary = temporary;
  return stream;
}
