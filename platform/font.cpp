#include <cmath>
#include <memory>

#include "platform/font_p.h"
#include "platform/raster_ops_p.h"

namespace kvo::detail {

std::string SanitizeUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char c = p[i];
    if (c == 0) { ++i; continue; }
    if (c < 0x80) { out.push_back(char(c)); ++i; continue; }
    std::size_t len = 0;
    std::uint32_t cp = 0, min = 0;
    if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; min = 0x80; }
    else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; min = 0x800; }
    else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; min = 0x10000; }
    bool ok = len != 0 && i + len <= n;
    for (std::size_t k = 1; ok && k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    if (ok) {
      out.append(reinterpret_cast<const char*>(p + i), len);
      i += len;
    } else {
      out.append("\xEF\xBF\xBD");
      ++i;
    }
  }
  return out;
}

namespace {

cairo_font_options_t* PinnedOptions() {
  static cairo_font_options_t* opts = [] {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_subpixel_order(o, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    return o;
  }();
  return opts;
}

}  // namespace

void SelectFont(cairo_t* cr, const TFontData& font) {
  const std::string name = SanitizeUtf8(font.Name.empty() ? kDefaultFontName : font.Name);
  cairo_select_font_face(cr, name.c_str(),
                         font.Style.Contains(fsItalic) ? CAIRO_FONT_SLANT_ITALIC
                                                       : CAIRO_FONT_SLANT_NORMAL,
                         font.Style.Contains(fsBold) ? CAIRO_FONT_WEIGHT_BOLD
                                                     : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, font.PixelHeight());
  cairo_set_font_options(cr, PinnedOptions());
}

TFontMetrics FontMetrics(cairo_t* cr) {
  cairo_font_extents_t fe;
  cairo_font_extents(cr, &fe);
  TFontMetrics m;
  m.Ascent = std::ceil(fe.ascent - 1e-6);
  m.Descent = std::ceil(fe.descent - 1e-6);
  m.Height = static_cast<std::int32_t>(m.Ascent + m.Descent);
  return m;
}

double TextAdvance(cairo_t* cr, const std::string& text) {
  if (text.empty()) return 0;
  cairo_text_extents_t te;
  cairo_text_extents(cr, text.c_str(), &te);
  return std::round(te.x_advance);
}

TSize MeasureText(std::string_view utf8, const TFontData& font) {
  struct Ctx {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(s);
    ~Ctx() {
      cairo_destroy(cr);
      cairo_surface_destroy(s);
    }
  };
  static Ctx ctx;
  SelectFont(ctx.cr, font);
  const TFontMetrics m = FontMetrics(ctx.cr);
  const std::string text = SanitizeUtf8(utf8);
  return {static_cast<std::int32_t>(TextAdvance(ctx.cr, text)), m.Height};
}

}  // namespace kvo::detail
