// The ten venues behind the ring, from a back-street gym (level 1) to a championship arena (level 10), and how
// the ring is dressed at each. Every venue paints the whole picture; the ring is drawn over it afterwards.
#include <cmath>

#include "backgrounds.h"

namespace {

constexpr uint32_t DULL_SHIRTS[] = {0x5a5a60, 0x6a5040, 0x405060, 0x704848, 0x505848};
constexpr uint32_t BRIGHT_SHIRTS[] = {0xc03030, 0x3060c0, 0xe0e0e0, 0xe0b030, 0x30a050, 0x8040a0, 0x202020};
constexpr uint32_t FORMAL_SHIRTS[] = {0x151515, 0x202028, 0xc8a040, 0x801828, 0xe8e0d0, 0x302040};

void Fill(cairo_t* cr, double x, double y, double w, double h, uint32_t colour, double alpha = 1) {
  cairo_rectangle(cr, x, y, w, h);
  SetColor(cr, colour, alpha);
  cairo_fill(cr);
}

void Floor(cairo_t* cr, uint32_t colour) {
  SetVerticalGradient(cr, 200, Mix(colour, 0x000000, 0.4), 300, colour);
  cairo_rectangle(cr, 0, 200, BG_WIDTH, 100);
  cairo_fill(cr);
}

void Bricks(cairo_t* cr, Random& random, double y0, double y1, uint32_t brick, uint32_t mortar) {
  Fill(cr, 0, y0, BG_WIDTH, y1 - y0, mortar);
  int row = 0;
  for (double y = y0; y < y1; y += 9, row++) {
    for (double x = (row % 2) * -11; x < BG_WIDTH; x += 22) {
      Fill(cr, x + 1, y + 1, 20, 7, Mix(brick, random.Unit() < 0.5 ? 0x000000 : 0x806050, random.Range(0, 0.25)));
    }
  }
}

void Pennants(cairo_t* cr, Random& random, double x0, double x1, double y, double sag, const uint32_t* colours,
              int count) {
  SetColor(cr, 0x202020);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, x0, y);
  cairo_curve_to(cr, x0 + (x1 - x0) / 3, y + sag, x0 + 2 * (x1 - x0) / 3, y + sag, x1, y);
  cairo_stroke(cr);
  for (double x = x0 + 6; x < x1 - 4; x += 12) {
    double t = (x - x0) / (x1 - x0);
    double yy = y + sag * 4 * t * (1 - t) * 0.75;
    cairo_move_to(cr, x - 4, yy);
    cairo_line_to(cr, x + 4, yy);
    cairo_line_to(cr, x, yy + 9);
    cairo_close_path(cr);
    SetColor(cr, colours[random.Int(0, count - 1)]);
    cairo_fill(cr);
  }
}

void HangingLamp(cairo_t* cr, double x, double cordTop, double y, uint32_t light, double strength) {
  Fill(cr, x - 0.5, cordTop, 1, y - cordTop, 0x101010);
  DrawBeam(cr, x, y + 4, 12, x, 238, 200, light, 0.12 * strength);
  cairo_move_to(cr, x - 9, y + 5);
  cairo_line_to(cr, x - 3, y);
  cairo_line_to(cr, x + 3, y);
  cairo_line_to(cr, x + 9, y + 5);
  cairo_close_path(cr);
  SetColor(cr, 0x2a2a2a);
  cairo_fill(cr);
  DrawGlow(cr, x, y + 6, 14 * strength, light, 0.9);
}

void Screen(cairo_t* cr, double x, double y, double w, double h, uint32_t glow) {
  Fill(cr, x - 2, y - 2, w + 4, h + 4, 0x0a0a0c);
  SetVerticalGradient(cr, y, Mix(glow, 0x000000, 0.3), y + h, Mix(glow, 0x000000, 0.75));
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  // A ring and two boxers' gloves, as the broadcast's picture.
  SetColor(cr, 0xffffff, 0.5);
  cairo_set_line_width(cr, 1.5);
  cairo_rectangle(cr, x + w * 0.2, y + h * 0.55, w * 0.6, h * 0.25);
  cairo_stroke(cr);
  Ellipse(cr, x + w * 0.38, y + h * 0.42, w * 0.08, h * 0.12);
  Ellipse(cr, x + w * 0.62, y + h * 0.42, w * 0.08, h * 0.12);
  SetColor(cr, 0xffffff, 0.7);
  cairo_fill(cr);
  DrawGlow(cr, x + w / 2, y + h / 2, w * 0.8, glow, 0.12);
}

