#include "config/SliderDef.h"

#include "settings/RegSettings.h"

namespace warpix {

std::int32_t SliderDef::lo() const {
  const RegSettings::Field* field = RegSettings::findField(key);
  return field != nullptr ? field->lo : 0;
}

std::int32_t SliderDef::hi() const {
  const RegSettings::Field* field = RegSettings::findField(key);
  return field != nullptr ? field->hi : 0;
}

std::span<const SliderDef> generalSliders() {
  static constexpr SliderDef kSliders[] = {
      {"DoImage", "_Show image:", "More", 10, 30,
       "How often to display a new JPEG, PNG or bitmap image from your specified folders"},
      {"DoSurf", "Show _web images when on-line:", "More", 10, 100,
       "How often to display a new JPEG or PNG image from a web site if on-line"},
      {"DoBlur", "_Blur:", "More", 10, 8, "Blurs the screen - can be slow"},
      {"DoMangle", "D_istort:", "More", 10, 75,
       "How often to distort the image using the effects shown on the Styles page"},
      {"DoText", "Show _text:", "More", 10, 30, "How often to display a text message"},
      {"DoRepaint", "Use brush stro_kes:", "More", 10, 5,
       "Redraw the image using brush strokes, giving a painted appearance"},
      {"UseTransparency", "Use trans_parency:", "More", 10, 10, "Leaves a faint impression of the previous image"},
      {"DelayBetweenDrawings", "_Delay between drawings:", "One minute", 10, 0, ""},
  };
  return kSliders;
}

std::span<const SliderDef> styleSliders() {
  static constexpr SliderDef kSliders[] = {
      {"StyleDistort", "_Distort size:", "More", 10, 80,
       "Distorts the size of the image, as if in a House of Mirrors"},
      {"StyleSwirl", "_Swirl:", "More", 10, 20, "Swirls the image around the screen"},
      // This label has no mnemonic.
      {"StyleWavy", "Wavy:", "More", 10, 80, "Gives the images a marbled, wavy appearance"},
      {"StyleFuzzy", "_Fuzzy:", "More", 10, 5, "Gives the images a speckled appearance"},
      {"StyleFlipLR", "Flip _left to right:", "More", 10, 1, "Flips the screen left-to-right"},
      {"StyleFlipTB", "Flip _upside-down:", "More", 10, 1, "Turns the screen upside-down"},
  };
  return kSliders;
}

std::span<const SliderDef> textSliders() {
  static constexpr SliderDef kSliders[] = {
      {"TextMessages", "_Your own messages:", "More", 10, 40, "Shows the messages you have entered on the next page"},
      {"TextDateTime", "_Date & Time:", "More", 10, 80, "Shows the current date and time"},
  };
  return kSliders;
}

const SliderDef& imagePeriodSlider() {
  static constexpr SliderDef kSlider{"ImagePeriod", kMinimumPeriodLabel, "5 minutes", 60, 30, kMinimumPeriodTip};
  return kSlider;
}

const SliderDef& webPeriodSlider() {
  static constexpr SliderDef kSlider{"WebSitePeriod", kMinimumPeriodLabel, "5 minutes", 60, 0, kMinimumPeriodTip};
  return kSlider;
}

}  // namespace warpix
