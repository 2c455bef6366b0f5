#pragma once

#include <pango/pangocairo.h>

#include <memory>
#include <string>

#include "platform/Font.h"

namespace warpix {

struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectRef = std::unique_ptr<T, GObjectUnref>;

// What a Font holds: a reference to its thread's context (fixed rendering
// options, shared by the thread's fonts and never changed) and a layout of
// its own. Measuring and drawing go through the same layout, so the drawn
// text always has the measured size.
struct Font::Impl {
  GObjectRef<PangoContext> context;
  GObjectRef<PangoLayout> layout;
  std::string family;
  int characterHeight = 0;

  // The layout holding `utf8`, ready to measure or draw.
  PangoLayout* layoutFor(const std::string& utf8) const;
};

}  // namespace warpix
