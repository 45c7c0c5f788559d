// The ten ring backgrounds, 400 by 300, one per tournament level: the same ring (canvas, ropes, corner posts) in
// ten venues that grow from a back-street gym to a championship arena. The canvas's back edge is at y 238 and
// the fighters' feet at y 296, near the bottom; the top rows stay dark and calm under the bars and the score.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "painter.h"
#include "pixels.h"

constexpr int BG_WIDTH = 400;
constexpr int BG_HEIGHT = 300;
constexpr double RING_BACK_Y = 238;  // where the canvas meets the back of the ring

// How the ring itself is dressed at one level.
struct RingStyle {
  uint32_t canvas;    // canvas colour in the middle of the ring
  uint32_t ropes[3];  // top to bottom
  uint32_t posts;
  uint32_t leftPad, rightPad;  // corner cushions: the player's corner and the opponent's
  uint32_t logo;               // the emblem painted in the middle of the canvas
  double logoStrength;         // 0: none
  bool goldTrim;               // gold caps on the posts and a gold apron edge
};

// Level 0 to 9.
Pixels DrawBackground(int level);

// Pieces the venues are built from (venues.cpp).
void DrawVenue(cairo_t* cr, int level, Random& random);
RingStyle RingStyleForLevel(int level);

// A crowd of rows of people from y top down to y bottom; nearer rows are larger and lighter. shirts lists
// colours to pick from, brightness scales them (the crowd sits in the dark), density is the share of seats
// taken, flashes adds camera flashes.
struct CrowdStyle {
  const uint32_t* shirts;
  int shirtCount;
  double brightness;
  double density;
  int flashes;
};
void DrawCrowd(cairo_t* cr, Random& random, double top, double bottom, int rows, const CrowdStyle& style);
// A soft cone of light from (x, y0) widening downwards to y1.
void DrawBeam(cairo_t* cr, double x, double y0, double topWidth, double bottomX, double y1, double bottomWidth,
              uint32_t colour, double alpha);
// A soft round glow.
void DrawGlow(cairo_t* cr, double x, double y, double radius, uint32_t colour, double alpha);
