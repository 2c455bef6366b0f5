#include "effects/PictureFrame.h"

#include <algorithm>

#include "app/Random.h"
#include "raster/ColorRGB.h"
#include "scene/CSceneWnd.h"

namespace warpix::PictureFrame {

namespace {
int leaning(Random& random, int n, int k) {
  const int v = random.skewed(n, k);
  // Leaning to the far side of an area with no room left would give -1:
  // with no room the picture lies at the area's corner.
  return n >= 0 ? std::max(0, v) : v;
}
}  // namespace

Point offset(int mode, int dx, int dy, Random& random) {
  Point p;
  switch (mode) {
    case 0: return {dx / 2, dy / 2};
    case 1: p.x = leaning(random, dx, 4); p.y = leaning(random, dy, 4); break;
    case 2: p.x = leaning(random, dx, -4); p.y = leaning(random, dy, 4); break;
    case 3: p.x = leaning(random, dx, -4); p.y = leaning(random, dy, -4); break;
    default: p.x = leaning(random, dx, 4); p.y = leaning(random, dy, -4); break;
  }
  return p;
}

Point place(CSceneWnd& scene, Random& random, int shownWidth, int shownHeight) {
  const Rect area = scene.randomMonitor();
  std::int32_t& counter = scene.placementCounter();
  const Point o = offset(counter % 5, area.width() - shownWidth, area.height() - shownHeight, random);
  ++counter;
  return {area.left + o.x, area.top + o.y};
}

void frame(CSceneWnd& scene, Random& random, Point at, int width, int height, int shownWidth, int shownHeight) {
  Surface& screen = scene.surface();
  const int row = at.y + random.below(height);
  const int column = at.x + random.below(width);
  const ColorRGB colour = ColorRGB::fromScreen(colorRefFromPixel(screen.pixel(column, row)), scene.trueColour());
  const int left = at.x - 2, top = at.y - 2, right = at.x + shownWidth + 2, bottom = at.y + shownHeight + 2;
  screen.polyline({{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}},
                  pixelFromColorRef(colour.value()), kPen, false);
}

}  // namespace warpix::PictureFrame
