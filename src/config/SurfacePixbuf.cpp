#include "config/SurfacePixbuf.h"

namespace warpix {

Glib::RefPtr<Gdk::Pixbuf> surfacePixbuf(const Surface& surface) {
  auto pixbuf = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, surface.width(), surface.height());
  guint8* pixels = pixbuf->get_pixels();
  const int stride = pixbuf->get_rowstride();
  for (int y = 0; y < surface.height(); ++y) {
    const Pixel* row = surface.row(y);
    guint8* out = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < surface.width(); ++x) {
      *out++ = static_cast<guint8>(pixelRed(row[x]));
      *out++ = static_cast<guint8>(pixelGreen(row[x]));
      *out++ = static_cast<guint8>(pixelBlue(row[x]));
    }
  }
  return pixbuf;
}

}  // namespace warpix