void Truss(cairo_t* cr, double y, double h, uint32_t colour) {
  Fill(cr, 0, y, BG_WIDTH, 2, colour);
  Fill(cr, 0, y + h - 2, BG_WIDTH, 2, colour);
  SetColor(cr, colour);
  cairo_set_line_width(cr, 1);
  for (double x = 0; x < BG_WIDTH; x += h) {
    cairo_move_to(cr, x, y + 1);
    cairo_line_to(cr, x + h, y + h - 1);
    cairo_move_to(cr, x + h, y + 1);
    cairo_line_to(cr, x, y + h - 1);
  }
  cairo_stroke(cr);
}

void SpotLamp(cairo_t* cr, double x, double y, uint32_t light) {
  Ellipse(cr, x, y, 4, 4);
  SetColor(cr, 0x202020);
  cairo_fill(cr);
  DrawGlow(cr, x, y + 1, 9, light, 0.9);
  Ellipse(cr, x, y + 1, 2, 1.5);
  SetColor(cr, 0xffffff);
  cairo_fill(cr);
}

void Tiers(cairo_t* cr, double top, double bottom, int rows, uint32_t rail) {
  for (int i = 1; i <= rows; i++) {
    double y = top + (bottom - top) * i / rows;
    Fill(cr, 0, y, BG_WIDTH, 1, rail, 0.6);
  }
}

// Level 1: a back-street gym: bare bricks, a barred window, one bulb, a heavy bag.
void Gym(cairo_t* cr, Random& random) {
  Bricks(cr, random, 0, 240, 0x6e3a2c, 0x2a1a16);
  Fill(cr, 0, 0, BG_WIDTH, 240, 0x000000, 0.35);
  // A window high on the wall with bars and night outside.
  Fill(cr, 58, 48, 64, 54, 0x1a1a1a);
  SetVerticalGradient(cr, 50, 0x1c2c48, 100, 0x2c4468);
  cairo_rectangle(cr, 61, 51, 58, 48);
  cairo_fill(cr);
  for (int i = 1; i < 5; i++) {
    Fill(cr, 61 + i * 11.6 - 1, 51, 2, 48, 0x222222);
  }
  Fill(cr, 56, 102, 68, 4, 0x3a3a3a);
  // A rusty pipe along the top.
  Fill(cr, 0, 16, BG_WIDTH, 7, 0x3c3a36);
  Fill(cr, 0, 17, BG_WIDTH, 2, 0x5a5650);
  for (double x = 40; x < BG_WIDTH; x += 90) {
    Fill(cr, x, 13, 6, 13, 0x2c2a28);
  }
  // Torn posters.
  Fill(cr, 150, 70, 34, 46, 0x8a8068, 0.7);
  Fill(cr, 154, 76, 26, 16, 0x803028, 0.6);
  Fill(cr, 190, 80, 28, 38, 0x70786a, 0.6);
  // The heavy bag on its chain.
  Fill(cr, 329, 0, 2, 62, 0x444444);
  RoundedRect(cr, 315, 60, 30, 86, 9);
  SetColor(cr, 0x4a1a16);
  cairo_fill(cr);
  RoundedRect(cr, 318, 62, 8, 80, 4);
  SetColor(cr, 0x6a2a22);
  cairo_fill(cr);
  Fill(cr, 315, 80, 30, 3, 0x2a0e0c);
  Fill(cr, 315, 126, 30, 3, 0x2a0e0c);
  Floor(cr, 0x3a3836);
  HangingLamp(cr, 200, 0, 34, 0xffd890, 1.0);
}

