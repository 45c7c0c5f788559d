// The ring that every background shares, drawn over the venue: the canvas in perspective with its emblem, the
// back ropes between two corner posts, the side ropes running out of the picture towards the viewer, and a
// darkening over the top rows so that the bars and the score stand out. Crowds, beams and glows for the venues.
#include "backgrounds.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double POST_LEFT = 30, POST_RIGHT = 370, POST_TOP = 150, POST_WIDTH = 7;
constexpr double ROPE_Y[3] = {166, 188, 210};

void DrawCanvas(cairo_t* cr, const RingStyle& style, Random& random) {
  // The ring floor widens towards the viewer, out past both sides of the picture.
  auto floor = [&] {
    cairo_move_to(cr, POST_LEFT - 6, RING_BACK_Y);
    cairo_line_to(cr, POST_RIGHT + 6, RING_BACK_Y);
    cairo_line_to(cr, BG_WIDTH + 60, BG_HEIGHT);
    cairo_line_to(cr, -60, BG_HEIGHT);
    cairo_close_path(cr);
  };
  floor();
  SetVerticalGradient(cr, RING_BACK_Y, Mix(style.canvas, 0x000000, 0.25), BG_HEIGHT, style.canvas);
  cairo_fill(cr);
  // Lit from above: brightest in the middle of the ring.
  cairo_save(cr);
  floor();
  cairo_clip(cr);
  cairo_pattern_t* light = cairo_pattern_create_radial(200, 268, 10, 200, 268, 230);
  cairo_pattern_add_color_stop_rgba(light, 0, 1, 1, 1, 0.16);
  cairo_pattern_add_color_stop_rgba(light, 1, 0, 0, 0, 0.3);
  cairo_set_source(cr, light);
  cairo_paint(cr);
  cairo_pattern_destroy(light);
  // Canvas seams and scuffs.
  SetColor(cr, 0x000000, 0.06);
  cairo_set_line_width(cr, 1);
  for (int i = -5; i <= 5; i++) {
    cairo_move_to(cr, 200 + i * 34, RING_BACK_Y);
    cairo_line_to(cr, 200 + i * 60, BG_HEIGHT);
  }
  cairo_stroke(cr);
  for (int i = 0; i < 40; i++) {
    Ellipse(cr, random.Range(0, BG_WIDTH), random.Range(RING_BACK_Y + 4, BG_HEIGHT), random.Range(2, 9),
            random.Range(0.6, 2));
    SetColor(cr, 0x000000, random.Range(0.02, 0.06));
    cairo_fill(cr);
  }
  // The emblem in the middle, flattened by the perspective.
  if (style.logoStrength > 0) {
    cairo_save(cr);
    cairo_translate(cr, 200, 269);
    cairo_scale(cr, 1, 0.2);
    cairo_set_line_width(cr, 10);
    cairo_arc(cr, 0, 0, 84, 0, 2 * M_PI);
    SetColor(cr, style.logo, style.logoStrength);
    cairo_stroke(cr);
    cairo_arc(cr, 0, 0, 62, 0, 2 * M_PI);
    SetColor(cr, style.logo, style.logoStrength * 0.55);
    cairo_fill(cr);
    // A five-pointed star in the middle of the emblem.
    cairo_new_path(cr);
    for (int k = 0; k < 10; k++) {
      double r = k % 2 == 0 ? 44 : 18;
      double a = -M_PI / 2 + k * M_PI / 5;
      (k == 0 ? cairo_move_to : cairo_line_to)(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
    SetColor(cr, style.logo, std::min(1.0, style.logoStrength * 1.2));
    cairo_fill(cr);
    cairo_restore(cr);
  }
  cairo_restore(cr);
  // The back edge of the ring: a shadow line and, at the grand venues, a gold strip.
  cairo_rectangle(cr, POST_LEFT - 6, RING_BACK_Y - 1, POST_RIGHT - POST_LEFT + 12, 3);
  SetColor(cr, style.goldTrim ? 0xd4a83a : Mix(style.canvas, 0xffffff, 0.35));
  cairo_fill(cr);
  cairo_rectangle(cr, POST_LEFT - 6, RING_BACK_Y + 2, POST_RIGHT - POST_LEFT + 12, 2);
  SetColor(cr, 0x000000, 0.25);
  cairo_fill(cr);
}

void DrawRope(cairo_t* cr, double x0, double y0, double x1, double y1, uint32_t colour, double width) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_width(cr, width + 2);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  SetColor(cr, Mix(colour, 0x000000, 0.6));
  cairo_stroke(cr);
  cairo_set_line_width(cr, width);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  SetColor(cr, colour);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, x0, y0 - width / 2 + 0.5);
  cairo_line_to(cr, x1, y1 - width / 2 + 0.5);
  SetColor(cr, Mix(colour, 0xffffff, 0.45));
  cairo_stroke(cr);
}

