// How much of the game's data files the game is willing to take in, named in one place.
//
// Every file of the game folder is small: the largest picture is the font's 1024 by 1024 glyphs, the longest
// sound a few seconds, the longest text file under a kilobyte. Whatever is put in their place (by mistake or
// on purpose) must not make the game hold hundreds of megabytes or keep the player waiting for the window, so
// each kind of file has a ceiling far above what the game needs and far below what would hurt.
#pragma once

#include <cstdint>

// Text data files (settings, progress, roster, key captions, font metrics) are read up to this many bytes. The
// largest the game writes or ships is the key captions' 800 bytes; settings with every number at its longest
// stay under 1 KiB.
inline constexpr int32_t kTextFileBytes = 64 * 1024;

// A picture of more pixels than this is refused before it is decoded: eight times the font's sheet, 32 MiB as
// RGBA.
inline constexpr int64_t kPicturePixels = 4096 * 2048;
// Nor may either side pass this, whatever the other is.
inline constexpr int32_t kPictureSide = 16384;
// Nor may its file be longer than this: the largest picture allowed, stored with 16-bit samples and no
// compression at all, is 67 MB. A longer file is not read, so no trailing chunk can keep the loader reading.
inline constexpr int32_t kPictureFileBytes = 96 * 1024 * 1024;

// A sound of more frames than this (a minute at the mixer's 44100 Hz, 10 MiB as 16-bit stereo) is refused as
// soon as its header or its decoded length says so.
inline constexpr int64_t kSoundFrames = 60 * 44100;
// Nor may its file be longer than this: a minute of Vorbis at its highest quality takes under 4 MB.
inline constexpr int32_t kSoundFileBytes = 32 * 1024 * 1024;
