// Where the fighter's joints are in each cell of the sheet. The fighter stands side-on in an orthodox stance:
// the left hand (the far arm) leads, the right hand (the near arm) guards the chin. Punches reach the right edge
// of the cell, which is where the opponent's face is at the usual fighting distance.
#include "figures.h"

namespace {

constexpr double HEAD_Y[3] = {30, 47, 64};  // glove height of a punch at the head, the chest and the belly

FigurePose Guard(int height) {
  FigurePose p;
  p.hip = {60, 77};
  p.neck = {64, 45};
  p.head = {68, 33};
  p.headTilt = 0.05;
  p.nearFoot = {45, 121};
  p.farFoot = {79, 121};
  switch (height) {
    case 0:  // gloves up at the face
      p.farGlove = {84, 29};
      p.nearGlove = {79, 36};
      break;
    case 1:  // gloves at the chest
      p.farGlove = {86, 46};
      p.nearGlove = {79, 49};
      break;
    default:  // crouched, gloves at the belly
      p.hip = {59, 79};
      p.neck = {65, 48};
      p.head = {70, 36};
      p.headTilt = -0.05;
      p.farGlove = {85, 63};
      p.nearGlove = {77, 66};
      break;
  }
  return p;
}

FigurePose Punch(int height, int hand) {
  FigurePose p;
  p.hip = {62, 77};
  p.neck = {70, 46 + 3.0 * height};
  p.head = {75, 34 + 3.5 * height};
  p.headTilt = -0.05 * height;
  p.nearFoot = {45, 121};
  p.farFoot = {84, 121};
  if (height == 2) {
    p.hip = {61, 80};
  }
  Point reach = {116, HEAD_Y[height]};
  if (hand == 0) {  // the right crosses over, turning the near shoulder forward
    p.nearGlove = reach;
    p.farGlove = {84, 33 + 3.0 * height};
    p.shoulderTurn = 6;
  } else {  // the left jab, the right kept at the chin
    p.farGlove = {reach.x, reach.y - 1};
    p.nearGlove = {79, 38 + 3.0 * height};
    p.shoulderTurn = -4;
  }
  return p;
}

FigurePose Stagger(int height, int hand) {
  FigurePose p;
  p.nearFoot = {40, 121};
  p.farFoot = {73, 121};
  p.mouthOpen = true;
  p.sweat = height == 0;
  switch (height) {
    case 0:  // snapped back at the head
      p.hip = {56, 77};
      p.neck = {51, 47};
      p.head = {47, 35};
      p.headTilt = 0.7;
      break;
    case 1:  // rocked back at the chest
      p.hip = {57, 78};
      p.neck = {50, 48};
      p.head = {48, 35};
      p.headTilt = 0.35;
      break;
    default:  // folded over a blow to the belly, pushed back
      p.hip = {52, 79};
      p.neck = {61, 53};
      p.head = {67, 44};
      p.headTilt = -0.3;
      break;
  }
  // The hand that landed decides which of the defender's arms is knocked loose.
  if (height == 2) {
    p.nearGlove = hand == 0 ? Point{68, 70} : Point{72, 62};
    p.farGlove = hand == 0 ? Point{78, 58} : Point{74, 72};
  } else if (hand == 0) {  // the guard knocked apart: one glove thrown up, the other dropped
    p.nearGlove = {62, 72};
    p.farGlove = {p.neck.x + 18, p.neck.y - 18};
  } else {
    p.nearGlove = {p.neck.x + 20, p.neck.y - 10};
    p.farGlove = {p.neck.x + 6, p.neck.y + 26};
  }
  return p;
}

FigurePose Walk(int step) {
  FigurePose p = Guard(1);
  if (step == 0) {  // feet wide apart
    p.nearFoot = {42, 121};
    p.farFoot = {84, 121};
    p.hip.y += 1;
    p.neck.y += 1;
    p.head.y += 1;
    p.nearGlove.y += 1;
    p.farGlove.y += 1;
  } else {  // rear foot brought up under the body, lead foot lifted
    p.nearFoot = {56, 121};
    p.farFoot = {72, 118};
    p.hip.y -= 1;
    p.neck.y -= 1;
    p.head.y -= 1;
    p.nearGlove.y -= 2;
    p.farGlove.y -= 2;
  }
  return p;
}

FigurePose Victory() {
  FigurePose p;
  p.hip = {70, 76};
  p.neck = {70, 44};
  p.head = {72, 31};
  p.headTilt = 0.15;
  p.nearGlove = {58, 15};
  p.farGlove = {86, 13};
  p.nearFoot = {56, 121};
  p.farFoot = {84, 121};
  p.mouthOpen = true;
  return p;
}

// Flat on his back with the knees drawn up: a fighter goes down at 70 ring units from the winner (the least
// distance the ring keeps between them), and legs stretched out towards the winner would lie over his feet.
FigurePose KnockedOut() {
  FigurePose p;
  p.lying = true;
  p.hip = {68, 114};
  p.neck = {34, 114};
  p.head = {19, 112};
  p.headTilt = 1.5;
  p.nearGlove = {52, 102};
  p.farGlove = {11, 118};
  p.nearFoot = {80, 121};
  p.farFoot = {85, 121};
  p.mouthOpen = true;
  return p;
}

}  // namespace

FigurePose PoseForCell(int cell) {
  if (cell <= 2) {
    return Guard(cell);
  }
  if (cell <= 8) {
    return Punch((cell - 3) / 2, (cell - 3) % 2);
  }
  if (cell <= 14) {
    return Stagger((cell - 9) / 2, (cell - 9) % 2);
  }
  if (cell <= 16) {
    return Walk(cell - 15);
  }
  if (cell == 17) {
    return Victory();
  }
  return KnockedOut();
}
