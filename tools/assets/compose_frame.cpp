// Composes frames exactly as the game draws them from the generated data files, to judge the art together: a
// match (ring background, both fighters in their tints, the bars and the score) above a menu screen (the menu
// background with a highlighted row). Drawing follows the game: image frames placed by their top-left corner or
// centre, the fighter's colour layer multiplied by its tint, the opponent mirrored about its centre, text placed
// with the font's metrics.
//
//   compose_frame DATA_DIR OUT.png [ZOOM] [LEVEL]
//   compose_frame DATA_DIR OUT_DIR --screens     writes one picture per screen (match at every level, menus)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "png_file.h"

namespace {

constexpr Rgba WHITE{255, 255, 255, 255};
constexpr Rgba PLAYER_TINT{32, 255, 64, 255};

struct Font {
  std::vector<Pixels> glyphs;
  int widths[256] = {};
  int spacing = 0, baseline = 0, center = 0, top = 0, offset = 0;

  explicit Font(const std::string& base) {
    Pixels image = ReadPng(base + ".png");
    for (int c = 0; c < 256; c++) {
      glyphs.push_back(image.Crop(64 * (c % 16), 64 * (c / 16), 64, 64));
    }
    std::ifstream in(base + ".dat");
    std::vector<int> numbers;
    int n;
    while (in >> n) {
      numbers.push_back(n);
    }
    for (int c = 0; c < 256; c++) {
      widths[c] = numbers.at(static_cast<std::size_t>(c));
    }
    spacing = numbers.at(256);
    baseline = numbers.at(257);
    center = numbers.at(258);
    top = numbers.at(259);
    offset = numbers.at(260);
  }

  int Width(const std::string& text) const {
    int w = -spacing - offset;
    for (unsigned char c : text) {
      w += widths[c] + spacing;
    }
    return w;
  }

