#include <cmath>
#include <map>
#include <memory>
#include <tuple>

#include "platform/font_p.h"
#include "platform/numeric.h"
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

// One face per (name, slant, weight), created once and kept: looking faces
// up through fontconfig on every text call is slow.
cairo_font_face_t* Face(const std::string& name, bool italic, bool bold) {
  struct TFaces {
    std::map<std::tuple<std::string, bool, bool>, cairo_font_face_t*> Map;
    ~TFaces() {
      for (auto& [key, face] : Map) cairo_font_face_destroy(face);
    }
  };
  static TFaces faces;
  const auto key = std::make_tuple(name, italic, bold);
  if (const auto it = faces.Map.find(key); it != faces.Map.end()) return it->second;
  cairo_font_face_t* f = cairo_toy_font_face_create(
      name.c_str(), italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
      bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  if (faces.Map.size() > 256) {
    // Many distinct names: keep the table bounded.
    for (auto& [k, face] : faces.Map) cairo_font_face_destroy(face);
    faces.Map.clear();
  }
  faces.Map.emplace(key, f);
  return f;
}

}  // namespace

void SelectFont(cairo_t* cr, const TFontData& font) {
  const std::string name = SanitizeUtf8(font.Name.empty() ? kDefaultFontName : font.Name);
  cairo_set_font_face(cr, Face(name, font.Style.Contains(fsItalic), font.Style.Contains(fsBold)));
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
  // Saturated: a long text at a large size passes 2^31 pixels.
  return {ClampToInt(TextAdvance(ctx.cr, text)), m.Height};
}

}  // namespace kvo::detail

// Fontconfig keeps its pattern caches until the process ends (cairo's toy
// font faces hold them); they are not leaks of ours. Sanitizer builds tell
// LeakSanitizer so, here where fontconfig is first used.
#if defined(__SANITIZE_ADDRESS__)
#define KVO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KVO_ASAN 1
#endif
#endif
#ifdef KVO_ASAN
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
#endif
