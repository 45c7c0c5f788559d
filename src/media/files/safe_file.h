// Writing a file so that a crash or a power cut at any moment leaves either the old file or the new one whole:
// the bytes go to a temporary file beside it, which is flushed to the disk and then renamed over the old one.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "media/files/stream.h"

class TSafeWriteStream : public TCStream {
public:
  ~TSafeWriteStream() override;
  // Flushes the temporary file to the disk and puts it in place of the file. False (with the reason in *error)
  // when any write failed or the file cannot be replaced; the old file then stays as it was.
  bool Commit(std::string* error);
  // Without a commit the temporary file is removed and the old one stays.
  int32_t Close() override;

  std::string _path;
  std::string _temporary;
  bool _failed = false;

  int32_t Write(const void* buffer, int32_t count) override;
};

// A stream whose bytes replace the file at path when committed. Null (with the reason in *error) when the
// temporary file cannot be created, for example in a missing or read-only folder.
std::shared_ptr<TSafeWriteStream> OpenSafeWriteStream(std::u16string_view path, std::string* error);
