// Writes every data file of the game under one folder: gfx/ (sprite sheet, font, backgrounds, menu pictures),
// sfx/ (sound effects), bin/ (key captions, opponent roster) and icon/ (the desktop icon). The same run always writes the same bytes.
//
//   generate_assets OUT_DIR FONT.ttf
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "backgrounds.h"
#include "figures.h"
#include "font.h"
#include "icon.h"
#include "menu_pictures.h"
#include "ogg_file.h"
#include "png_file.h"
#include "sounds.h"
#include "text_files.h"

namespace {

constexpr int OGG_SERIAL = 0x4d6f7276;  // fixed, so that encoding the same sound twice gives the same file

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUT_DIR FONT.ttf\n", argv[0]);
    return 2;
  }
  try {
    std::string out = argv[1];
    for (const char* sub : {"gfx", "sfx", "bin", "icon"}) {
      std::filesystem::create_directories(out + "/" + sub);
    }
    Pixels figureSheet = DrawFigureSheet();
    WritePng(out + "/gfx/figures.png", figureSheet);
    Pixels icon = DrawIcon(figureSheet);
    WritePng(out + "/icon/morvik.png", icon);
    // The smaller sizes a desktop's menus and panels ask for, so that none has to scale the large one itself.
    for (int size : kSmallIconSizes) {
      WritePng(out + "/icon/morvik-" + std::to_string(size) + ".png", icon.Shrunk(size, size));
    }
    FontFiles font = DrawFont(argv[2], LARGE_FONT);
    WritePng(out + "/gfx/font.png", font.image);
    WriteText(out + "/gfx/font.dat", font.metrics);
    FontFiles small = DrawFont(argv[2], SMALL_FONT);
    WritePng(out + "/gfx/small.png", small.image);
    WriteText(out + "/gfx/small.dat", small.metrics);
    for (int level = 0; level < 10; level++) {
      WritePng(out + "/gfx/bg" + std::to_string(level) + ".png", DrawBackground(level));
    }
    WritePng(out + "/gfx/bg_menu.png", DrawMenuBackground());
    WritePng(out + "/gfx/cup.png", DrawCups());
    WritePng(out + "/gfx/card.png", DrawCard());
    for (const SoundEffect& sound : MakeSounds()) {
      WriteOgg(out + "/sfx/" + sound.name + ".ogg", sound.samples, RATE, OGG_SERIAL);
    }
    WriteText(out + "/bin/keyboard.dat", KeyCaptionsFile());
    WriteText(out + "/bin/tournament.dat", RosterFile());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "generate_assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
