// Encoding mono sounds as Ogg Vorbis files. The stream serial number is fixed and the encoder has no randomness,
// so the same samples always give the same bytes.
#pragma once

#include <string>
#include <vector>

// Encodes samples (-1..1, mono, at rate Hz) with Vorbis VBR at quality 0.6 into path, with stream serial number
// serial; throws std::runtime_error when the file cannot be written or the encoder refuses the settings.
void WriteOgg(const std::string& path, const std::vector<float>& samples, int rate, int serial);
