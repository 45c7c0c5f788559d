// Drawing the fighter. Every cell is first drawn as a map of materials (skin, glove, outline, ...) with
// anti-aliasing off, so edges are crisp at any zoom; the map is then split into the base layer and the tint
// layer. Each part is outlined, filled, and shaded on the side away from a light high on the left.
#include "figures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "painter.h"

namespace {

constexpr int CELL = 128;
constexpr int COLUMNS = 8;

enum Material : uint8_t {
  NONE,
  OUTLINE,
  SKIN,
  SKIN_SHADE,
  SKIN_LIGHT,
  HAIR,
  HAIR_LIGHT,
  EYE,
  MOUTH,
  WHITE,  // waistband, glove cuffs, socks, the stripe down the shorts
  WHITE_SHADE,
  SHOE,
  SHOE_SHADE,
  SOLE,
  SWEAT,
  GLOVE,  // from here on: the tint layer
  GLOVE_SHADE,
  GLOVE_LIGHT,
  SHORTS,
  SHORTS_SHADE,
  SHORTS_LIGHT,
  TRIM,
  MATERIAL_COUNT
};

constexpr bool IsTinted(uint8_t m) {
  return m >= GLOVE;
}

constexpr uint32_t PALETTE[MATERIAL_COUNT] = {
    0x000000, 0x1c1418, 0xd99a6c, 0xac6c48, 0xf0bd92, 0x2e1d14, 0x55382a, 0x140c0c, 0x7a2a26, 0xf0f0f0, 0xb8b8c0,
    0x2c2c36, 0x1b1b22, 0xdedede, 0xd2f0ff, 0xf0f0f0, 0xa8a8a8, 0xffffff, 0xe4e4e4, 0xa0a0a0, 0xffffff, 0xffffff,
};

Point Add(Point a, Point b) {
  return {a.x + b.x, a.y + b.y};
}
Point Sub(Point a, Point b) {
  return {a.x - b.x, a.y - b.y};
}
Point Scale(Point a, double k) {
  return {a.x * k, a.y * k};
}
double Length(Point a) {
  return std::hypot(a.x, a.y);
}
Point Unit(Point a) {
  double l = Length(a);
  return l > 0 ? Scale(a, 1 / l) : Point{1, 0};
}
double Dot(Point a, Point b) {
  return a.x * b.x + a.y * b.y;
}

// The joint between root and target for two bones of lengths a and b, bent towards prefer. A target out of
// reach straightens the limb towards it.
Point Bend(Point root, Point target, double a, double b, Point prefer) {
  Point d = Sub(target, root);
  double dist = std::clamp(Length(d), std::fabs(a - b) + 0.01, a + b - 0.01);
  double base = std::atan2(d.y, d.x);
  double angle = std::acos(std::clamp((a * a + dist * dist - b * b) / (2 * a * dist), -1.0, 1.0));
  Point j1 = Add(root, {a * std::cos(base + angle), a * std::sin(base + angle)});
  Point j2 = Add(root, {a * std::cos(base - angle), a * std::sin(base - angle)});
  Point mid = Add(root, Scale(Unit(d), dist / 2));
  return Dot(Sub(j1, mid), prefer) >= Dot(Sub(j2, mid), prefer) ? j1 : j2;
}

// The end of a limb: the target, or as near to it as the limb reaches.
Point Reach(Point root, Point target, double length) {
  Point d = Sub(target, root);
  return Length(d) <= length ? target : Add(root, Scale(Unit(d), length));
}

class FigurePainter {
public:
  explicit FigurePainter(cairo_t* cr) : _cr(cr) { cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE); }

  void Draw(const FigurePose& p);

private:
  using PathFn = std::function<void()>;

