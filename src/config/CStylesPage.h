#pragma once

#include "config/CSliderPage.h"

namespace warpix {

// The "Distortions" page: the weight of each style of distortion, each
// slider beside a picture of its style drawn by the distortions themselves.
class CStylesPage final : public CSliderPage {
 public:
  CStylesPage(RegSettings& settings, DialogServices& services);
};

}  // namespace warpix
