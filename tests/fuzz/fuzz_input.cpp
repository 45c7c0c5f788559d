// The private folder of a fuzz target and the file that each input is written to.
#include "fuzz_input.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

std::filesystem::path folder;

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

void EnterFolder() {
  if (!folder.empty()) {
    return;
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "morvik-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("morvik fuzz: cannot make a temporary folder");
    std::abort();
  }
  folder = pattern;
  std::atexit(RemoveFolder);
  for (const char* sub : {"gfx", "sfx", "bin"}) {
    std::filesystem::create_directories(folder / sub);
  }
  std::filesystem::current_path(folder);
}

}  // namespace

void WriteFuzzInput(const std::string& relative, const uint8_t* data, size_t size) {
  EnterFolder();
  std::FILE* file = std::fopen(relative.c_str(), "wb");
  // A file that cannot be written would fuzz nothing: stop loudly rather than report clean runs.
  if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
    std::perror("morvik fuzz: cannot write the input file");
    std::abort();
  }
}
