#pragma once

#include <array>

#include "config/ConfigPage.h"
#include "settings/RegSettings.h"

namespace warpix {

// The "Messages" page: the nine texts the saver writes over the picture.
class CMessagesPage final : public ConfigPage {
 public:
  CMessagesPage(RegSettings& settings, DialogServices& services);

  void apply() override;

 protected:
  void fill() override;

 private:
  RegSettings& settings_;
  std::array<Gtk::Entry, RegSettings::kMessageCount> entries_;
};

}  // namespace warpix
