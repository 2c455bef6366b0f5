#pragma once

#include <memory>
#include <string>

namespace warpix {

// The size of a piece of text in pixels, as GetTextExtentPoint32 and the
// text metrics give it: width = advance of the whole string, height = the
// cell height (ascent + descent of the font), ascent above the baseline,
// descent below it.
struct TextExtent {
  int width = 0;
  int height = 0;
  int ascent = 0;
  int descent = 0;
  bool operator==(const TextExtent&) const = default;
};

// A font picked from a face name, a height and a style, in the terms of a
// GDI logical font:
// - height < 0: the character height (em size) is -height pixels;
// - height > 0: the cell height (ascent + descent) is height pixels;
// - height = 0: a default character height of 12 pixels;
// - weight 100 (thin) to 900 (black), 400 normal, 700 bold; 0 means normal,
//   other values are clamped into 100..900;
// - italic or upright.
// A face that is not installed resolves to the closest installed one (the
// metric twins stand in for the classic Windows faces).
//
// A Font belongs to the thread that made it: the fonts of one thread share
// what was found of the installed fonts (asking for the same font twice
// costs a look-up), and a Font must not be used by another thread.
// Move-only; a moved-from or failed Font is not valid(), measures as
// zero and draws nothing.
class Font {
 public:
  static constexpr int kDefaultCharacterHeight = 12;

  Font(const std::string& face, int height, int weight, bool italic);
  ~Font();
  Font(Font&&) noexcept;
  Font& operator=(Font&&) noexcept;
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  bool valid() const { return impl_ != nullptr; }
  // The extent of one line of UTF-8 text (line breaks are not interpreted).
  TextExtent measure(const std::string& utf8) const;
  // Characters of the text that no installed font could show (drawn as
  // boxes); the font falls back to other installed fonts before that.
  int unknownGlyphs(const std::string& utf8) const;
  // The family the face name resolved to, e.g. "Liberation Serif".
  std::string resolvedFamily() const;
  // The em size actually used, in pixels.
  int characterHeight() const;

  // The implementation, for the platform's text drawing.
  struct Impl;
  Impl* impl() const { return impl_.get(); }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace warpix
