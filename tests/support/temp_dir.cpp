#include "support/temp_dir.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

ScopedTempDir::ScopedTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "morvik-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder");
  }
  _path = pattern;
  _previous = std::filesystem::current_path();
  std::filesystem::current_path(_path);
}

ScopedTempDir::~ScopedTempDir() {
  std::error_code ignored;
  std::filesystem::current_path(_previous, ignored);
  std::filesystem::remove_all(_path, ignored);
}

void ScopedTempDir::Write(const std::string& relative, const std::string& bytes) const {
  std::filesystem::path file = _path / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

std::string ScopedTempDir::Read(const std::string& relative) const {
  std::ifstream in(_path / relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
