// Cairo canvases, colours, paths and the seeded random generator of the generator.
#include "painter.h"

#include <cmath>
#include <cstring>

Canvas::Canvas(int width, int height)
    : _width(width),
      _height(height),
      _surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      _cr(cairo_create(_surface)) {}

Canvas::~Canvas() {
  cairo_destroy(_cr);
  cairo_surface_destroy(_surface);
}

Pixels Canvas::ToPixels() {
  cairo_surface_flush(_surface);
  const unsigned char* data = cairo_image_surface_get_data(_surface);
  int stride = cairo_image_surface_get_stride(_surface);
  Pixels out(_width, _height);
  for (int y = 0; y < _height; y++) {
    for (int x = 0; x < _width; x++) {
      uint32_t v;
      std::memcpy(&v, data + y * stride + x * 4, 4);
      uint32_t a = v >> 24;
      Rgba p{};
      if (a != 0) {
        p.r = static_cast<uint8_t>((((v >> 16) & 255) * 255 + a / 2) / a);
        p.g = static_cast<uint8_t>((((v >> 8) & 255) * 255 + a / 2) / a);
        p.b = static_cast<uint8_t>(((v & 255) * 255 + a / 2) / a);
        p.a = static_cast<uint8_t>(a);
      }
      out.At(x, y) = p;
    }
  }
  return out;
}

void Canvas::FromPixels(const Pixels& picture) {
  cairo_surface_flush(_surface);
  unsigned char* data = cairo_image_surface_get_data(_surface);
  int stride = cairo_image_surface_get_stride(_surface);
  for (int y = 0; y < _height; y++) {
    for (int x = 0; x < _width; x++) {
      Rgba p = picture.Inside(x, y) ? picture.At(x, y) : Rgba{};
      uint32_t a = p.a;
      uint32_t v = (a << 24) | ((p.r * a / 255) << 16) | ((p.g * a / 255) << 8) | (p.b * a / 255);
      std::memcpy(data + y * stride + x * 4, &v, 4);
    }
  }
  cairo_surface_mark_dirty(_surface);
}

void SetColor(cairo_t* cr, uint32_t rgb, double alpha) {
  cairo_set_source_rgba(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, alpha);
}

Rgba ToRgba(uint32_t rgb, uint8_t alpha) {
  return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), alpha};
}

uint32_t Mix(uint32_t rgb, uint32_t other, double t) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    double a = (rgb >> shift) & 255;
    double b = (other >> shift) & 255;
    out |= static_cast<uint32_t>(std::lround(a + (b - a) * t)) << shift;
  }
  return out;
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void SetVerticalGradient(cairo_t* cr, double y0, uint32_t top, double y1, uint32_t bottom) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(pattern, 0, ((top >> 16) & 255) / 255.0, ((top >> 8) & 255) / 255.0,
                                   (top & 255) / 255.0);
  cairo_pattern_add_color_stop_rgb(pattern, 1, ((bottom >> 16) & 255) / 255.0, ((bottom >> 8) & 255) / 255.0,
                                   (bottom & 255) / 255.0);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

uint32_t Random::Next() {
  _state ^= _state << 13;
  _state ^= _state >> 17;
  _state ^= _state << 5;
  return _state;
}
