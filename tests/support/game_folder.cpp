#include "support/game_folder.h"

#include <filesystem>

ScopedGameFolder::ScopedGameFolder() {
  std::filesystem::create_directories(path() / "bin");
}
