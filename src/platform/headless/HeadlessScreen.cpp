#include "platform/headless/HeadlessScreen.h"

#include <algorithm>

namespace warpix {

HeadlessScreen::HeadlessScreen(int width, int height, int monitorCount, int bitsPerPixel)
    : surface_(width, height), bitsPerPixel_(bitsPerPixel) {
  monitorCount = std::clamp(monitorCount, 1, std::max(1, width));
  // Equal shares; the last monitor takes what the division leaves over.
  const int share = width / monitorCount;
  for (int i = 0; i < monitorCount; ++i) {
    const int left = i * share;
    const int right = i + 1 == monitorCount ? width : left + share;
    monitors_.push_back({left, 0, right, height});
  }
}

void HeadlessScreen::present() {
  ++presents_;
  const DirtyRegion shown = surface_.takeDirty();
  if (presented_.empty()) return;
  const auto w = static_cast<std::size_t>(surface_.width());
  for (const Rect& box : shown)
    for (int y = box.top; y < box.bottom; ++y) {
      const auto from = presented_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * w + box.left);
      std::fill(from, from + box.width(), true);
    }
}

void HeadlessScreen::resetPresented() {
  presents_ = 0;
  presented_.assign(static_cast<std::size_t>(surface_.width()) * surface_.height(), false);
}

ScreenBackend::InputEvent HeadlessScreen::nextEvent() {
  if (events_.empty()) return {};
  InputEvent e = events_.front();
  events_.pop_front();
  return e;
}

}  // namespace warpix
