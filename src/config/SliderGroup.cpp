#include "config/SliderGroup.h"

#include <cmath>

namespace warpix {

SliderGroup::SliderGroup(std::span<const SliderDef> defs) {
  for (std::size_t i = 0; i < defs.size(); ++i) {
    const SliderDef& def = defs[i];
    auto row = std::make_unique<Gtk::Grid>();
    row->set_column_spacing(6);
    auto label = std::make_unique<Gtk::Label>(def.label, Gtk::ALIGN_START, Gtk::ALIGN_CENTER, true);
    auto scale = std::make_unique<Gtk::Scale>(
        Gtk::Adjustment::create(def.lo(), def.lo(), def.hi(), 1, def.tick, 0), Gtk::ORIENTATION_HORIZONTAL);
    scale->set_draw_value(false);
    scale->set_size_request(150, -1);
    scale->set_hexpand(true);
    scale->set_name(std::string(def.key));
    for (std::int32_t v = def.lo(); v <= def.hi(); v += def.tick) scale->add_mark(v, Gtk::POS_BOTTOM, "");
    if (*def.tip != '\0') scale->set_tooltip_text(def.tip);
    label->set_mnemonic_widget(*scale);
    auto end = Gtk::make_managed<Gtk::Label>(def.endText, Gtk::ALIGN_START, Gtk::ALIGN_START);
    end->get_style_context()->add_class("dim-label");
    row->attach(*label, 0, 0, 2, 1);
    row->attach(*scale, 0, 1, 1, 1);
    row->attach(*end, 1, 1, 1, 1);
    scale->signal_value_changed().connect([this, i] {
      if (rules_ != nullptr && !refreshing_)
        rules_->set(i, static_cast<std::int32_t>(std::lround(scales_[i]->get_value())));
    });
    rows_.push_back(std::move(row));
    labels_.push_back(std::move(label));
    scales_.push_back(std::move(scale));
  }
}

void SliderGroup::bind(SliderRules& rules) {
  rules_ = &rules;
  refresh();
}

void SliderGroup::refresh() {
  if (rules_ == nullptr) return;
  refreshing_ = true;
  for (std::size_t i = 0; i < scales_.size(); ++i) scales_[i]->set_value(rules_->value(i));
  refreshing_ = false;
}

}  // namespace warpix
