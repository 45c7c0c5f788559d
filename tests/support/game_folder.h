// A game folder of a test's own: a fresh temporary folder made the working directory, with the bin/ folder that a
// portable game keeps its settings and progress in, so that saves land there instead of warning. Removed
// afterwards, with whatever the game wrote.
#pragma once

#include "support/temp_dir.h"

class ScopedGameFolder : public ScopedTempDir {
public:
  ScopedGameFolder();
};
