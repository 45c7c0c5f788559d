// The private folder of a fuzz target and the file that each input is written to.
#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "support/temp_dir.h"

namespace {

// Made on the first input and removed at exit, with the working directory put back.
std::optional<ScopedTempDir> folder;

void EnterFolder() {
  if (folder.has_value()) {
    return;
  }
  folder.emplace();
  for (const char* sub : {"gfx", "sfx", "bin"}) {
    std::filesystem::create_directories(folder->path() / sub);
  }
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
