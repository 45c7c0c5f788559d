// The game's pictures and effects, listed in start-up's order with the cell sizes start-up cuts them into.
#include "game_files.h"

const std::vector<TGamePicture>& GamePictures() {
  static const std::vector<TGamePicture> pictures = [] {
    std::vector<TGamePicture> list = {{"font.png", 64, 256},    {"figures.png", 128, 40}, {"bg_menu.png", 0, 0},
                                      {"cup.png", 64, 3},       {"card.png", 0, 0}};
    for (int level = 0; level < 10; level++) {
      list.push_back({"bg" + std::to_string(level) + ".png", 0, 0});
    }
    return list;
  }();
  return pictures;
}

const std::vector<std::string>& GameEffects() {
  static const std::vector<std::string> effects = [] {
    std::vector<std::string> list;
    const char* kinds[] = {"woosh", "block", "punchw", "punchm", "punchh"};
    for (int i = 0; i < 8; i++) {
      list.push_back("sfx" + std::to_string(i) + ".ogg");
      for (int k = 0; i < 4 && k < 5; k++) {
        list.push_back(std::string(kinds[k]) + std::to_string(i) + ".ogg");
      }
    }
    return list;
  }();
  return effects;
}

std::string DataPath(const std::string& relative) {
  return std::string(MORVIK_DATA_DIR) + "/" + relative;
}
