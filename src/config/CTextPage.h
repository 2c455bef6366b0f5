#pragma once

#include "config/CSliderPage.h"

namespace warpix {

// The "Text" page: how often the user's messages and the date and time are
// written over the picture.
class CTextPage final : public CSliderPage {
 public:
  CTextPage(RegSettings& settings, DialogServices& services);
};

}  // namespace warpix
