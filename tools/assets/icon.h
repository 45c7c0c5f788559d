// The game's desktop icon, 256 by 256: the player's boxer in his victory pose on a round ring-blue badge.
#pragma once

#include "pixels.h"

// Drawn from the sprite sheet itself, so the icon is the fighter the player steers.
Pixels DrawIcon(const Pixels& figureSheet);
