#include "media/codecs/ogg_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "media/core/data_limits.h"
#include "media/core/runtime_error.h"
#include "media/files/stream.h"
#include "support/ogg_fixture.h"
#include "support/temp_dir.h"

namespace {

std::shared_ptr<TAudioSample> Load(const ScopedTempDir& dir, const std::string& bytes) {
  dir.Write("sound.ogg", bytes);
  auto stream = OpenReadStream(u"sound.ogg");
  TAudioSampleLoaderOGG loader;
  return loader.LoadAudioSample(*stream);
}

int16_t Value(const TAudioSample& sample, int32_t index) {
  return static_cast<int16_t>(static_cast<uint16_t>(sample.samples[2 * index] | (sample.samples[2 * index + 1] << 8)));
}

// Upward zero crossings per second of one channel, which is the frequency of a clean tone.
double ToneHertz(const TAudioSample& sample, int32_t channels, int32_t channel) {
  int32_t crossings = 0;
  for (int32_t i = 1; i < sample.length; i++) {
    if (Value(sample, (i - 1) * channels + channel) < 0 && Value(sample, i * channels + channel) >= 0) {
      crossings++;
    }
  }
  return crossings * static_cast<double>(sample.hertz) / sample.length;
}

int32_t Peak(const TAudioSample& sample, int32_t values) {
  int32_t peak = 0;
  for (int32_t i = 0; i < values; i++) {
    peak = std::max(peak, std::abs(static_cast<int32_t>(Value(sample, i))));
  }
  return peak;
}

// A sound file in memory that counts the bytes read from it: how much of the file the loader looked at.
class TCountingStream : public TStream {
public:
  explicit TCountingStream(std::string bytes) : _bytes(std::move(bytes)) {}
  int32_t Pos() override { return _pos; }
  int32_t Size() override { return static_cast<int32_t>(_bytes.size()); }
  int32_t Seek(int32_t pos) override {
    _pos = std::clamp(pos, 0, Size());
    return _pos;
  }
  int32_t Read(void* buffer, int32_t count) override {
    int32_t moved = std::clamp(count, 0, Size() - _pos);
    std::memcpy(buffer, _bytes.data() + _pos, static_cast<size_t>(moved));
    _pos += moved;
    bytesRead += moved;
    return moved;
  }

  int64_t bytesRead = 0;

private:
  std::string _bytes;
  int32_t _pos = 0;
};

// A stream that cannot say where it is.
class TUntellableStream : public TStream {
public:
  int32_t Read(void*, int32_t) override { return 0; }
};

}  // namespace

TEST(OggVorbisLoader, DecodesMonoAndStereoFilesAtTheirOwnRate) {
  ScopedTempDir dir;
  auto mono = Load(dir, EncodeOggVorbis(MakeTone(441, 0.5, 0.5, 22050, 1)));
  ASSERT_NE(mono, nullptr);
  EXPECT_EQ(mono->format, TAudioSample::FORMAT_MONO16LE);
  EXPECT_EQ(mono->hertz, 22050);
  EXPECT_EQ(mono->length, 11025);
  EXPECT_NEAR(ToneHertz(*mono, 1, 0), 441, 5);
  EXPECT_NEAR(Peak(*mono, mono->length), 16384, 1600);

  auto stereo = Load(dir, EncodeOggVorbis(MakeTone(1000, 0.25, 0.3, 44100, 2)));
  ASSERT_NE(stereo, nullptr);
  EXPECT_EQ(stereo->format, TAudioSample::FORMAT_STEREO16LE);
  EXPECT_EQ(stereo->hertz, 44100);
  EXPECT_EQ(stereo->length, 13230);
  EXPECT_EQ(stereo->capacity, 13230 * 4);
  EXPECT_NEAR(ToneHertz(*stereo, 2, 1), 1000, 10);
  EXPECT_NEAR(Peak(*stereo, 2 * stereo->length), 8192, 800);
}

TEST(OggVorbisLoader, AStreamEndingBeforeItsAnnouncedLengthKeepsWhatWasThere) {
  ScopedTempDir dir;
  // Long enough to fill several pages: the announced length is taken from the last one.
  std::string whole = EncodeOggVorbis(MakeNoiseBurst(0.5, 1.5, 44100, 1, 7));
  auto overstated = Load(dir, WithOverstatedLength(whole, 44100));
  ASSERT_NE(overstated, nullptr);
  // Room only for what decoded: an announced length is not trusted with memory.
  EXPECT_EQ(overstated->capacity, overstated->length * 2);
  // What the pages hold: the 66150 frames, and the rest of the last block that nothing now trims away.
  EXPECT_GE(overstated->length, 66150);
  EXPECT_LE(overstated->length, 66150 + 2048);

  // Cut short in the middle: the pages that are whole still decode.
  auto cut = Load(dir, whole.substr(0, whole.size() / 2));
  ASSERT_NE(cut, nullptr);
  EXPECT_GT(cut->length, 0);
  EXPECT_LT(cut->length, 66150);
}

