// Run-time errors of the media layer: an exception that carries the message the player or a log would see.
#pragma once

#include <stdexcept>
#include <string>

// A failure that the media layer raises instead of returning null ("Unable to calculate tex size",
// "Stream is not seekable", the stream errors). Start-up reports an uncaught one and stops the game.
class TRuntimeError : public std::runtime_error {
public:
  explicit TRuntimeError(const std::string& message) : std::runtime_error(message) {}
};
