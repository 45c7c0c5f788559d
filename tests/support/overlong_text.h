// Text data files longer than the game reads of any (kTextFileBytes): what lies beyond the limit must not count,
// and the file's owner is told once that only its beginning was read.
#pragma once

#include <string>

// head, then filler repeated until the text is longer than the limit, then tail, which therefore lies wholly
// beyond it: the reader stops somewhere among the fillers.
std::string PastTheReadingLimit(const std::string& head, const std::string& filler, const std::string& tail = "");
