// The game's picture and sound files as start-up loads them: which pictures are cut into cells of which size,
// and the effects in their loading order. The loading benchmark reads them from the data folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TGamePicture {
  std::string name;      // under gfx/
  int32_t cellSize = 0;  // 0: loaded whole; otherwise cut into `cells` square cells of this size
  int32_t cells = 0;
};

// The fifteen pictures, in start-up's order.
const std::vector<TGamePicture>& GamePictures();
// The 28 effects under sfx/, in start-up's order.
const std::vector<std::string>& GameEffects();
// The data folder's path to a file under it ("gfx/font.png").
std::string DataPath(const std::string& relative);