// Level 2: a boxing club: painted walls, tube lights, posters, a clock, a few onlookers on a bench.
void Club(cairo_t* cr, Random& random) {
  Fill(cr, 0, 0, BG_WIDTH, 150, 0x9a9078);
  Fill(cr, 0, 150, BG_WIDTH, 90, 0x2e5656);
  Fill(cr, 0, 147, BG_WIDTH, 4, 0x1e3a3a);
  Fill(cr, 0, 0, BG_WIDTH, 240, 0x000000, 0.3);
  for (double x : {90.0, 310.0}) {
    Fill(cr, x - 40, 8, 80, 5, 0xf0f4ff);
    DrawGlow(cr, x, 12, 50, 0xe8f0ff, 0.25);
  }
  // Posters of past bouts: two fighters facing each other, in flat colours.
  const uint32_t posterColours[] = {0xb03a2a, 0x2a5ab0, 0xd0a030};
  for (int i = 0; i < 3; i++) {
    double x = 36 + i * 52 + (i == 2 ? 170 : 0);
    Fill(cr, x, 54, 38, 54, 0xe8e0c8);
    Fill(cr, x + 3, 57, 32, 30, posterColours[i]);
    Fill(cr, x + 8, 64, 6, 20, 0x1a1a1a);
    Fill(cr, x + 24, 64, 6, 20, 0x1a1a1a);
    Fill(cr, x + 5, 92, 28, 3, 0x333333);
    Fill(cr, x + 8, 98, 22, 2, 0x555555);
  }
  // The clock.
  Ellipse(cr, 200, 70, 15, 15);
  SetColor(cr, 0x202020);
  cairo_fill(cr);
  Ellipse(cr, 200, 70, 12.5, 12.5);
  SetColor(cr, 0xdcd8cc);
  cairo_fill(cr);
  SetColor(cr, 0x202020);
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, 200, 70);
  cairo_line_to(cr, 200, 61);
  cairo_move_to(cr, 200, 70);
  cairo_line_to(cr, 206, 73);
  cairo_stroke(cr);
  Floor(cr, 0x4a3a2a);
  Fill(cr, 0, 222, BG_WIDTH, 5, 0x5a3a22);
  DrawCrowd(cr, random, 204, 204, 1, {DULL_SHIRTS, 5, 0.7, 0.35, 0});
}

// Level 3: fight night in a warehouse: corrugated iron, crates, strings of bulbs, a standing crowd.
void Warehouse(cairo_t* cr, Random& random) {
  for (double x = 0; x < BG_WIDTH; x += 8) {
    Fill(cr, x, 0, 4, 240, 0x3c4650);
    Fill(cr, x + 4, 0, 4, 240, 0x2c343c);
  }
  for (int i = 0; i < 7; i++) {  // rust streaks
    double x = random.Range(0, BG_WIDTH);
    SetVerticalGradient(cr, 30, 0x6a3a20, 200, 0x2c343c);
    cairo_rectangle(cr, x, 30, random.Range(3, 10), 170);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_paint_with_alpha(cr, 0.35);
    cairo_restore(cr);
  }
  Fill(cr, 0, 0, BG_WIDTH, 240, 0x000000, 0.35);
  // Crates stacked in the corners.
  auto crate = [&](double x, double y, double s) {
    Fill(cr, x, y, s, s, 0x3a2a18);
    Fill(cr, x + 2, y + 2, s - 4, s - 4, 0x6a4a28);
    SetColor(cr, 0x3a2a18);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, x + 3, y + 3);
    cairo_line_to(cr, x + s - 3, y + s - 3);
    cairo_stroke(cr);
  };
  crate(-6, 150, 46);
  crate(36, 164, 32);
  crate(0, 112, 36);
  crate(356, 150, 48);
  crate(330, 168, 28);
  const uint32_t bulbs[] = {0xffd060, 0xff6040, 0x60c0ff, 0x80ff80};
  for (int s = 0; s < 3; s++) {
    double x0 = s * 140 - 10, x1 = x0 + 150;
    SetColor(cr, 0x111111);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x0, 30);
    cairo_curve_to(cr, x0 + 50, 62, x1 - 50, 62, x1, 30);
    cairo_stroke(cr);
    for (double t = 0.08; t < 1; t += 0.12) {
      double x = x0 + (x1 - x0) * t, y = 30 + 32 * 4 * t * (1 - t) * 0.75;
      DrawGlow(cr, x, y + 2, 7, bulbs[random.Int(0, 3)], 0.9);
    }
  }
  Floor(cr, 0x2a2a2c);
  DrawCrowd(cr, random, 196, 214, 2, {DULL_SHIRTS, 5, 0.55, 0.8, 0});
}

