// Reading and writing 8-bit RGBA PNG files. Written files carry no time stamp or text, so the same picture always
// gives the same bytes.
#pragma once

#include <string>

#include "pixels.h"

// Writes the picture as an 8-bit RGBA PNG; throws std::runtime_error when the file cannot be written.
void WritePng(const std::string& path, const Pixels& picture);
// Reads any PNG as 8-bit RGBA; throws std::runtime_error when the file cannot be read.
Pixels ReadPng(const std::string& path);
