#include "effects/Text.h"

#include "effects/TexterMessage.h"
#include "effects/TexterTime.h"
#include "platform/Font.h"
#include "raster/ColorHSL.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {
constexpr int kSmallestSize = 8;
constexpr int kSizeChoices = 29;  // 8 to 36 points
constexpr int kNormal = 400;
constexpr int kBold = 700;
}  // namespace

Text::Text(CSceneWnd& scene_) : Saver(scene_) {
  Program& program = scene_.program();
  if (program.settings.texts().pick(random) == 1)
    texter_ = std::make_unique<TexterMessage>(random, program.settings);
  else
    texter_ = std::make_unique<TexterTime>(random, program.clock);
}

Text::~Text() = default;

void Text::describe(JsonLine& line) const { line.add("texter", texter_->name()); }

int Text::fontHeight(int dpi, int size) {
  // Sixty, not seventy-two: text comes out a fifth larger than its point
  // size, big enough to read from across the room.
  return -((dpi * size) / 60);
}

void Text::chooseFont() {
  drawing_.size = random.below(kSizeChoices) + kSmallestSize;
  drawing_.fontHeight = fontHeight(scene->verticalDpi(), drawing_.size);
  drawing_.face = random.coin() == 1 ? "Times New Roman" : "Arial";
  drawing_.weight = random.coin() == 1 ? kNormal : kBold;
  drawing_.italic = random.coin() == 1;
}

Pixel Text::chooseColour() {
  const int row = random.below(scene->height());
  const int column = random.below(scene->width());
  const ColorRGB sampled =
      ColorRGB::fromScreen(colorRefFromPixel(scene->surface().pixel(column, row)), scene->trueColour());
  ColorHSL hsl(sampled, &scene->palette());
  if (random.uniform() < 0.5f) hsl.contrastHue();
  hsl.setLightness(random.uniform());
  const float u1 = random.uniform();
  const float u2 = random.uniform();
  const float u3 = random.uniform();
  hsl.setSaturation(1.0f - u3 * u2 * u1);
  return pixelFromColorRef(hsl.toRGB(scene->trueColour()).value());
}

void Text::draw() {
  setFinished(true);
  chooseFont();
  const Font font(drawing_.face, drawing_.fontHeight, drawing_.weight, drawing_.italic);
  if (!font.valid()) return;
  drawing_.text = texter_->getText();
  const TextExtent extent = font.measure(drawing_.text);
  const int w = scene->width(), h = scene->height();
  if (w < extent.width || h < extent.height) return;
  drawing_.x = random.below(w - extent.width);
  // The baseline, low enough for the tallest letters to stay on the screen.
  drawing_.y = random.below(h - extent.height) + extent.height;
  drawing_.colour = chooseColour();
  scene->surface().drawText(font, drawing_.x, drawing_.y - extent.ascent, drawing_.text, drawing_.colour);
  drawing_.drawn = true;
}

}  // namespace warpix
