// Ogg Vorbis encoding through libvorbisenc: analysis in blocks of 1024 frames, pages written as they fill.
#include "ogg_file.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

void WritePage(FILE* file, const ogg_page& page) {
  std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), file);
  std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), file);
}

}  // namespace

void WriteOgg(const std::string& path, const std::vector<float>& samples, int rate, int serial) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    throw std::runtime_error("cannot write " + path);
  }
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 1, rate, 0.6f) != 0) {
    vorbis_info_clear(&info);
    throw std::runtime_error("the Vorbis encoder refuses mono at this rate");
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, serial);

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) {
    WritePage(file.get(), page);
  }

  const size_t chunk = 1024;
  size_t done = 0;
  bool ended = false;
  while (!ended) {
    size_t count = std::min(chunk, samples.size() - done);
    if (count == 0) {
      vorbis_analysis_wrote(&dsp, 0);  // end of stream
    } else {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      for (size_t i = 0; i < count; i++) {
        buffer[0][i] = samples[done + i];
      }
      vorbis_analysis_wrote(&dsp, static_cast<int>(count));
      done += count;
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) {
          WritePage(file.get(), page);
          if (ogg_page_eos(&page) != 0) {
            ended = true;
          }
        }
      }
    }
  }

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
}
