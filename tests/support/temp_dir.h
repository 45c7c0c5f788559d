// A fresh temporary folder made the working directory for the life of the object, removed afterwards.
#pragma once

#include <filesystem>
#include <string>

class ScopedTempDir {
public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  const std::filesystem::path& path() const { return _path; }

  // Writes bytes to a file under the folder, making its parent folders.
  void Write(const std::string& relative, const std::string& bytes) const;
  // The bytes of a file under the folder; empty when it does not exist.
  std::string Read(const std::string& relative) const;

private:
  std::filesystem::path _path;
  std::filesystem::path _previous;
};
