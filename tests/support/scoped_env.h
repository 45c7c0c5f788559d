// Environment variables set for the life of the object and restored afterwards: how the tests choose SDL's
// dummy or disk audio driver.
#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

class ScopedEnv {
public:
  ScopedEnv(const char* name, const std::string& value) : _name(name) {
    if (const char* old = getenv(name)) {
      _previous = old;
    }
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (_previous) {
      setenv(_name.c_str(), _previous->c_str(), 1);
    } else {
      unsetenv(_name.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
  std::string _name;
  std::optional<std::string> _previous;
};
