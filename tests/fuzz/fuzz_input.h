// The input of a fuzz target becomes a file that the game's own reader then opens, just as the game opens its data:
// by a path relative to the working directory. That directory is a private temporary folder, made once per
// process and removed at exit, so fuzzers running side by side never share a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Enters the private folder (made with its gfx/, sfx/ and bin/ on the first call) and writes the bytes to the
// file at the relative path, replacing what the previous input left there.
void WriteFuzzInput(const std::string& relative, const uint8_t* data, size_t size);
