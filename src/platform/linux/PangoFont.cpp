#include "platform/linux/PangoFont.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace warpix {
namespace {

struct FontDescriptionFree {
  void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
using FontDescription = std::unique_ptr<PangoFontDescription, FontDescriptionFree>;

struct FontOptionsDestroy {
  void operator()(cairo_font_options_t* o) const { cairo_font_options_destroy(o); }
};

// The em size at which a font is loaded to learn its ascent-to-em ratio
// when a cell height is asked for; large, so that rounding of the hinted
// metrics costs well under a pixel at the sizes drawn.
constexpr int kReferenceEm = 512;
constexpr int kMaxCharacterHeight = 1 << 14;

int gdiWeight(int weight) {
  if (weight == 0) return PANGO_WEIGHT_NORMAL;
  return std::clamp(weight, 100, 900);
}

// Text is drawn in one solid colour without antialiasing, with full hinting
// and whole-pixel metrics: the crisp look of untuned GDI text, every drawn
// pixel exactly the asked colour, and the same pixels on every machine that
// has the same fonts and libraries.
void setRenderingOptions(PangoContext* context) {
  const std::unique_ptr<cairo_font_options_t, FontOptionsDestroy> options(cairo_font_options_create());
  cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_FULL);
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(context, options.get());
  pango_context_set_round_glyph_positions(context, TRUE);
  // A fixed language keeps the choice of fallback fonts independent of
  // the user's locale.
  pango_context_set_language(context, pango_language_from_string("en"));
  pango_context_set_base_dir(context, PANGO_DIRECTION_LTR);
}

// Ascent + descent of the font at an em of `em` pixels, in Pango units.
int cellHeightAt(PangoContext* context, PangoFontDescription* desc, int em) {
  pango_font_description_set_absolute_size(desc, static_cast<double>(em) * PANGO_SCALE);
  const GObjectRef<PangoFont> font(pango_context_load_font(context, desc));
  if (!font) return 0;
  PangoFontMetrics* metrics = pango_font_get_metrics(font.get(), pango_context_get_language(context));
  const int cell = pango_font_metrics_get_ascent(metrics) + pango_font_metrics_get_descent(metrics);
  pango_font_metrics_unref(metrics);
  return cell;
}

// The em size that gives the asked GDI height.
int characterHeightFor(PangoContext* context, PangoFontDescription* desc, int height) {
  if (height < 0) return height == INT_MIN ? INT_MAX : -height;
  if (height == 0) return Font::kDefaultCharacterHeight;
  const int cell = cellHeightAt(context, desc, kReferenceEm);
  if (cell <= 0) return 0;
  const double em = static_cast<double>(height) * kReferenceEm * PANGO_SCALE / cell;
  return std::max(1, static_cast<int>(std::lround(em)));
}

}  // namespace

PangoLayout* Font::Impl::layoutFor(const std::string& utf8) const {
  const auto length = static_cast<gssize>(utf8.size());
  if (g_utf8_validate(utf8.data(), length, nullptr)) {
    pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(length));
  } else {
    // Text from outside (a month name in a legacy encoding) may not be
    // UTF-8; its stray bytes show as replacement characters, the same in
    // measuring and drawing.
    const std::unique_ptr<gchar, decltype(&g_free)> valid(g_utf8_make_valid(utf8.data(), length), &g_free);
    pango_layout_set_text(layout.get(), valid.get(), -1);
  }
  return layout.get();
}

Font::Font(const std::string& face, int height, int weight, bool italic) {
  auto impl = std::make_unique<Impl>();
  // The thread's one font map: fonts, and the fallback fonts of other
  // scripts, are found and loaded once, not again for every text drawn.
  impl->fontMap.reset(PANGO_FONT_MAP(g_object_ref(pango_cairo_font_map_get_default())));
  if (!impl->fontMap) return;
  impl->context.reset(pango_font_map_create_context(impl->fontMap.get()));
  if (!impl->context) return;
  setRenderingOptions(impl->context.get());

  // Family, weight and style are set one by one: a description string
  // would read words of the face name ("Roman") as style words.
  const FontDescription desc(pango_font_description_new());
  pango_font_description_set_family(desc.get(), face.c_str());
  pango_font_description_set_weight(desc.get(), static_cast<PangoWeight>(gdiWeight(weight)));
  pango_font_description_set_style(desc.get(), italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);

  // Pango sizes are in 1/1024 pixel; the cap keeps them in range and far
  // above any height a screen can show.
  const int em = std::min(characterHeightFor(impl->context.get(), desc.get(), height), kMaxCharacterHeight);
  if (em <= 0) return;
  impl->characterHeight = em;
  pango_font_description_set_absolute_size(desc.get(), static_cast<double>(em) * PANGO_SCALE);

  const GObjectRef<PangoFont> loaded(pango_context_load_font(impl->context.get(), desc.get()));
  if (!loaded) return;
  const FontDescription resolved(pango_font_describe(loaded.get()));
  const char* family = pango_font_description_get_family(resolved.get());
  impl->family = family != nullptr ? family : "";

  impl->layout.reset(pango_layout_new(impl->context.get()));
  if (!impl->layout) return;
  pango_layout_set_font_description(impl->layout.get(), desc.get());
  // One line, as TextOut writes it: line breaks are not obeyed.
  pango_layout_set_single_paragraph_mode(impl->layout.get(), TRUE);
  impl_ = std::move(impl);
}

Font::~Font() = default;
Font::Font(Font&&) noexcept = default;
Font& Font::operator=(Font&&) noexcept = default;

TextExtent Font::measure(const std::string& utf8) const {
  if (!impl_) return {};
  PangoLayout* layout = impl_->layoutFor(utf8);
  PangoRectangle logical{};
  pango_layout_get_extents(layout, nullptr, &logical);
  TextExtent e;
  e.width = PANGO_PIXELS(logical.x + logical.width) - PANGO_PIXELS(logical.x);
  e.height = PANGO_PIXELS(logical.y + logical.height) - PANGO_PIXELS(logical.y);
  e.ascent = PANGO_PIXELS(pango_layout_get_baseline(layout)) - PANGO_PIXELS(logical.y);
  e.descent = e.height - e.ascent;
  return e;
}

int Font::unknownGlyphs(const std::string& utf8) const {
  if (!impl_) return 0;
  return pango_layout_get_unknown_glyphs_count(impl_->layoutFor(utf8));
}

std::string Font::resolvedFamily() const { return impl_ ? impl_->family : std::string(); }

int Font::characterHeight() const { return impl_ ? impl_->characterHeight : 0; }

}  // namespace warpix
