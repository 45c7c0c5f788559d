// What the game says on standard error while a piece of a test runs: its warnings, one a line, so that a test can
// tell that a fault was reported, and reported once.
#pragma once

#include <functional>
#include <string>

struct TWarnings {
  std::string text;

  // The lines written.
  int Lines() const;
  // How often part appears in them.
  int Mentions(const std::string& part) const;
  bool Says(const std::string& part) const { return Mentions(part) > 0; }
};

// Runs action and returns what it wrote on standard error (the game's warnings), which does not reach the test's
// own output.
TWarnings CaptureWarnings(const std::function<void()>& action);