// The length is read before anything is decoded: a sound longer than the limit is refused once the headers and
// the last page, which holds the length, have been read (a small part of the file), an hour as soon as a second
// more; one a second shorter is decoded whole.
TEST(OggVorbisLoader, ASoundLongerThanTheLimitIsRefusedBeforeItIsDecoded) {
  // Noise, which takes many bytes a second: the part of a file that opening it reads is small beside the whole.
  std::string tone = EncodeOggVorbis(MakeNoiseBurst(0.5, 1.5, 44100, 2, 11));
  for (int64_t frames : {int64_t{3600} * 44100, kSoundFrames + 44100}) {
    TCountingStream sound(WithAudioRepeated(tone, frames));
    TAudioSampleLoaderOGG loader;
    EXPECT_EQ(loader.LoadAudioSample(sound), nullptr) << frames;
    EXPECT_LT(sound.bytesRead, sound.Size() / 8)
        << frames << " frames: refused after reading " << sound.bytesRead << " of " << sound.Size() << " bytes";
  }
  TCountingStream within(WithAudioRepeated(tone, kSoundFrames - 44100));
  TAudioSampleLoaderOGG loader;
  auto sample = loader.LoadAudioSample(within);
  ASSERT_NE(sample, nullptr);
  EXPECT_GE(sample->length, kSoundFrames - 44100);
  EXPECT_LE(sample->length, kSoundFrames);
}

TEST(OggVorbisLoader, GarbageAndDamagedFilesGiveNoSample) {
  ScopedTempDir dir;
  EXPECT_EQ(Load(dir, ""), nullptr);
  EXPECT_EQ(Load(dir, "OggS but not really an Ogg Vorbis file at all"), nullptr);
  std::string whole = EncodeOggVorbis(MakeTone(300, 0.5, 0.2, 22050, 1));
  EXPECT_EQ(Load(dir, whole.substr(0, 60)), nullptr);  // cut inside the headers
  std::string threeChannels = EncodeOggVorbis(TTestPcm{3, 22050, std::vector<int16_t>(3 * 2000, 100)});
  EXPECT_EQ(Load(dir, threeChannels), nullptr);  // no sample format holds it

  // Bytes flipped anywhere: a sample or none, never a crash (the sanitizers watch the rest).
  uint32_t state = 12345;
  for (int32_t round = 0; round < 150; round++) {
    std::string damaged = whole;
    for (int32_t flips = 0; flips < 1 + round % 8; flips++) {
      state = state * 1664525u + 1013904223u;
      damaged[(state >> 8) % damaged.size()] ^= static_cast<char>(1u << (state % 8));
    }
    auto sample = Load(dir, damaged);
    if (sample != nullptr) {
      ASSERT_LE(sample->length * TAudioSample::BytesPerFrame(sample->format), sample->capacity);
    }
  }
}

TEST(OggVorbisLoader, ReadsFromTheStreamsPositionWhereverTheSoundBegins) {
  RegisterOggVorbisLoader();
  ScopedTempDir dir;
  // A short sound of one page, and a long one whose length is sought from its last page.
  for (const auto& [pcm, frames] :
       {std::pair{MakeTone(500, 0.3, 0.1, 44100, 1), 4410}, std::pair{MakeNoiseBurst(0.5, 1.5, 44100, 2, 3), 66150}}) {
    std::string sound = EncodeOggVorbis(pcm);
    for (size_t before : {size_t{1}, size_t{37}, size_t{4096}}) {
      dir.Write("packed.bin", std::string(before, 'x') + sound + "and whatever follows it");
      auto stream = OpenReadStream(u"packed.bin");
      ASSERT_EQ(stream->Seek(static_cast<int32_t>(before)), static_cast<int32_t>(before));
      auto sample = LoadAudioSample(*stream);
      ASSERT_NE(sample, nullptr) << before;
      EXPECT_EQ(sample->length, frames) << before;
    }
  }
}

TEST(OggVorbisLoader, AStreamThatYieldsNoSoundGivesNoSampleRatherThanAnEmptyOne) {
  ScopedTempDir dir;
  EXPECT_EQ(Load(dir, EncodeOggVorbis(TTestPcm{1, 22050, {}})), nullptr);  // headers, and not one frame after them
}

TEST(OggVorbisLoader, LoadsThroughTheRegistryAndNeedsAStreamThatTellsItsPosition) {
  RegisterOggVorbisLoader();
  ScopedTempDir dir;
  dir.Write("sfx/tone.ogg", EncodeOggVorbis(MakeTone(500, 0.3, 0.1, 44100, 1)));
  auto sample = LoadAudioSample(u"sfx\\tone.ogg");
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(sample->length, 4410);
  EXPECT_EQ(LoadAudioSample(u"sfx/missing.ogg"), nullptr);

  TUntellableStream untellable;
  try {
    LoadAudioSample(untellable);
    FAIL() << "no error raised";
  } catch (const TRuntimeError& error) {
    EXPECT_STREQ(error.what(), "Stream is not seekable");
  }
}
