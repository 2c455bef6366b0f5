#include "platform/linux/PangoFont.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <tuple>

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

// Family, weight and style are set one by one: a description string would
// read words of the face name ("Roman") as style words.
FontDescription describe(const std::string& face, int weight, bool italic) {
  FontDescription desc(pango_font_description_new());
  pango_font_description_set_family(desc.get(), face.c_str());
  pango_font_description_set_weight(desc.get(), static_cast<PangoWeight>(gdiWeight(weight)));
  pango_font_description_set_style(desc.get(), italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return desc;
}

// The thread's text machinery, shared by all its fonts: the font map, one
// context with the rendering options, and what each asked font resolved
// to. Finding a font among the installed ones, and its fallbacks for other
// scripts, is costly (fontconfig scores every installed face), and Pango
// keeps what it found per context settings: with one context, a face,
// size and style asked again costs a look-up, not a search.
class FontShelf {
 public:
  struct Choice {
    int characterHeight = 0;  // 0: no such font could be loaded
    std::string family;
    // Held so that Pango keeps what its search found for this font even
    // after its own small cache of font sets has let it go.
    GObjectRef<PangoFontset> fontset;
  };

  static FontShelf& forThisThread() {
    thread_local FontShelf shelf;
    return shelf;
  }

  bool ready() const { return context_ != nullptr; }
  PangoContext* context() const { return context_.get(); }

  const Choice& choose(const std::string& face, int height, int weight, bool italic) {
    Key key{face, height, gdiWeight(weight), italic};
    const auto found = choices_.find(key);
    if (found != choices_.end()) return found->second;
    // The saver asks for a few hundred fonts at most; a caller that asks
    // for endless sizes starts the shelf afresh instead of growing it.
    if (choices_.size() >= kMostChoices) choices_.clear();
    return choices_.emplace(std::move(key), resolve(face, height, weight, italic)).first->second;
  }

 private:
  using Key = std::tuple<std::string, int, int, bool>;
  static constexpr std::size_t kMostChoices = 1024;

  FontShelf() {
    fontMap_.reset(PANGO_FONT_MAP(g_object_ref(pango_cairo_font_map_get_default())));
    if (!fontMap_) return;
    context_.reset(pango_font_map_create_context(fontMap_.get()));
    if (context_) setRenderingOptions(context_.get());
  }

  Choice resolve(const std::string& face, int height, int weight, bool italic) const {
    const FontDescription desc(describe(face, weight, italic));
    // Pango sizes are in 1/1024 pixel; the cap keeps them in range and far
    // above any height a screen can show.
    const int em = std::min(characterHeightFor(context_.get(), desc.get(), height), kMaxCharacterHeight);
    if (em <= 0) return {};
    pango_font_description_set_absolute_size(desc.get(), static_cast<double>(em) * PANGO_SCALE);
    const GObjectRef<PangoFont> loaded(pango_context_load_font(context_.get(), desc.get()));
    if (!loaded) return {};
    const FontDescription resolved(pango_font_describe(loaded.get()));
    const char* family = pango_font_description_get_family(resolved.get());
    GObjectRef<PangoFontset> fontset(
        pango_context_load_fontset(context_.get(), desc.get(), pango_context_get_language(context_.get())));
    return {em, family != nullptr ? family : "", std::move(fontset)};
  }

  GObjectRef<PangoFontMap> fontMap_;
  GObjectRef<PangoContext> context_;
  std::map<Key, Choice> choices_;
};

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
  FontShelf& shelf = FontShelf::forThisThread();
  if (!shelf.ready()) return;
  const FontShelf::Choice& choice = shelf.choose(face, height, weight, italic);
  if (choice.characterHeight <= 0) return;
  auto impl = std::make_unique<Impl>();
  impl->context.reset(PANGO_CONTEXT(g_object_ref(shelf.context())));
  impl->family = choice.family;
  impl->characterHeight = choice.characterHeight;
  impl->layout.reset(pango_layout_new(impl->context.get()));
  if (!impl->layout) return;
  const FontDescription desc(describe(face, weight, italic));
  pango_font_description_set_absolute_size(desc.get(), static_cast<double>(choice.characterHeight) * PANGO_SCALE);
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