  void Use(uint8_t m) { cairo_set_source_rgb(_cr, m / 255.0, 0, 0); }
  // Outline, fill, then shade the bottom-right rim by shade pixels and light the top-left rim by light pixels.
  void Part(const PathFn& path, uint8_t fill, uint8_t shade, double shadeBy, uint8_t light = NONE, double lightBy = 0);
  void Capsule(Point a, Point b, double ra, double rb);
  void Limb(Point a, Point b, double ra, double rb, uint8_t fill, uint8_t shade) {
    Part([=, this] { Capsule(a, b, ra, rb); }, fill, shade, 1.6);
  }
  void Arm(Point shoulder, Point glove, Point prefer);
  void Glove(Point at, Point dir);
  // Thigh, shin and boot; returns the knee, which the shorts' legs follow.
  Point Leg(Point hipJoint, Point foot, Point kneeSide, double footAngle);
  void Shoe(Point ankle, double angle);
  void Torso(Point hip, Point neck);
  void Shorts(Point hip, Point neck, Point nearKnee, Point farKnee);
  void Head(const FigurePose& p);
  void Sweat(Point head);

  cairo_t* _cr;
};

void FigurePainter::Part(const PathFn& path, uint8_t fill, uint8_t shade, double shadeBy, uint8_t light,
                         double lightBy) {
  cairo_save(_cr);
  cairo_new_path(_cr);
  path();
  Use(OUTLINE);
  cairo_set_line_width(_cr, 2.0);
  cairo_set_line_join(_cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(_cr);
  Use(fill);
  cairo_fill_preserve(_cr);
  cairo_clip(_cr);
  if (shade != NONE) {
    Use(shade);
    cairo_paint(_cr);
    cairo_save(_cr);
    cairo_translate(_cr, -shadeBy, -shadeBy);
    path();
    Use(fill);
    cairo_fill(_cr);
    cairo_restore(_cr);
  }
  if (light != NONE) {
    cairo_save(_cr);
    cairo_translate(_cr, -shadeBy, -shadeBy);
    path();
    cairo_restore(_cr);
    cairo_clip(_cr);
    Use(light);
    cairo_paint(_cr);
    cairo_translate(_cr, lightBy - shadeBy, lightBy - shadeBy);
    path();
    Use(fill);
    cairo_fill(_cr);
  }
  cairo_restore(_cr);
}

void FigurePainter::Capsule(Point a, Point b, double ra, double rb) {
  Point d = Sub(b, a);
  double len = Length(d);
  double theta = std::atan2(d.y, d.x);
  double phi = len > std::fabs(ra - rb) ? std::acos((ra - rb) / len) : M_PI / 2;
  cairo_new_sub_path(_cr);
  cairo_arc(_cr, b.x, b.y, rb, theta - phi, theta + phi);
  cairo_arc(_cr, a.x, a.y, ra, theta + phi, theta - phi + 2 * M_PI);
  cairo_close_path(_cr);
}

void FigurePainter::Glove(Point at, Point dir) {
  double angle = std::atan2(dir.y, dir.x);
  auto local = [&](auto draw) {
    cairo_save(_cr);
    cairo_translate(_cr, at.x, at.y);
    cairo_rotate(_cr, angle);
    draw();
    cairo_restore(_cr);
  };
  // Cuff first, so the glove's outline closes over it.
  Part([&] { local([&] { cairo_rectangle(_cr, -10.5, -4.5, 5, 9); }); }, WHITE, WHITE_SHADE, 1.2);
  Part(
      [&] {
        local([&] {
          Ellipse(_cr, 1, 0, 7.5, 6.8);
          Ellipse(_cr, -1.5, -4.8, 3.6, 2.6);  // the thumb along the top
        });
      },
      GLOVE, GLOVE_SHADE, 2.2, GLOVE_LIGHT, 1.4);
}

void FigurePainter::Arm(Point shoulder, Point glove, Point prefer) {
  constexpr double UPPER = 19, FORE = 24;
  Point hand = Reach(shoulder, glove, UPPER + FORE - 0.5);
  Point elbow = Bend(shoulder, hand, UPPER, FORE, prefer);
  Point dir = Unit(Sub(hand, elbow));
  Point wrist = Sub(hand, Scale(dir, 8));
  Limb(shoulder, elbow, 5.8, 4.8, SKIN, SKIN_SHADE);
  Limb(elbow, wrist, 4.8, 3.8, SKIN, SKIN_SHADE);
  Glove(hand, dir);
}

void FigurePainter::Shoe(Point ankle, double angle) {
  cairo_save(_cr);
  cairo_translate(_cr, ankle.x, ankle.y);
  cairo_rotate(_cr, -angle);
  // A high-top boxing boot with a light sole; the trim round its top takes the fighter's colour.
  auto boot = [&] {
    cairo_move_to(_cr, -5, -9);
    cairo_line_to(_cr, 3, -9);
    cairo_line_to(_cr, 4, -2);
    cairo_curve_to(_cr, 9, -1, 11, 1, 11, 4);
    cairo_line_to(_cr, -6, 4);
    cairo_close_path(_cr);
  };
  Part(boot, SHOE, SHOE_SHADE, 1.5);
  Use(SOLE);
  cairo_rectangle(_cr, -5, 3, 15, 1);
  cairo_fill(_cr);
  Use(TRIM);
  cairo_rectangle(_cr, -4, -8, 7, 2);
  cairo_fill(_cr);
  cairo_rectangle(_cr, -2, -2, 8, 1);
  cairo_fill(_cr);
  cairo_restore(_cr);
}

Point FigurePainter::Leg(Point hipJoint, Point foot, Point kneeSide, double footAngle) {
  constexpr double THIGH = 25, SHIN = 25;
  Point ankle = Reach(hipJoint, foot, THIGH + SHIN - 0.5);
  Point knee = Bend(hipJoint, ankle, THIGH, SHIN, kneeSide);
  Limb(hipJoint, knee, 7.5, 6, SKIN, SKIN_SHADE);
  Limb(knee, ankle, 6, 4.3, SKIN, SKIN_SHADE);
  Shoe(ankle, footAngle);
  return knee;
}

// A closed smooth curve through points (Catmull-Rom turned into Bezier pieces).
void SmoothLoop(cairo_t* cr, const std::vector<Point>& pts) {
  size_t n = pts.size();
  cairo_move_to(cr, pts[0].x, pts[0].y);
  for (size_t i = 0; i < n; i++) {
    Point p0 = pts[(i + n - 1) % n], p1 = pts[i], p2 = pts[(i + 1) % n], p3 = pts[(i + 2) % n];
    Point c1 = Add(p1, Scale(Sub(p2, p0), 1.0 / 6));
    Point c2 = Sub(p2, Scale(Sub(p3, p1), 1.0 / 6));
    cairo_curve_to(cr, c1.x, c1.y, c2.x, c2.y, p2.x, p2.y);
  }
  cairo_close_path(cr);
}

// Points given along the body's axis (a: 0 at the hip, 1 at the neck) and across it (s: pixels, + to the front).
struct BodyFrame {
  Point hip, axis, front;
  double length;
  BodyFrame(Point h, Point neck) : hip(h) {
    Point d = Sub(neck, h);
    length = Length(d);
    axis = Unit(d);
    front = {-axis.y, axis.x};
  }
  Point At(double a, double s) const { return Add(hip, Add(Scale(axis, a * length), Scale(front, s))); }
};

void FigurePainter::Torso(Point hip, Point neck) {
  BodyFrame f(hip, neck);
  std::vector<Point> outline = {f.At(0, -9.5),   f.At(0.35, -10.5), f.At(0.75, -12.5), f.At(1.0, -11.5),
                                f.At(1.08, -4),  f.At(1.08, 6),     f.At(1.0, 11.5),   f.At(0.78, 13.5),
                                f.At(0.5, 11.5), f.At(0.2, 10.5),   f.At(0, 10)};
  Part([&] { SmoothLoop(_cr, outline); }, SKIN, SKIN_SHADE, 2.5, SKIN_LIGHT, 1.2);
  // The line under the chest muscle and the navel.
  Use(SKIN_SHADE);
  cairo_set_line_width(_cr, 1.0);
  Point a = f.At(0.7, 1), b = f.At(0.66, 7), c = f.At(0.72, 11);
  cairo_move_to(_cr, a.x, a.y);
  cairo_curve_to(_cr, b.x, b.y, b.x, b.y, c.x, c.y);
  cairo_stroke(_cr);
  Point navel = f.At(0.25, 7);
  cairo_rectangle(_cr, std::floor(navel.x), std::floor(navel.y), 1, 2);
  cairo_fill(_cr);
}

void FigurePainter::Shorts(Point hip, Point neck, Point nearKnee, Point farKnee) {
  BodyFrame f(hip, neck);
  Point nearJoint = f.At(-0.02, -3), farJoint = f.At(0, 3);
  auto legOpening = [&](Point joint, Point knee) { return Add(joint, Scale(Sub(knee, joint), 0.5)); };
  Point nearEnd = legOpening(nearJoint, nearKnee), farEnd = legOpening(farJoint, farKnee);
  Part([&] { Capsule(farJoint, farEnd, 8, 7); }, SHORTS, SHORTS_SHADE, 2);
  Part(
      [&] {
        std::vector<Point> body = {f.At(0.26, -10.5), f.At(0.26, 10.5), f.At(0, 10.5),
                                   f.At(-0.1, 8),     f.At(-0.1, -9),   f.At(0.0, -10.5)};
        SmoothLoop(_cr, body);
        Capsule(nearJoint, nearEnd, 8, 7.5);
      },
      SHORTS, SHORTS_SHADE, 2.2, SHORTS_LIGHT, 1);
  // The waistband and the stripe down the side.
  Part(
      [&] {
        std::vector<Point> band = {f.At(0.3, -11), f.At(0.3, 11), f.At(0.21, 11.5), f.At(0.21, -11.5)};
        for (size_t i = 0; i < band.size(); i++) {
          (i == 0 ? cairo_move_to : cairo_line_to)(_cr, band[i].x, band[i].y);
        }
        cairo_close_path(_cr);
      },
      WHITE, WHITE_SHADE, 1.2);
  Use(WHITE);
  cairo_set_line_width(_cr, 2.0);
  Point s0 = f.At(0.2, -2), s1 = Add(nearJoint, Scale(Sub(nearEnd, nearJoint), 0.95));
  cairo_move_to(_cr, s0.x, s0.y);
  cairo_line_to(_cr, s1.x, s1.y);
  cairo_stroke(_cr);
}

void FigurePainter::Head(const FigurePose& p) {
  Point h = p.head;
  cairo_save(_cr);
  cairo_translate(_cr, h.x, h.y);
  cairo_rotate(_cr, -p.headTilt);
  auto skull = [&] { Ellipse(_cr, 0.5, -0.5, 9.5, 10.5); };
  Part(
      [&] {
        skull();
        Ellipse(_cr, 3.5, 4.5, 6.5, 5.5);  // jaw and chin
        Ellipse(_cr, 9.5, 0.5, 2.2, 2.4);  // nose
      },
      SKIN, SKIN_SHADE, 2.0, SKIN_LIGHT, 1.0);
  // Short hair over the crown and the back of the head.
  cairo_save(_cr);
  Ellipse(_cr, 0.5, -0.5, 10.5, 11.5);
  cairo_clip(_cr);
  Use(HAIR);
  cairo_move_to(_cr, -13, -14);
  cairo_line_to(_cr, 9, -14);
  cairo_line_to(_cr, 8.5, -6.5);
  cairo_line_to(_cr, 3, -6);
  cairo_line_to(_cr, -2, -3.5);
  cairo_line_to(_cr, -5, 3);
  cairo_line_to(_cr, -13, 6);
  cairo_close_path(_cr);
  cairo_fill(_cr);
  Use(HAIR_LIGHT);
  cairo_rectangle(_cr, -4, -10, 7, 1.5);
  cairo_fill(_cr);
  cairo_restore(_cr);
  // Ear, eye, brow, mouth.
  Part([&] { Ellipse(_cr, -1.5, 1, 2.4, 3.2); }, SKIN_SHADE, NONE, 0);
  Use(EYE);
  cairo_rectangle(_cr, 4.5, -2.5, 2, 3);
  cairo_fill(_cr);
  Use(HAIR);
  cairo_rectangle(_cr, 3, -5.5, 5, 1.5);
  cairo_fill(_cr);
  Use(p.mouthOpen ? MOUTH : EYE);
  if (p.mouthOpen) {
    Ellipse(_cr, 7, 6, 2, 2.2);
  } else {
    cairo_rectangle(_cr, 6, 5.5, 3.5, 1);
  }
  cairo_fill(_cr);
  cairo_restore(_cr);
}

void FigurePainter::Sweat(Point head) {
  const Point drops[] = {{-13, -7}, {-18, -3}, {-16, -13}, {-22, -9}, {-11, -15}};
  for (Point d : drops) {
    Part([&] { Ellipse(_cr, head.x + d.x, head.y + d.y, 1.3, 1.3); }, SWEAT, NONE, 0);
  }
}

void FigurePainter::Draw(const FigurePose& p) {
  BodyFrame body(p.hip, p.neck);
  Point nearShoulder = body.At(0.95, -3 + p.shoulderTurn);
  Point farShoulder = body.At(0.97, 5 - 0.6 * p.shoulderTurn);
  auto elbowSide = [&](Point shoulder, Point glove) {
    if (p.lying) {
      return Point{0, 1};
    }
    if (glove.y < shoulder.y - 20) {  // arms raised: elbows out to the sides
      return Point{glove.x < shoulder.x ? -1.0 : 1.0, 0.3};
    }
    return Point{0.15, 1};
  };
  Arm(farShoulder, p.farGlove, elbowSide(farShoulder, p.farGlove));
  Point farHip = body.At(0, 3), nearHip = body.At(-0.02, -3);
  // Knees of the standing fighter bend forward; the knocked-out one's point up.
  Point kneeSide = p.lying ? Point{0, -1} : body.front;
  Point farKnee = Leg(farHip, p.farFoot, kneeSide, p.footAngle);
  Point nearKnee = Leg(nearHip, p.nearFoot, kneeSide, p.footAngle);
  Torso(p.hip, p.neck);
  Shorts(p.hip, p.neck, nearKnee, farKnee);
  Limb(body.At(0.98, 0), Add(p.head, {-1, 4}), 5, 5, SKIN, SKIN_SHADE);
  Head(p);
  if (p.sweat) {
    Sweat(p.head);
  }
  Arm(nearShoulder, p.nearGlove, elbowSide(nearShoulder, p.nearGlove));
}

// The material map of one cell turned into its two layers.
void SplitLayers(const Pixels& map, Pixels& base, Pixels& tint) {
  base = Pixels(CELL, CELL);
  tint = Pixels(CELL, CELL);
  for (int y = 0; y < CELL; y++) {
    for (int x = 0; x < CELL; x++) {
      Rgba m = map.At(x, y);
      if (m.a == 0 || m.r == NONE || m.r >= MATERIAL_COUNT) {
        continue;
      }
      (IsTinted(m.r) ? tint : base).At(x, y) = ToRgba(PALETTE[m.r]);
    }
  }
}

}  // namespace

Pixels DrawFigureSheet() {
  Pixels sheet(CELL * COLUMNS, CELL * 5);
  for (int cell = 0; cell < 19; cell++) {
    Canvas canvas(CELL, CELL);
    FigurePainter(canvas.cr()).Draw(PoseForCell(cell));
    Pixels base, tint;
    SplitLayers(canvas.ToPixels(), base, tint);
    sheet.Paste(base, CELL * (cell % COLUMNS), CELL * (cell / COLUMNS));
    int tintCell = cell + 20;
    sheet.Paste(tint, CELL * (tintCell % COLUMNS), CELL * (tintCell / COLUMNS));
  }
  return sheet;
}
