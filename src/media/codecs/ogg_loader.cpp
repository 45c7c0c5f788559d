// The Ogg Vorbis sample loader over the Vorbis file reader, which reads through four callbacks on our stream.
#include "media/codecs/ogg_loader.h"

#define OV_EXCLUDE_STATIC_CALLBACKS  // the library's own stdio callbacks are not used
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "media/core/data_limits.h"
#include "media/files/stream.h"

namespace {

// Decoded in steps of this many bytes (about three quarters of a second of stereo sound).
constexpr size_t kDecodeStep = 128 * 1024;

// The sound as the Vorbis file reader sees it: the stream from the position it was offered at, which the reader
// takes for offset 0. The reader seeks by offsets from the start it assumes, so a sound that begins further into a
// stream must be shown to it from there, or its pages are sought in the wrong places.
struct TVorbisSource {
  TStream& stream;
  int32_t origin;
};

// Reads up to size * count bytes and reports whole items. The reader only ever asks for bytes (size 1). It
// tells the end of the file from a failed read by errno, so errno is left at 0 unless the stream really failed
// before its end. Nothing is thrown through the C library.
size_t ReadItems(void* buffer, size_t size, size_t count, void* source) {
  TStream& stream = static_cast<TVorbisSource*>(source)->stream;
  if (size == 0 || count == 0) {
    return 0;
  }
  size_t wanted = std::min<size_t>(count, INT32_MAX / size) * size;
  int32_t moved = 0;
  errno = 0;
  try {
    moved = stream.Read(buffer, static_cast<int32_t>(wanted));
  } catch (...) {
    moved = -1;
  }
  if (moved <= 0) {
    errno = moved < 0 || stream.Eof() == 0 ? EIO : 0;
    return 0;
  }
  errno = 0;
  return static_cast<size_t>(moved) / size;
}

// 0 when the stream is now at the offset asked for, -1 otherwise. Offsets count from the source's origin.
int SeekTo(void* source, ogg_int64_t offset, int whence) {
  auto& [stream, origin] = *static_cast<TVorbisSource*>(source);
  try {
    ogg_int64_t base = origin;
    if (whence == SEEK_CUR) {
      base = stream.Pos();
    } else if (whence == SEEK_END) {
      base = stream.Size();
    } else if (whence != SEEK_SET) {
      return -1;
    }
    ogg_int64_t target = base + offset;
    if (base < 0 || target < origin || target > INT32_MAX) {
      return -1;
    }
    return stream.Seek(static_cast<int32_t>(target)) == target ? 0 : -1;
  } catch (...) {
    return -1;
  }
}

// The caller opened the stream and closes it.
int CloseNothing(void*) {
  return 0;
}

long TellPosition(void* source) {
  auto& [stream, origin] = *static_cast<TVorbisSource*>(source);
  try {
    int32_t position = stream.Pos();
    return position < origin ? -1 : position - origin;
  } catch (...) {
    return -1;
  }
}

// Clears the reader however the loader leaves.
class TOpenVorbisFile {
public:
  explicit TOpenVorbisFile(OggVorbis_File* file) : _file(file) {}
  ~TOpenVorbisFile() { ov_clear(_file); }
  TOpenVorbisFile(const TOpenVorbisFile&) = delete;
  TOpenVorbisFile& operator=(const TOpenVorbisFile&) = delete;

private:
  OggVorbis_File* _file;
};

}  // namespace

std::shared_ptr<TAudioSample> TAudioSampleLoaderOGG::LoadAudioSample(TStream& stream) {
  int32_t origin = 0;
  try {
    origin = stream.Pos();
  } catch (...) {
    return nullptr;
  }
  if (origin < 0) {
    return nullptr;  // the length must be known, which needs a stream that tells where it is
  }
  TVorbisSource source{stream, origin};
  ov_callbacks callbacks{ReadItems, SeekTo, CloseNothing, TellPosition};
  OggVorbis_File file;
  if (ov_open_callbacks(&source, &file, nullptr, 0, callbacks) != 0) {
    return nullptr;  // the reader cleans up after itself when it cannot open
  }
  TOpenVorbisFile opened(&file);

  ogg_int64_t frames = ov_pcm_total(&file, 0);
  vorbis_info* info = ov_info(&file, 0);
  // The sample formats hold one or two channels; the length must be known, which needs a seekable stream.
  if (frames < 0 || frames > INT32_MAX || info == nullptr || info->channels < 1 || info->channels > 2 ||
      info->rate <= 0 || info->rate > INT32_MAX) {
    return nullptr;
  }
  const int32_t channels = info->channels;
  const int64_t frameBytes = 2 * channels;
  if (frames > kSoundFrames) {
    return nullptr;  // a length no effect of the game has: refused before anything is decoded
  }
  // The length comes from the last page, which a damaged file can set to anything: the memory grows with what
  // really decodes, never with what was announced.
  const auto wanted = static_cast<size_t>(frames * frameBytes);
  std::vector<char> pcm;
  size_t decoded = 0;
  try {
    while (decoded < wanted) {
      if (decoded == pcm.size()) {
        pcm.resize(std::min(wanted, decoded + kDecodeStep));
      }
      int section = 0;
      long bytes = ov_read(&file, pcm.data() + decoded, static_cast<int>(pcm.size() - decoded), 0 /* little-endian */,
                           2 /* 16-bit */, 1 /* signed */, &section);
      if (bytes < 0) {
        return nullptr;  // damaged data: no sample rather than a broken one
      }
      // The stream ended before the length it announced (or went on into another logical stream, whose layout
      // may differ): keep what was decoded, and say so in the length.
      if (bytes == 0 || section != 0) {
        break;
      }
      decoded += static_cast<size_t>(bytes);
    }
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (decoded < static_cast<size_t>(frameBytes)) {
    return nullptr;  // not one frame of sound: no sample, rather than an empty one reported as a success
  }
  std::shared_ptr<TAudioSample> sample = TAudioSample::Create(
      static_cast<int32_t>(decoded / static_cast<size_t>(frameBytes)), static_cast<int32_t>(info->rate),
      channels == 1 ? TAudioSample::FORMAT_MONO16LE : TAudioSample::FORMAT_STEREO16LE);
  if (sample == nullptr) {
    return nullptr;
  }
  if (sample->capacity > 0) {
    std::memcpy(sample->samples, pcm.data(), static_cast<size_t>(sample->capacity));
  }
  return sample;
}

void RegisterOggVorbisLoader() {
  static bool registered = false;
  if (!registered) {
    registered = true;
    AddAudioSampleLoader(std::make_shared<TAudioSampleLoaderOGG>());
  }
}
