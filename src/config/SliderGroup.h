#pragma once

#include <gtkmm.h>

#include <memory>
#include <vector>

#include "config/SliderRules.h"

namespace warpix {

// The GTK sliders of one page, each a label over a scale with its end text,
// bound to the page's SliderRules: moving a scale moves the rule's value,
// refresh() shows the rule's values (after a reset).
class SliderGroup {
 public:
  explicit SliderGroup(std::span<const SliderDef> defs);

  // The label, scale and end text of slider `index`, for the page to place.
  Gtk::Widget& row(std::size_t index) { return *rows_.at(index); }
  Gtk::Scale& scale(std::size_t index) { return *scales_.at(index); }
  void bind(SliderRules& rules);
  void refresh();

 private:
  std::vector<std::unique_ptr<Gtk::Grid>> rows_;
  std::vector<std::unique_ptr<Gtk::Label>> labels_;
  std::vector<std::unique_ptr<Gtk::Scale>> scales_;
  SliderRules* rules_ = nullptr;
  bool refreshing_ = false;
};

}  // namespace warpix
