#include "support/shipped_roster.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fighters/opponent.h"

namespace {

// The working directory for the life of the object, the one before it afterwards.
class ScopedWorkingDirectory {
public:
  explicit ScopedWorkingDirectory(const std::filesystem::path& folder) : _previous(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~ScopedWorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(_previous, ignored);
  }
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

private:
  std::filesystem::path _previous;
};

}  // namespace

void LoadShippedRoster() {
  ScopedWorkingDirectory data(MORVIK_DATA_DIR);
  try {
    TOpponent::Load();
  } catch (const TRosterError& error) {
    ADD_FAILURE() << "the shipped roster cannot be read: " << error.what();
  }
}