void DrawPost(cairo_t* cr, double x, uint32_t post, uint32_t pad, bool gold) {
  cairo_rectangle(cr, x - POST_WIDTH / 2, POST_TOP, POST_WIDTH, RING_BACK_Y + 2 - POST_TOP);
  SetColor(cr, Mix(post, 0x000000, 0.5));
  cairo_fill(cr);
  cairo_rectangle(cr, x - POST_WIDTH / 2 + 1, POST_TOP, POST_WIDTH - 2, RING_BACK_Y + 2 - POST_TOP);
  SetColor(cr, post);
  cairo_fill(cr);
  cairo_rectangle(cr, x - POST_WIDTH / 2 + 1, POST_TOP, 1, RING_BACK_Y + 2 - POST_TOP);
  SetColor(cr, Mix(post, 0xffffff, 0.4));
  cairo_fill(cr);
  // The corner cushion over the turnbuckles.
  RoundedRect(cr, x - 6, ROPE_Y[0] - 8, 12, ROPE_Y[2] - ROPE_Y[0] + 16, 3);
  SetColor(cr, Mix(pad, 0x000000, 0.55));
  cairo_fill(cr);
  RoundedRect(cr, x - 5, ROPE_Y[0] - 7, 10, ROPE_Y[2] - ROPE_Y[0] + 14, 2.5);
  SetColor(cr, pad);
  cairo_fill(cr);
  cairo_rectangle(cr, x - 3, ROPE_Y[0] - 5, 2, ROPE_Y[2] - ROPE_Y[0] + 10);
  SetColor(cr, Mix(pad, 0xffffff, 0.35));
  cairo_fill(cr);
  if (gold) {
    RoundedRect(cr, x - 5, POST_TOP - 4, 10, 6, 2);
    SetColor(cr, 0xe8c050);
    cairo_fill(cr);
  }
}

void DrawRing(cairo_t* cr, const RingStyle& style, Random& random) {
  DrawCanvas(cr, style, random);
  // Side ropes run from the back posts out of the picture towards the viewer.
  for (int i = 0; i < 3; i++) {
    double drop = 40 + 14 * i;
    DrawRope(cr, POST_LEFT, ROPE_Y[i], -20, ROPE_Y[i] + drop, style.ropes[i], 3.5);
    DrawRope(cr, POST_RIGHT, ROPE_Y[i], BG_WIDTH + 20, ROPE_Y[i] + drop, style.ropes[i], 3.5);
  }
  for (int i = 0; i < 3; i++) {
    DrawRope(cr, POST_LEFT, ROPE_Y[i], POST_RIGHT, ROPE_Y[i], style.ropes[i], 2.5);
  }
  DrawPost(cr, POST_LEFT, style.posts, style.leftPad, style.goldTrim);
  DrawPost(cr, POST_RIGHT, style.posts, style.rightPad, style.goldTrim);
}

// The top of the picture fades to near black under the bars and the score.
void DarkenTop(cairo_t* cr) {
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, 0, 70);
  cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, 0.55);
  cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0);
  cairo_set_source(cr, shade);
  cairo_rectangle(cr, 0, 0, BG_WIDTH, 70);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
}

}  // namespace

