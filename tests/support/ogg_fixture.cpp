#include "support/ogg_fixture.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>

namespace {

constexpr double kFadeSeconds = 0.005;

int16_t ToSample(double value) {
  return static_cast<int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
}

void AppendPages(ogg_stream_state* stream, std::string* out, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(stream, &page) != 0 : ogg_stream_pageout(stream, &page) != 0) {
    out->append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
    out->append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
  }
}

}  // namespace

TTestPcm MakeTone(double toneHertz, double amplitude, double seconds, int32_t hertz, int32_t channels) {
  TTestPcm pcm{channels, hertz, {}};
  auto frames = static_cast<int32_t>(seconds * hertz);
  for (int32_t i = 0; i < frames; i++) {
    double t = static_cast<double>(i) / hertz;
    double fade = std::min({1.0, t / kFadeSeconds, (seconds - t) / kFadeSeconds});
    int16_t value = ToSample(amplitude * fade * std::sin(2 * std::numbers::pi * toneHertz * t));
    for (int32_t c = 0; c < channels; c++) {
      pcm.values.push_back(value);
    }
  }
  return pcm;
}

TTestPcm MakeNoiseBurst(double amplitude, double seconds, int32_t hertz, int32_t channels, uint32_t seed) {
  TTestPcm pcm{channels, hertz, {}};
  auto frames = static_cast<int32_t>(seconds * hertz);
  uint32_t state = seed | 1;
  for (int32_t i = 0; i < frames; i++) {
    double t = static_cast<double>(i) / hertz;
    double envelope = std::min(1.0, t / kFadeSeconds) * (1.0 - t / seconds);
    for (int32_t c = 0; c < channels; c++) {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      double white = static_cast<double>(state) / 2147483648.0 - 1.0;
      pcm.values.push_back(ToSample(amplitude * envelope * white));
    }
  }
  return pcm;
}

std::string EncodeOggVorbis(const TTestPcm& pcm, float quality) {
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, pcm.channels, pcm.hertz, quality) != 0) {
    vorbis_info_clear(&info);
    throw std::runtime_error("the Vorbis encoder refused the format");
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 20240601);

  std::string out;
  ogg_packet header, commentHeader, codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  AppendPages(&stream, &out, true);

  const int32_t chunk = 1024;
  int32_t frames = pcm.Frames();
  for (int32_t done = 0;;) {
    int32_t count = std::min(chunk, frames - done);
    if (count > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, count);
      for (int32_t i = 0; i < count; i++) {
        for (int32_t c = 0; c < pcm.channels; c++) {
          buffer[c][i] = pcm.values[static_cast<size_t>((done + i) * pcm.channels + c)] / 32768.0f;
        }
      }
      done += count;
    }
    vorbis_analysis_wrote(&dsp, count);  // 0 marks the end of the input
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&stream, &packet);
        AppendPages(&stream, &out, false);
      }
    }
    if (count == 0) {
      break;
    }
  }
  AppendPages(&stream, &out, true);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

std::string WithOverstatedLength(const std::string& ogg, int64_t extraFrames) {
  // Find the last page: each starts with "OggS", a 27-byte header and a segment table of lacing values.
  size_t last = ogg.rfind("OggS");
  if (last == std::string::npos || last + 27 > ogg.size()) {
    throw std::runtime_error("not an Ogg file");
  }
  std::string out = ogg;
  auto* bytes = reinterpret_cast<unsigned char*>(out.data() + last);
  int64_t granule = 0;
  std::memcpy(&granule, bytes + 6, 8);  // little-endian on the machines the tests run on
  granule += extraFrames;
  std::memcpy(bytes + 6, &granule, 8);
  ogg_page page;
  page.header = bytes;
  page.header_len = 27 + bytes[26];
  page.body = bytes + page.header_len;
  page.body_len = static_cast<long>(out.size() - last) - page.header_len;
  ogg_page_checksum_set(&page);
  return out;
}

std::string WithAudioRepeated(const std::string& ogg, int64_t frames) {
  // The packets of the file, in order.
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  char* buffer = ogg_sync_buffer(&sync, static_cast<long>(ogg.size()));
  std::memcpy(buffer, ogg.data(), ogg.size());
  ogg_sync_wrote(&sync, static_cast<long>(ogg.size()));
  ogg_stream_state in;
  bool started = false;
  std::vector<std::string> packets;
  ogg_page page;
  while (ogg_sync_pageout(&sync, &page) == 1) {
    if (!started) {
      ogg_stream_init(&in, ogg_page_serialno(&page));
      started = true;
    }
    ogg_stream_pagein(&in, &page);
    ogg_packet packet;
    while (ogg_stream_packetout(&in, &packet) == 1) {
      packets.emplace_back(reinterpret_cast<const char*>(packet.packet), static_cast<size_t>(packet.bytes));
    }
  }
  int serial = started ? in.serialno : 0;
  if (started) {
    ogg_stream_clear(&in);
  }
  ogg_sync_clear(&sync);
  if (packets.size() < 8) {
    throw std::runtime_error("not an Ogg Vorbis file with sound in it");
  }
  auto asPacket = [](std::string& bytes, int64_t number) {
    ogg_packet packet{};
    packet.packet = reinterpret_cast<unsigned char*>(bytes.data());
    packet.bytes = static_cast<long>(bytes.size());
    packet.b_o_s = number == 0 ? 1 : 0;
    packet.packetno = number;
    return packet;
  };
  // The headers tell the decoder the block sizes, from which each packet's frames follow.
  vorbis_info info;
  vorbis_comment comment;
  vorbis_info_init(&info);
  vorbis_comment_init(&comment);
  ogg_stream_state out;
  ogg_stream_init(&out, serial);
  std::string file;
  for (int64_t i = 0; i < 3; i++) {
    ogg_packet header = asPacket(packets[static_cast<size_t>(i)], i);
    vorbis_synthesis_headerin(&info, &comment, &header);
    ogg_stream_packetin(&out, &header);
  }
  AppendPages(&out, &file, true);
  // The middle of the sound over and over: a packet adds a quarter of its block and a quarter of the one before.
  const size_t first = packets.size() / 4, count = packets.size() / 2;
  int64_t granule = 0, previous = 0;
  for (int64_t n = 0; granule < frames; n++) {
    ogg_packet packet = asPacket(packets[first + static_cast<size_t>(n) % count], 3 + n);
    long block = vorbis_packet_blocksize(&info, &packet);
    granule += n == 0 ? 0 : previous / 4 + block / 4;
    previous = block;
    packet.granulepos = granule;
    packet.e_o_s = granule >= frames ? 1 : 0;
    ogg_stream_packetin(&out, &packet);
    AppendPages(&out, &file, false);
  }
  AppendPages(&out, &file, true);
  ogg_stream_clear(&out);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return file;
}
