// The fighter sprite sheet: forty cells of 128 by 128, eight to a row. Cells 0 to 19 hold the base drawing (skin,
// hair, outlines, shoes), cells 20 to 39 the parts that take the fighter's tint (gloves, shorts, shoe trim) in
// white and greys, each exactly over its base cell. Fighters face growing x with their soles on the cell's bottom.
#pragma once

#include "pixels.h"

struct Point {
  double x = 0;
  double y = 0;
};

// One drawing of the fighter, as the positions of its joints in cell pixels (y down, facing growing x).
struct FigurePose {
  Point hip;                // middle of the pelvis
  Point neck;               // middle of the shoulder line
  Point head;               // centre of the head
  double headTilt = 0;      // radians; positive tips the face up and back
  Point nearGlove;          // right hand (the arm nearer the viewer), glove centre
  Point farGlove;           // left hand, glove centre
  Point nearFoot;           // right ankle
  Point farFoot;            // left ankle
  double footAngle = 0;     // radians; the toes' direction turned up from level (the knocked-out fighter's are up)
  double shoulderTurn = 0;  // >0 brings the near shoulder forward (a right), <0 the far one (a left)
  bool mouthOpen = false;
  bool sweat = false;  // drops flung back from the head by a blow
  bool lying = false;  // on the canvas: knees bend upwards
};

// The pose drawn in base cell n (0 to 18); cell 19 is never shown and stays empty.
FigurePose PoseForCell(int cell);

// The whole sheet, 1024 by 640.
Pixels DrawFigureSheet();