// Level 4: a town hall: wood panelling, a stage with red curtains, bunting, two rows of seats.
void Hall(cairo_t* cr, Random& random) {
  for (double x = 0; x < BG_WIDTH; x += 25) {
    Fill(cr, x, 0, 25, 240, 0x4a2e1a);
    Fill(cr, x + 2, 4, 21, 232, 0x5e3c22);
    Fill(cr, x + 2, 4, 2, 232, 0x74502e);
  }
  Fill(cr, 0, 0, BG_WIDTH, 240, 0x000000, 0.3);
  // The stage and its curtains.
  Fill(cr, 110, 36, 180, 150, 0x1a0808);
  for (double x = 112; x < 288; x += 8) {
    SetVerticalGradient(cr, 40, 0x8a1a1a, 180, 0x4a0a0a);
    cairo_rectangle(cr, x, 40, 5, 140);
    cairo_fill(cr);
    Fill(cr, x + 5, 40, 3, 140, 0x3a0808);
  }
  Fill(cr, 106, 30, 188, 12, 0x8a6a2a);
  Fill(cr, 106, 180, 188, 8, 0x3a2414);
  const uint32_t bunting[] = {0xc02020, 0xf0f0f0, 0x2040b0};
  Pennants(cr, random, 0, 110, 50, 20, bunting, 3);
  Pennants(cr, random, 290, 400, 50, 20, bunting, 3);
  Floor(cr, 0x3a2818);
  HangingLamp(cr, 110, 0, 20, 0xffe0a0, 0.8);
  HangingLamp(cr, 290, 0, 20, 0xffe0a0, 0.8);
  DrawCrowd(cr, random, 190, 214, 2, {DULL_SHIRTS, 5, 0.6, 0.85, 1});
}

// Level 5: a town's sports hall: bleachers full of people under a rig of lights, club flags.
void SportsHall(cairo_t* cr, Random& random) {
  SetVerticalGradient(cr, 0, 0x0e1424, 240, 0x1e2a44);
  cairo_paint(cr);
  for (int i = 0; i < 5; i++) {
    Fill(cr, 0, 112 + i * 24, BG_WIDTH, 24, i % 2 ? 0x1a2236 : 0x202a40);
  }
  DrawCrowd(cr, random, 112, 216, 5, {BRIGHT_SHIRTS, 7, 0.45, 0.9, 2});
  Tiers(cr, 112, 232, 5, 0x6a7080);
  // Flags hanging from the roof on both sides.
  const uint32_t flags[] = {0xb02020, 0x2040a0, 0xd0a020, 0x208040};
  for (int i = 0; i < 4; i++) {
    double x = i < 2 ? 14 + i * 34 : 312 + (i - 2) * 34;
    Fill(cr, x, 30, 24, 60, flags[i]);
    Fill(cr, x, 30, 24, 60, 0x000000, 0.35);
    cairo_move_to(cr, x, 90);
    cairo_line_to(cr, x + 12, 82);
    cairo_line_to(cr, x + 24, 90);
    cairo_close_path(cr);
    SetColor(cr, 0x1e2a44);
    cairo_fill(cr);
  }
  Truss(cr, 14, 10, 0x3a4050);
  for (double x = 60; x < BG_WIDTH; x += 56) {
    SpotLamp(cr, x, 28, 0xfff0c0);
  }
  DrawBeam(cr, 144, 30, 6, 170, 238, 120, 0xfff0d0, 0.08);
  DrawBeam(cr, 256, 30, 6, 230, 238, 120, 0xfff0d0, 0.08);
  Floor(cr, 0x1c2030);
}

