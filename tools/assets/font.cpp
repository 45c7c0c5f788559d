// Renders a bold sans-serif into the game's font cells. Each glyph is stroked dark outside its shape (2 pixels in
// the large font, 1 in the small) and filled white on top, so text reads over any background and over the green
// and yellow menu bars. The pen starts a few pixels into the cell, which leaves room for the outline and for
// glyphs that reach left of the pen (j, J); the game takes that margin off again when it draws.
#include "font.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "painter.h"

namespace {

constexpr int SPACING = 1;  // extra pixels after every character
constexpr uint32_t OUTLINE_COLOUR = 0x101018;

bool HasGlyph(int code) {
  return (code >= 32 && code <= 126) || code >= 160;
}

// Latin-1 code as UTF-8 text.
std::string Utf8(int code) {
  std::string s;
  if (code < 128) {
    s += static_cast<char>(code);
  } else {
    s += static_cast<char>(0xC0 | (code >> 6));
    s += static_cast<char>(0x80 | (code & 0x3F));
  }
  return s;
}

}  // namespace

const FontStyle LARGE_FONT = {64, 30, 6, 41, 4.0, 1};
const FontStyle SMALL_FONT = {32, 14, 3, 20, 2.0, 0};

FontFiles DrawFont(const std::string& fontPath, const FontStyle& style) {
  const int cell = style.cell;
  FT_Library library;
  FT_Face face;
  if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, fontPath.c_str(), 0, &face) != 0) {
    throw std::runtime_error("cannot open the font " + fontPath);
  }
  cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
  // Cairo may keep the face in its caches after we let go of it: it closes the FreeType face itself when done.
  static const cairo_user_data_key_t faceKey{};
  cairo_font_face_set_user_data(cairoFace, &faceKey, face, [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
  Canvas canvas(cell * 16, cell * 16);
  cairo_t* cr = canvas.cr();
  cairo_set_font_face(cr, cairoFace);
  cairo_set_font_size(cr, style.size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);

  int widths[256] = {};
  for (int code = 0; code < 256; code++) {
    if (!HasGlyph(code)) {
      continue;
    }
    std::string text = Utf8(code);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    widths[code] = static_cast<int>(std::lround(extents.x_advance)) + style.widen;
    cairo_save(cr);
    cairo_rectangle(cr, cell * (code % 16), cell * (code / 16), cell, cell);
    cairo_clip(cr);
    cairo_move_to(cr, cell * (code % 16) + style.offset, cell * (code / 16) + style.baseline);
    cairo_text_path(cr, text.c_str());
    SetColor(cr, OUTLINE_COLOUR);
    cairo_set_line_width(cr, style.outline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    SetColor(cr, 0xffffff);
    cairo_fill(cr);
    cairo_restore(cr);
  }

  // The lettering's top and middle follow the capitals.
  cairo_text_extents_t capital;
  cairo_text_extents(cr, "H", &capital);
  int top = style.baseline - static_cast<int>(std::lround(capital.height));
  int centre = (top + style.baseline) / 2;

  FontFiles files{canvas.ToPixels(), {}};
  std::ostringstream out;
  for (int code = 0; code < 256; code++) {
    out << widths[code] << (code % 16 == 15 ? '\n' : ' ');
  }
  out << SPACING << '\n' << style.baseline << '\n' << centre << '\n' << top << '\n' << style.offset << '\n';
  files.metrics = out.str();

  cairo_font_face_destroy(cairoFace);  // the FreeType library stays open until the generator exits
  return files;
}
