#pragma once

#include <gdkmm/pixbuf.h>

#include "platform/Surface.h"

namespace warpix {

// A copy of a surface's pixels that GTK can show.
Glib::RefPtr<Gdk::Pixbuf> surfacePixbuf(const Surface& surface);

}  // namespace warpix