// Level 6: a regional title: a big crowd in the dark, a long banner, two crossing spotlights.
void Regional(cairo_t* cr, Random& random) {
  SetVerticalGradient(cr, 0, 0x06080e, 240, 0x141a2a);
  cairo_paint(cr);
  DrawCrowd(cr, random, 96, 220, 6, {BRIGHT_SHIRTS, 7, 0.5, 0.95, 6});
  Tiers(cr, 96, 232, 6, 0x505870);
  // A banner across the hall: red, white and blue bands with stars.
  Fill(cr, 0, 66, BG_WIDTH, 18, 0x1a2a6a);
  Fill(cr, 0, 70, BG_WIDTH, 4, 0xb02020);
  Fill(cr, 0, 76, BG_WIDTH, 4, 0xe0e0e0);
  for (double x = 20; x < BG_WIDTH; x += 60) {
    DrawGlow(cr, x, 75, 6, 0xfff0a0, 0.9);
  }
  DrawBeam(cr, 30, 0, 8, 220, 238, 110, 0xe0f0ff, 0.13);
  DrawBeam(cr, 370, 0, 8, 180, 238, 110, 0xe0f0ff, 0.13);
  SpotLamp(cr, 30, 6, 0xffffff);
  SpotLamp(cr, 370, 6, 0xffffff);
  Floor(cr, 0x10141e);
}

// Level 7: the national championship: screens on both sides, a rig of lights, a packed and lively crowd.
void National(cairo_t* cr, Random& random) {
  SetVerticalGradient(cr, 0, 0x04060c, 240, 0x101830);
  cairo_paint(cr);
  DrawCrowd(cr, random, 86, 222, 7, {BRIGHT_SHIRTS, 7, 0.55, 1.0, 8});
  Tiers(cr, 86, 232, 7, 0x506090);
  Screen(cr, 14, 58, 88, 50, 0x3070e0);
  Screen(cr, 298, 58, 88, 50, 0x3070e0);
  Truss(cr, 8, 12, 0x4a5068);
  for (double x = 130; x <= 270; x += 35) {
    SpotLamp(cr, x, 24, 0xfff4d8);
  }
  DrawBeam(cr, 130, 26, 6, 150, 238, 100, 0xfff4d8, 0.08);
  DrawBeam(cr, 200, 26, 6, 200, 238, 120, 0xfff4d8, 0.09);
  DrawBeam(cr, 270, 26, 6, 250, 238, 100, 0xfff4d8, 0.08);
  Floor(cr, 0x0c1020);
}

// Level 8: a casino showroom: purple and gold, neon, marquee bulbs, an audience in evening dress.
void Casino(cairo_t* cr, Random& random) {
  SetVerticalGradient(cr, 0, 0x0c0414, 240, 0x2a0c34);
  cairo_paint(cr);
  // Arches of marquee bulbs.
  for (int a = 0; a < 2; a++) {
    double cx = a == 0 ? 90 : 310;
    for (double t = 0; t <= M_PI + 0.01; t += M_PI / 14) {
      double x = cx - 70 * std::cos(t), y = 100 - 60 * std::sin(t);
      DrawGlow(cr, x, y, 5, 0xffd060, 0.9);
    }
  }
  // Neon: a star and stripes in pink and cyan.
  auto neon = [&](uint32_t colour) {
    cairo_set_line_width(cr, 5);
    SetColor(cr, colour, 0.3);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, Mix(colour, 0xffffff, 0.6));
    cairo_stroke(cr);
  };
  for (int k = 0; k < 10; k++) {
    double r = k % 2 == 0 ? 22 : 9, ang = -M_PI / 2 + k * M_PI / 5;
    (k == 0 ? cairo_move_to : cairo_line_to)(cr, 90 + r * std::cos(ang), 70 + r * std::sin(ang));
  }
  cairo_close_path(cr);
  neon(0xff40c0);
  for (int k = 0; k < 10; k++) {
    double r = k % 2 == 0 ? 22 : 9, ang = -M_PI / 2 + k * M_PI / 5;
    (k == 0 ? cairo_move_to : cairo_line_to)(cr, 310 + r * std::cos(ang), 70 + r * std::sin(ang));
  }
  cairo_close_path(cr);
  neon(0xff40c0);
  for (int i = 0; i < 3; i++) {
    cairo_move_to(cr, 150, 58 + i * 8);
    cairo_line_to(cr, 250, 58 + i * 8);
    neon(0x40e0ff);
  }
  DrawCrowd(cr, random, 118, 222, 6, {FORMAL_SHIRTS, 6, 0.6, 1.0, 10});
  Tiers(cr, 118, 232, 6, 0xc8a040);
  // Chandeliers.
  for (double x : {40.0, 200.0, 360.0}) {
    DrawGlow(cr, x, 14, 22, 0xffe8b0, 0.55);
    for (int i = -2; i <= 2; i++) {
      DrawGlow(cr, x + i * 6, 16 + std::abs(i) * -2, 3, 0xffffff, 1);
    }
  }
  Floor(cr, 0x1a0a20);
}

