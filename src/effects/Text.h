#pragma once

#include <memory>
#include <string>

#include "effects/Texter.h"
#include "platform/Pixel.h"
#include "scene/Saver.h"

namespace warpix {

// Writes one line, the date and time or one of the user's messages, at a
// random place in a random face, size and style. Its colour is taken from a
// pixel already on the screen, often turned to a contrasting hue, with a
// random lightness and a saturation that leans to full, so the text belongs
// to the picture. A line too big for the screen is not drawn.
class Text final : public Saver {
 public:
  // What the one step chose and did.
  struct Drawing {
    int size = 0;  // points
    int fontHeight = 0;
    std::string face;
    int weight = 0;
    bool italic = false;
    std::string text;
    bool drawn = false;
    int x = 0;  // left end of the baseline
    int y = 0;
    Pixel colour = 0;
  };

  explicit Text(CSceneWnd& scene);
  ~Text() override;
  const char* kindName() const override { return "Text"; }
  void describe(JsonLine& line) const override;

  const Texter& texter() const { return *texter_; }
  const Drawing& drawing() const { return drawing_; }

  // The font height asked for a size in points on a screen of `dpi` dots
  // per inch: negative, a character height.
  static int fontHeight(int dpi, int size);

 protected:
  void draw() override;

 private:
  void chooseFont();
  Pixel chooseColour();

  std::unique_ptr<Texter> texter_;
  Drawing drawing_;
};

}  // namespace warpix
