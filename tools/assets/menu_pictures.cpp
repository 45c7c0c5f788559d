// The menu's pictures. The backdrop is soft (anti-aliased); the cups and the card are drawn with crisp edges,
// as the game shows them pixel for pixel at every zoom.
#include "menu_pictures.h"

#include <algorithm>
#include <cmath>

#include "painter.h"

namespace {

void Outlined(cairo_t* cr, uint32_t fill, double width = 2) {
  SetColor(cr, 0x140e0a);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  SetColor(cr, fill);
  cairo_fill(cr);
}

void Star(cairo_t* cr, double x, double y, double outer, double inner) {
  for (int k = 0; k < 10; k++) {
    double r = k % 2 == 0 ? outer : inner, a = -M_PI / 2 + k * M_PI / 5;
    (k == 0 ? cairo_move_to : cairo_line_to)(cr, x + r * std::cos(a), y + r * std::sin(a));
  }
  cairo_close_path(cr);
}

struct Metal {
  uint32_t base, shade, light;
};

void Cup(cairo_t* cr, double ox, const Metal& m, int stars) {
  cairo_save(cr);
  cairo_translate(cr, ox, 0);
  // Handles behind the bowl.
  for (int side : {-1, 1}) {
    cairo_new_path(cr);
    cairo_arc(cr, 32 + side * 17, 20, 7, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 32 + side * 17, 20, 3.5, 2 * M_PI, 0);
    Outlined(cr, m.shade);
  }
  // The bowl.
  cairo_new_path(cr);
  cairo_move_to(cr, 14, 7);
  cairo_line_to(cr, 50, 7);
  cairo_curve_to(cr, 50, 24, 44, 34, 32, 36);
  cairo_curve_to(cr, 20, 34, 14, 24, 14, 7);
  cairo_close_path(cr);
  Outlined(cr, m.base);
  cairo_rectangle(cr, 14, 6, 36, 3);
  Outlined(cr, m.light, 1.5);
  // Light down the left of the bowl, shadow down the right.
  cairo_rectangle(cr, 19, 11, 3, 14);
  SetColor(cr, m.light);
  cairo_fill(cr);
  cairo_move_to(cr, 43, 10);
  cairo_curve_to(cr, 45, 22, 41, 30, 33, 33);
  cairo_line_to(cr, 36, 33);
  cairo_curve_to(cr, 44, 29, 48, 22, 47, 10);
  cairo_close_path(cr);
  SetColor(cr, m.shade);
  cairo_fill(cr);
  Star(cr, 32, 20, 6, 2.6);
  SetColor(cr, m.light);
  cairo_fill(cr);
  // Stem and base with a dark plaque carrying one, two or three stars.
  cairo_rectangle(cr, 29, 36, 6, 8);
  Outlined(cr, m.shade);
  cairo_rectangle(cr, 23, 43, 18, 4);
  Outlined(cr, m.base);
  cairo_rectangle(cr, 16, 47, 32, 13);
  Outlined(cr, 0x3a2418);
  cairo_rectangle(cr, 16, 47, 32, 2);
  SetColor(cr, 0x5a3a28);
  cairo_fill(cr);
  for (int i = 0; i < stars; i++) {
    Star(cr, 32 + (i - (stars - 1) / 2.0) * 9, 54, 3.6, 1.5);
    SetColor(cr, m.light);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

}  // namespace

Pixels DrawMenuBackground() {
  Canvas canvas(512, 512);
  cairo_t* cr = canvas.cr();
  // Night blue, a little lighter in the middle of what shows.
  cairo_pattern_t* glow = cairo_pattern_create_radial(256, 230, 20, 256, 256, 380);
  cairo_pattern_add_color_stop_rgb(glow, 0, 0x22 / 255.0, 0x2c / 255.0, 0x4e / 255.0);
  cairo_pattern_add_color_stop_rgb(glow, 1, 0x05 / 255.0, 0x06 / 255.0, 0x0e / 255.0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  // A faint spotlight from above.
  cairo_pattern_t* beam = cairo_pattern_create_linear(0, 0, 0, 512);
  cairo_pattern_add_color_stop_rgba(beam, 0, 1, 1, 1, 0.09);
  cairo_pattern_add_color_stop_rgba(beam, 1, 1, 1, 1, 0);
  cairo_move_to(cr, 230, 0);
  cairo_line_to(cr, 282, 0);
  cairo_line_to(cr, 420, 512);
  cairo_line_to(cr, 92, 512);
  cairo_close_path(cr);
  cairo_set_source(cr, beam);
  cairo_fill(cr);
  cairo_pattern_destroy(beam);
  // Ring ropes sweeping across in perspective, red, white and blue, kept dim.
  const uint32_t ropes[3] = {0xc03030, 0xd8d8d8, 0x3050c0};
  for (int i = 0; i < 3; i++) {
    cairo_set_line_width(cr, 7 + 3 * i);
    cairo_move_to(cr, -20, 300 + 46 * i);
    cairo_curve_to(cr, 160, 280 + 40 * i, 330, 330 + 50 * i, 540, 390 + 66 * i);
    SetColor(cr, ropes[i], 0.16);
    cairo_stroke(cr);
  }
  // A large star, barely there, behind the rows.
  Star(cr, 256, 250, 130, 52);
  SetColor(cr, 0xffffff, 0.035);
  cairo_fill(cr);
  cairo_set_line_width(cr, 2);
  Star(cr, 256, 250, 130, 52);
  SetColor(cr, 0xffffff, 0.05);
  cairo_stroke(cr);
  // Fine dust of light.
  Random random(4242);
  for (int i = 0; i < 260; i++) {
    double x = random.Range(0, 512), y = random.Range(0, 512);
    cairo_rectangle(cr, std::floor(x), std::floor(y), 1, 1);
    SetColor(cr, 0xffffff, random.Range(0.03, 0.18));
    cairo_fill(cr);
  }
  Pixels out = canvas.ToPixels();
  for (int y = 0; y < 512; y++) {
    for (int x = 0; x < 512; x++) {
      Rgba& p = out.At(x, y);
      int n = static_cast<int>(random.Next() % 3) - 1;
      p.r = static_cast<uint8_t>(std::clamp(p.r + n, 0, 255));
      p.g = static_cast<uint8_t>(std::clamp(p.g + n, 0, 255));
      p.b = static_cast<uint8_t>(std::clamp(p.b + n, 0, 255));
      p.a = 255;
    }
  }
  return out;
}

Pixels DrawCups() {
  Canvas canvas(192, 64);
  cairo_t* cr = canvas.cr();
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  const Metal metals[3] = {
      {0xc07a3a, 0x7a4420, 0xf0b078}, {0xc4c8d0, 0x7a808c, 0xf4f6fa}, {0xf0c030, 0xa87810, 0xfff0a0}};
  for (int i = 0; i < 3; i++) {
    Cup(cr, 64 * i, metals[i], i + 1);
  }
  return canvas.ToPixels();
}

Pixels DrawCard() {
  Canvas canvas(CARD_WIDTH, CARD_HEIGHT);
  cairo_t* cr = canvas.cr();
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  // The panel: dark leather red inside a gold rim.
  RoundedRect(cr, 0, 0, CARD_WIDTH, CARD_HEIGHT, 5);
  SetColor(cr, 0x1a0c0c);
  cairo_fill(cr);
  RoundedRect(cr, 1, 1, CARD_WIDTH - 2, CARD_HEIGHT - 2, 4);
  SetColor(cr, 0xc89a3a);
  cairo_fill(cr);
  RoundedRect(cr, 3, 2, CARD_WIDTH - 6, CARD_HEIGHT - 5, 3);
  SetColor(cr, 0x5a1418);
  cairo_fill(cr);
  SetVerticalGradient(cr, 26, 0x6e1c20, CARD_HEIGHT, 0x3e0c10);
  cairo_rectangle(cr, 120, 28, CARD_WIDTH - 124, CARD_HEIGHT - 32);
  cairo_fill(cr);
  // The band under "Level N", along the top right. The game draws the caption's lettering from the card's very
  // top edge down, so the band reaches that edge: no rim runs under the letters, they stand on one dark field.
  cairo_save(cr);
  RoundedRect(cr, 0, 0, CARD_WIDTH, CARD_HEIGHT, 5);
  cairo_clip(cr);
  cairo_rectangle(cr, 120, 0, CARD_WIDTH - 123, 28);
  SetColor(cr, 0x2a080a);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_rectangle(cr, 120, 28, CARD_WIDTH - 123, 1);
  SetColor(cr, 0xc89a3a);
  cairo_fill(cr);
  // The niche the cup stands in, with its shelf: it looks meant even while empty.
  RoundedRect(cr, 208, 46, 76, 72, 6);
  SetColor(cr, 0x22080a);
  cairo_fill(cr);
  RoundedRect(cr, 210, 48, 72, 68, 5);
  SetVerticalGradient(cr, 48, 0x2e0a0e, 116, 0x4a1216);
  cairo_fill(cr);
  cairo_rectangle(cr, 204, 115, 84, 5);
  SetColor(cr, 0xc89a3a);
  cairo_fill(cr);
  cairo_rectangle(cr, 204, 119, 84, 1);
  SetColor(cr, 0x6a4a18);
  cairo_fill(cr);
  // Between the window and the niche: a gold glove over gold rules (stars here would read as a rating).
  auto glove = [&] {
    Ellipse(cr, 163, 62, 13, 10);
    Ellipse(cr, 158, 53, 6, 4.5);
    cairo_rectangle(cr, 141, 56, 9, 13);
  };
  glove();
  SetColor(cr, 0x8a6420);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  glove();
  SetColor(cr, 0xe0b848);
  cairo_fill(cr);
  cairo_rectangle(cr, 141, 59, 9, 2);
  cairo_rectangle(cr, 141, 64, 9, 2);
  Ellipse(cr, 168, 58, 4, 3);
  SetColor(cr, 0xfff0a0);
  cairo_fill(cr);
  for (int i = 0; i < 3; i++) {
    cairo_rectangle(cr, 132, 82 + i * 8, 62 - i * 14, 2);
    SetColor(cr, 0xa07a2a);
    cairo_fill(cr);
  }
  // The portrait window: a gold bevel round a hole the portrait shows through.
  cairo_rectangle(cr, CARD_HOLE_X - 2, CARD_HOLE_Y - 1, CARD_HOLE_SIZE + 4, CARD_HOLE_SIZE + 3);
  SetColor(cr, 0xf0cc60);
  cairo_fill(cr);
  cairo_rectangle(cr, CARD_HOLE_X - 1, CARD_HOLE_Y, CARD_HOLE_SIZE + 2, CARD_HOLE_SIZE + 2);
  SetColor(cr, 0x140808);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_rectangle(cr, CARD_HOLE_X, CARD_HOLE_Y, CARD_HOLE_SIZE, CARD_HOLE_SIZE);
  cairo_fill(cr);
  return canvas.ToPixels();
}