// Level 9: an open-air stadium at night: stars, floodlight towers, stands rising high all round.
void Stadium(cairo_t* cr, Random& random) {
  SetVerticalGradient(cr, 0, 0x02040c, 110, 0x1a1a40);
  cairo_paint(cr);
  for (int i = 0; i < 70; i++) {
    double x = random.Range(0, BG_WIDTH), y = random.Range(0, 70);
    Fill(cr, std::floor(x), std::floor(y), 1, 1, 0xffffff, random.Range(0.3, 0.9));
  }
  Ellipse(cr, 330, 22, 9, 9);
  SetColor(cr, 0xf0ecd8);
  cairo_fill(cr);
  DrawGlow(cr, 330, 22, 26, 0xf0ecd8, 0.2);
  // The stands: a curved rim and a huge crowd.
  cairo_move_to(cr, 0, 84);
  cairo_curve_to(cr, 120, 60, 280, 60, BG_WIDTH, 84);
  cairo_line_to(cr, BG_WIDTH, 240);
  cairo_line_to(cr, 0, 240);
  cairo_close_path(cr);
  SetColor(cr, 0x141820);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_move_to(cr, 0, 86);
  cairo_curve_to(cr, 120, 62, 280, 62, BG_WIDTH, 86);
  cairo_line_to(cr, BG_WIDTH, 240);
  cairo_line_to(cr, 0, 240);
  cairo_close_path(cr);
  cairo_clip(cr);
  DrawCrowd(cr, random, 70, 222, 9, {BRIGHT_SHIRTS, 7, 0.55, 1.0, 14});
  cairo_restore(cr);
  const uint32_t flags[] = {0xc02020, 0xf0f0f0, 0x2050c0, 0xe0b020};
  for (int i = 0; i < 9; i++) {
    double x = 30 + i * 42, y = 84 - 22 * std::sin(M_PI * x / BG_WIDTH);
    Fill(cr, x, y - 16, 1, 16, 0xaaaaaa);
    Fill(cr, x + 1, y - 16, 10, 6, flags[i % 4]);
  }
  // Floodlight towers.
  for (double x : {18.0, 382.0}) {
    Fill(cr, x - 2, 30, 4, 60, 0x303038);
    Fill(cr, x - 13, 16, 26, 16, 0x202028);
    for (int r = 0; r < 2; r++) {
      for (int c = 0; c < 4; c++) {
        DrawGlow(cr, x - 9 + c * 6, 20 + r * 7, 4, 0xffffff, 1);
      }
    }
    DrawGlow(cr, x, 24, 40, 0xf0f4ff, 0.3);
    DrawBeam(cr, x, 28, 20, 200, 238, 160, 0xf0f4ff, 0.07);
  }
  Floor(cr, 0x10141a);
}

