// Cairo drawing surfaces for the generator: a canvas of a given size, colours given as 0xRRGGBB, a seeded random
// generator so that noise is the same on every run, and the conversion to straight-alpha pixels.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "pixels.h"

// A Cairo ARGB surface and its drawing context.
class Canvas {
public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() { return _cr; }
  cairo_surface_t* Surface() { return _surface; }
  int Width() const { return _width; }
  int Height() const { return _height; }
  // The drawing so far, with Cairo's premultiplied colours turned back into straight alpha.
  Pixels ToPixels();
  // Puts pixels into the surface (replacing its content), for drawing over an existing picture.
  void FromPixels(const Pixels& picture);

private:
  int _width;
  int _height;
  cairo_surface_t* _surface;
  cairo_t* _cr;
};

// Colour helpers: rgb is 0xRRGGBB.
void SetColor(cairo_t* cr, uint32_t rgb, double alpha = 1.0);
Rgba ToRgba(uint32_t rgb, uint8_t alpha = 255);
// rgb blended towards other by t (0 keeps rgb, 1 gives other).
uint32_t Mix(uint32_t rgb, uint32_t other, double t);

// Path helpers; they only add to the current path.
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// A vertical gradient from top colour at y0 to bottom colour at y1, made the current source.
void SetVerticalGradient(cairo_t* cr, double y0, uint32_t top, double y1, uint32_t bottom);

// A small deterministic generator (xorshift), so every run draws the same noise, crowds and stars.
class Random {
public:
  explicit Random(uint32_t seed) : _state(seed == 0 ? 1 : seed) {}
  uint32_t Next();
  // Uniform in [0, 1).
  double Unit() { return (Next() >> 8) / 16777216.0; }
  // Uniform in [lo, hi).
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  // Uniform integer in [lo, hi].
  int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1)); }

private:
  uint32_t _state;
};