  // halign: 0 left, 1 right, 2 centre; valign: 0 top, 1 baseline, 2 centre.
  void Draw(Pixels& screen, const std::string& text, int x, int y, int halign, int valign, Rgba colour = WHITE) const {
    int penX = x - offset;
    if (halign == 1) {
      penX -= Width(text);
    } else if (halign == 2) {
      penX -= Width(text) / 2;
    }
    int penY = y - (valign == 1 ? baseline : valign == 2 ? center : top);
    for (unsigned char c : text) {
      screen.DrawOver(glyphs[c], penX, penY, colour);
      penX += widths[c] + spacing;
    }
  }
};

struct Data {
  std::string dir;
  Font font;
  std::vector<Pixels> figures;
  explicit Data(const std::string& d) : dir(d), font(d + "/gfx/font") {
    Pixels sheet = ReadPng(dir + "/gfx/figures.png");
    for (int c = 0; c < 40; c++) {
      figures.push_back(sheet.Crop(128 * (c % 8), 128 * (c / 8), 128, 128));
    }
  }
  Pixels Image(const std::string& name) const { return ReadPng(dir + "/gfx/" + name); }
};

// A fighter at ring position x facing right (dir 1) or left (dir -1), as the game's fighter drawing does.
void DrawFighter(Pixels& screen, const Data& data, int ringX, int dir, int cell, Rgba tint) {
  int left = ringX + 100 - 64, top = 232 - 64;
  screen.DrawOver(data.figures[static_cast<std::size_t>(cell)], left, top, WHITE, dir < 0);
  screen.DrawOver(data.figures[static_cast<std::size_t>(cell + 20)], left, top, tint, dir < 0);
}

// The two fighters stand distance ring units apart about the ring's middle (80: the usual fighting distance).
Pixels Match(const Data& data, int level, int playerCell, int opponentCell, const std::string& message,
             int distance = 80) {
  Pixels screen(400, 300, {0, 0, 0, 255});
  screen.DrawOver(data.Image("bg" + std::to_string(level) + ".png"), 0, 0);
  DrawFighter(screen, data, 100 - distance / 2, 1, playerCell, PLAYER_TINT);
  DrawFighter(screen, data, 100 - distance / 2 + distance, -1, opponentCell, WHITE);
  const int health[2] = {118, 64}, power[2][2] = {{100, 55}, {80, 100}};
  for (int i = 0; i < 2; i++) {
    int x = i == 0 ? 10 : 390, s = i == 0 ? 1 : -1;
    screen.FillRect(x, 10, health[i] * s, 16, {0, 255, 0, 255});
    screen.FillRect(x, 30, power[i][0] * 150 / 100 * s, 8, {255, 255, 0, 255});
    screen.FillRect(x, 40, power[i][1] * 150 / 100 * s, 8, {255, 255, 0, 255});
  }
  data.font.Draw(screen, "2:1", 200, 16, 2, 0);
  if (!message.empty()) {
    data.font.Draw(screen, message, 200, 100, 2, 2);
  }
  return screen;
}

void MenuBar(Pixels& screen, int y, bool selected, bool waiting) {
  if (selected) {
    screen.FillRect(0, y - 24, 400, 48, waiting ? Rgba{255, 255, 0, 255} : Rgba{0, 255, 0, 255});
  }
}

Pixels MenuScreen(const Data& data, const std::vector<std::string>& rows, int selected) {
  Pixels screen(400, 300, {0, 0, 0, 255});
  screen.DrawOver(data.Image("bg_menu.png"), -56, -106);
  for (std::size_t i = 0; i < rows.size(); i++) {
    int y = 30 + 48 * static_cast<int>(i);
    MenuBar(screen, y, static_cast<int>(i) == selected, false);
    data.font.Draw(screen, rows[i], 200, y, 2, 2);
  }
  return screen;
}

Pixels ControlsScreen(const Data& data) {
  Pixels screen(400, 300, {0, 0, 0, 255});
  screen.DrawOver(data.Image("bg_menu.png"), -56, -106);
  const char* labels[] = {"Up", "Down", "Forward", "Backward", "Right Hand", "Left Hand"};
  const char* keys[] = {"W", "Num 5", "L-Shift", "Backspace", "R-Ctrl", "PgDn"};
  for (int i = 0; i < 6; i++) {
    int y = 30 + 48 * i;
    MenuBar(screen, y, i == 4, i == 4);
    data.font.Draw(screen, labels[i], 10, y, 0, 2);
    data.font.Draw(screen, keys[i], 390, y, 1, 2);
  }
  return screen;
}

Pixels TournamentScreen(const Data& data, int level, int cup, Rgba tint) {
  Pixels screen(400, 300, {0, 0, 0, 255});
  screen.DrawOver(data.Image("bg_menu.png"), -56, -106);
  // The portrait: the level's ring behind the opponent's victory drawing, seen through a 112 by 112 window.
  Pixels window(400, 300);
  window.DrawOver(data.Image("bg" + std::to_string(level) + ".png"), 0, 0);
  window.DrawOver(data.figures[17], 100 - 64, 150 - 64);
  window.DrawOver(data.figures[37], 100 - 64, 150 - 64, tint);
  screen.Paste(window.Crop(55, 53, 112, 112), 55, 53);
  screen.DrawOver(data.Image("card.png"), 50, 50);
  if (cup > 0) {
    Pixels cups = data.Image("cup.png");
    screen.DrawOver(cups.Crop(64 * (cup - 1), 0, 64, 64), 264, 104);
  }
  data.font.Draw(screen, "Level " + std::to_string(level + 1), 350, 50, 1, 0);
  MenuBar(screen, 222, true, false);
  data.font.Draw(screen, "Play", 200, 222, 2, 2);
  data.font.Draw(screen, "Back", 200, 270, 2, 2);
  return screen;
}

Pixels Stack(const Pixels& top, const Pixels& bottom, int gap) {
  Pixels out(top.Width(), top.Height() + gap + bottom.Height(), {24, 24, 28, 255});
  out.Paste(top, 0, 0);
  out.Paste(bottom, 0, top.Height() + gap);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s DATA_DIR OUT.png [ZOOM] [LEVEL] | DATA_DIR OUT_DIR --screens\n", argv[0]);
    return 2;
  }
  try {
    Data data(argv[1]);
    std::string out = argv[2];
    if (argc > 3 && std::string(argv[3]) == "--screens") {
      const std::vector<std::string> main = {"Tournament",       "Training", "Keyboard Controls",
                                             "Gamepad Controls", "Settings", "Quit"};
      for (int level = 0; level < 10; level++) {
        WritePng(out + "/match" + std::to_string(level) + ".png",
                 Match(data, level, 3 + level % 6, 9 + (level * 5) % 6, level == 9 ? "You won!" : "").Scaled(2));
      }
      WritePng(out + "/menu.png", MenuScreen(data, main, 2).Scaled(2));
      WritePng(out + "/controls.png", ControlsScreen(data).Scaled(2));
      const Rgba tints[3] = {{255, 64, 64, 255}, {255, 200, 40, 255}, {80, 120, 255, 255}};
      for (int cup = 0; cup <= 3; cup++) {
        WritePng(out + "/tournament" + std::to_string(cup) + ".png",
                 TournamentScreen(data, cup * 3, cup, tints[cup % 3]).Scaled(2));
      }
      for (int cell : {15, 16, 17, 18}) {
        WritePng(out + "/pose" + std::to_string(cell) + ".png", Match(data, 4, cell, 1, "FIGHT!").Scaled(2));
      }
      // Knockouts happen at 70 to 79 ring units (fighters closer than 70 are pushed apart; punches land below
      // 80): the loser must lie clear of the winner's feet, on either side.
      for (int distance : {70, 75, 80}) {
        std::string d = std::to_string(distance);
        WritePng(out + "/knockout" + d + ".png", Match(data, 0, 17, 18, "You won!", distance).Scaled(2));
        WritePng(out + "/knockedout" + d + ".png", Match(data, 0, 18, 17, "You lost", distance).Scaled(2));
      }
      return 0;
    }
    int zoom = argc > 3 ? std::atoi(argv[3]) : 2;
    int level = argc > 4 ? std::atoi(argv[4]) : 9;
    const std::vector<std::string> main = {"Tournament",       "Training", "Keyboard Controls",
                                           "Gamepad Controls", "Settings", "Quit"};
    Pixels match = Match(data, level, 5, 1, "");
    Pixels menu = MenuScreen(data, main, 2);
    WritePng(out, Stack(match.Scaled(zoom), menu.Scaled(zoom), 4 * zoom));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "compose_frame: %s\n", e.what());
    return 1;
  }
  return 0;
}