// Level 10: the championship arena: tier on tier of spectators, a great rig of lights, banners, screens.
void Arena(cairo_t* cr, Random& random) {
  SetVerticalGradient(cr, 0, 0x020206, 240, 0x120e1e);
  cairo_paint(cr);
  DrawCrowd(cr, random, 58, 224, 10, {BRIGHT_SHIRTS, 7, 0.58, 1.0, 24});
  Tiers(cr, 58, 232, 10, 0x604c30);
  // Championship banners: red with a gold belt.
  for (double x : {124.0, 252.0}) {
    Fill(cr, x, 36, 24, 66, 0x8a1018);
    Fill(cr, x, 36, 24, 3, 0xe8c050);
    cairo_move_to(cr, x, 102);
    cairo_line_to(cr, x + 12, 94);
    cairo_line_to(cr, x + 24, 102);
    cairo_close_path(cr);
    SetColor(cr, 0x8a1018);
    cairo_fill(cr);
    Fill(cr, x + 3, 62, 18, 6, 0xc8a040);
    Ellipse(cr, x + 12, 65, 6, 6);
    SetColor(cr, 0xf0d070);
    cairo_fill(cr);
  }
  Screen(cr, 8, 58, 92, 52, 0xd0a030);
  Screen(cr, 300, 58, 92, 52, 0xd0a030);
  Truss(cr, 4, 12, 0x5a5040);
  Truss(cr, 20, 8, 0x4a4034);
  for (double x = 20; x < BG_WIDTH; x += 30) {
    SpotLamp(cr, x, 32, 0xfff0c0);
  }
  for (double x : {110.0, 160.0, 240.0, 290.0}) {
    DrawBeam(cr, x, 34, 6, 200 + (x - 200) * 0.4, 238, 90, 0xfff0c8, 0.07);
  }
  Floor(cr, 0x0c0a12);
}

}  // namespace

void DrawVenue(cairo_t* cr, int level, Random& random) {
  using Venue = void (*)(cairo_t*, Random&);
  static constexpr Venue venues[10] = {Gym,      Club,     Warehouse, Hall,    SportsHall,
                                       Regional, National, Casino,    Stadium, Arena};
  venues[level](cr, random);
}

RingStyle RingStyleForLevel(int level) {
  static const RingStyle styles[10] = {
      {0x8c8678, {0xa89e8c, 0xa89e8c, 0xa89e8c}, 0x505050, 0x7a3030, 0x304070, 0, 0, false},
      {0x9a968c, {0xb03030, 0xd8d8d8, 0x3040a0}, 0x686868, 0xa83030, 0x3048a0, 0x606060, 0.15, false},
      {0x8c929a, {0xd0d0d0, 0xd0d0d0, 0xd0d0d0}, 0x3a3a3a, 0xa83030, 0x3050a0, 0x505a66, 0.2, false},
      {0xa49c8c, {0xc02828, 0xe0e0e0, 0x2840b0}, 0x7a2020, 0xc02828, 0x2840b0, 0x8a2020, 0.22, false},
      {0x8e98a8, {0xe8e8e8, 0xc02828, 0xe8e8e8}, 0xa8a8b0, 0xc02828, 0x2848c0, 0x1e3a7a, 0.3, false},
      {0x7e8ea8, {0xd02828, 0xf0f0f0, 0x2848c8}, 0xc0c0c8, 0xd02828, 0x2848c8, 0xc02828, 0.35, false},
      {0x3c64a8, {0xf0f0f0, 0xd02828, 0xf0f0f0}, 0xd0d0d8, 0xd02828, 0x2848c8, 0xffffff, 0.28, false},
      {0x8a2433, {0xe8c050, 0x202020, 0xe8c050}, 0xc8a040, 0x181818, 0xb02030, 0xe8c050, 0.5, true},
      {0x2c5290, {0xd02828, 0xf0f0f0, 0x2848c8}, 0xd8d8e0, 0xd02828, 0x2848c8, 0xffffff, 0.35, true},
      {0x23449a, {0xf0cc58, 0xf0cc58, 0xf0cc58}, 0xd8b048, 0xc01c28, 0x1c3cc8, 0xf0cc58, 0.6, true},
  };
  return styles[level];
}