void DrawCrowd(cairo_t* cr, Random& random, double top, double bottom, int rows, const CrowdStyle& style) {
  for (int row = 0; row < rows; row++) {
    double t = rows == 1 ? 1 : static_cast<double>(row) / (rows - 1);
    double y = top + (bottom - top) * t;
    double size = 5 + 4 * t;
    double light = style.brightness * (0.45 + 0.55 * t);
    double x = random.Range(-size, 0);
    while (x < BG_WIDTH + size) {
      if (random.Unit() >= style.density) {
        x += size * random.Range(1.7, 2.2);
        continue;
      }
      uint32_t shirt = style.shirts[random.Int(0, style.shirtCount - 1)];
      uint32_t grey = ((shirt >> 16 & 255) * 3 + (shirt >> 8 & 255) * 6 + (shirt & 255)) / 10 * 0x010101;
      shirt = Mix(Mix(shirt, grey, 0.35), 0x000000, 1 - light);  // muted, so the fighters stay in front
      uint32_t skinTones[] = {0xe0b090, 0xb07850, 0x7a5030, 0xd09a70};
      uint32_t skin = Mix(skinTones[random.Int(0, 3)], 0x000000, 1 - light * 0.9);
      double dy = random.Range(-1.5, 1.5);
      RoundedRect(cr, x - size * 0.9, y + dy, size * 1.8, size * 2.2, size * 0.6);
      SetColor(cr, shirt);
      cairo_fill(cr);
      Ellipse(cr, x, y + dy - size * 0.45, size * 0.5, size * 0.58);
      SetColor(cr, skin);
      cairo_fill(cr);
      if (random.Unit() < 0.35) {  // hair or a hat
        Ellipse(cr, x, y + dy - size * 0.75, size * 0.48, size * 0.28);
        SetColor(cr, Mix(0x201810, 0x000000, 1 - light));
        cairo_fill(cr);
      }
      x += size * random.Range(1.7, 2.2);
    }
  }
  // A haze over the seats: the crowd is there, but the ring is where the light is.
  cairo_rectangle(cr, 0, top - 12, BG_WIDTH, bottom - top + 32);
  SetColor(cr, 0x000000, 0.22);
  cairo_fill(cr);
  for (int i = 0; i < style.flashes; i++) {
    double fx = random.Range(10, BG_WIDTH - 10), fy = random.Range(top, bottom);
    DrawGlow(cr, fx, fy, 5, 0xffffff, 0.8);
    cairo_rectangle(cr, std::floor(fx), std::floor(fy), 1, 1);
    SetColor(cr, 0xffffff);
    cairo_fill(cr);
  }
}

void DrawBeam(cairo_t* cr, double x, double y0, double topWidth, double bottomX, double y1, double bottomWidth,
              uint32_t colour, double alpha) {
  cairo_pattern_t* fade = cairo_pattern_create_linear(0, y0, 0, y1);
  double r = ((colour >> 16) & 255) / 255.0, g = ((colour >> 8) & 255) / 255.0, b = (colour & 255) / 255.0;
  cairo_pattern_add_color_stop_rgba(fade, 0, r, g, b, alpha);
  cairo_pattern_add_color_stop_rgba(fade, 1, r, g, b, alpha * 0.15);
  cairo_move_to(cr, x - topWidth / 2, y0);
  cairo_line_to(cr, x + topWidth / 2, y0);
  cairo_line_to(cr, bottomX + bottomWidth / 2, y1);
  cairo_line_to(cr, bottomX - bottomWidth / 2, y1);
  cairo_close_path(cr);
  cairo_set_source(cr, fade);
  cairo_fill(cr);
  cairo_pattern_destroy(fade);
}

void DrawGlow(cairo_t* cr, double x, double y, double radius, uint32_t colour, double alpha) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, radius);
  double r = ((colour >> 16) & 255) / 255.0, g = ((colour >> 8) & 255) / 255.0, b = (colour & 255) / 255.0;
  cairo_pattern_add_color_stop_rgba(glow, 0, r, g, b, alpha);
  cairo_pattern_add_color_stop_rgba(glow, 1, r, g, b, 0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
}

Pixels DrawBackground(int level) {
  Canvas canvas(BG_WIDTH, BG_HEIGHT);
  cairo_t* cr = canvas.cr();
  Random random(1000 + 7919 * static_cast<uint32_t>(level));
  SetColor(cr, 0x000000);
  cairo_paint(cr);
  cairo_save(cr);
  DrawVenue(cr, level, random);
  cairo_restore(cr);
  DarkenTop(cr);
  DrawRing(cr, RingStyleForLevel(level), random);
  Pixels out = canvas.ToPixels();
  // A little fixed noise keeps the gradients from banding.
  for (int y = 0; y < BG_HEIGHT; y++) {
    for (int x = 0; x < BG_WIDTH; x++) {
      Rgba& p = out.At(x, y);
      int n = static_cast<int>(random.Next() % 5) - 2;
      p.r = static_cast<uint8_t>(std::clamp(p.r + n, 0, 255));
      p.g = static_cast<uint8_t>(std::clamp(p.g + n, 0, 255));
      p.b = static_cast<uint8_t>(std::clamp(p.b + n, 0, 255));
      p.a = 255;
    }
  }
  return out;
}
