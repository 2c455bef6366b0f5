#include "platform/linux/XWindowImage.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <vector>

#include "platform/linux/XErrors.h"

namespace warpix {

namespace {

// A shared-memory put whose completion never comes (the server dropped it
// with an error) must not stop the pictures for good.
constexpr std::uint64_t kShmPatienceMs = 250;

std::uint64_t steadyMs() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// An 8-bit channel placed into the bits of `mask`, for visuals other than
// 8-8-8 (16-bit, 30-bit, or channels in another order).
unsigned long channelInto(std::uint32_t value, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const unsigned long scaled = bits <= 8 ? value >> (8 - bits) : static_cast<unsigned long>(value) << (bits - 8);
  return (scaled << shift) & mask;
}

}  // namespace

struct XWindowImage::State {
  Display* display = nullptr;
  Window window = 0;
  GC gc = nullptr;
  Visual* visual = nullptr;
  int depth = 0;
  XImage* image = nullptr;
  std::vector<char> buffer;  // the image's pixels without shared memory
  bool useShm = false;
  bool completions = false;
  bool lent = false;  // the segment is the owner's drawing surface
  XShmSegmentInfo shm{};
  bool shmAttached = false;
  int shmCompletion = -1;  // event type of a finished shared-memory put
  bool shmBusy = false;    // the server may still be reading the segment
  std::uint64_t shmSentMs = 0;
  bool direct = false;      // the image's pixels are 0x00RRGGBB words like ours
  std::uint32_t alpha = 0;  // bits to set opaque in a 32-bit window

  ~State() {
    release();
    if (gc != nullptr) XFreeGC(display, gc);
  }

  void release() {
    if (image != nullptr) {
      image->data = nullptr;  // ours, not Xlib's to free
      XDestroyImage(image);
      image = nullptr;
    }
    if (shmAttached) XShmDetach(display, &shm);
    if (shm.shmaddr != nullptr) shmdt(shm.shmaddr);
    shm = {};
    shmAttached = false;
    shmBusy = false;
    lent = false;
    buffer.clear();
  }

  bool attachShared(int width, int height) {
    image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &shm,
                            static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (image == nullptr) return false;
    shm.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image->bytes_per_line) * height, IPC_CREAT | 0600);
    if (shm.shmid < 0) return false;
    void* const at = shmat(shm.shmid, nullptr, 0);
    // Marked for removal at once: it goes when the last user detaches, even
    // when this process is killed.
    shmctl(shm.shmid, IPC_RMID, nullptr);
    if (at == reinterpret_cast<void*>(-1)) return false;
    shm.shmaddr = image->data = static_cast<char*>(at);
    shm.readOnly = False;
    // A server on another machine refuses the segment; that is learnt only
    // from the error, so the attach is waited for.
    const XErrors::Quiet quiet;
    const unsigned long before = XErrors::count();
    XShmAttach(display, &shm);
    XSync(display, False);
    shmAttached = XErrors::count() == before;
    return shmAttached;
  }
};

XWindowImage::XWindowImage(_XDisplay* display, unsigned long window, bool completions)
    : s_(std::make_unique<State>()) {
  State& s = *s_;
  s.display = display;
  s.window = window;
  s.completions = completions;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) == 0) return;
  s.visual = attributes.visual;
  s.depth = attributes.depth;
  s.gc = XCreateGC(display, window, 0, nullptr);
  s.useShm = XShmQueryExtension(display) == True;
  if (s.useShm) s.shmCompletion = XShmGetEventBase(display) + ShmCompletion;
}

XWindowImage::~XWindowImage() = default;

bool XWindowImage::make(int width, int height) {
  State& s = *s_;
  s.release();
  if (s.gc == nullptr) return false;
  if (s.useShm && !s.attachShared(width, height)) {
    s.release();
    s.useShm = false;
  }
  if (!s.useShm) {
    s.image = XCreateImage(s.display, s.visual, static_cast<unsigned>(s.depth), ZPixmap, 0, nullptr,
                           static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (s.image == nullptr) return false;
    s.buffer.resize(static_cast<std::size_t>(s.image->bytes_per_line) * height);
    s.image->data = s.buffer.data();
  }
  const XImage& i = *s.image;
  const bool hostOrder = (i.byte_order == LSBFirst) == (std::endian::native == std::endian::little);
  s.direct = i.bits_per_pixel == 32 && hostOrder && i.red_mask == 0xFF0000 && i.green_mask == 0xFF00 &&
             i.blue_mask == 0xFF;
  const unsigned long colour = i.red_mask | i.green_mask | i.blue_mask;
  s.alpha = s.depth == 32 ? static_cast<std::uint32_t>(~colour) : 0;
  return true;
}

bool XWindowImage::made() const { return s_->image != nullptr; }
int XWindowImage::width() const { return s_->image != nullptr ? s_->image->width : 0; }
int XWindowImage::height() const { return s_->image != nullptr ? s_->image->height : 0; }
bool XWindowImage::sharedMemory() const { return s_->useShm; }

Surface XWindowImage::drawingSurface(Surface picture, bool& borrowed) {
  State& s = *s_;
  borrowed = s.image != nullptr && s.direct && s.alpha == 0 && s.image->width == picture.width() &&
             s.image->height == picture.height() &&
             s.image->bytes_per_line == picture.width() * static_cast<int>(sizeof(Pixel));
  s.lent = borrowed;
  if (!borrowed) return picture;
  Surface drawn(picture.width(), picture.height(), reinterpret_cast<Pixel*>(s.image->data));
  drawn.copyFrom(picture);
  return drawn;
}

void XWindowImage::copyBox(const Surface& from, const Rect& box) {
  State& s = *s_;
  if (s.image == nullptr) return;
  XImage* const image = s.image;
  const int right = std::min({box.right, from.width(), image->width});
  const int bottom = std::min({box.bottom, from.height(), image->height});
  for (int y = std::max(box.top, 0); y < bottom; ++y) {
    const Pixel* src = from.row(y);
    if (s.direct) {
      auto* dst = reinterpret_cast<std::uint32_t*>(image->data + static_cast<std::size_t>(y) * image->bytes_per_line);
      for (int x = std::max(box.left, 0); x < right; ++x) dst[x] = (src[x] & 0xFFFFFFu) | s.alpha;
      continue;
    }
    for (int x = std::max(box.left, 0); x < right; ++x) {
      const std::uint32_t p = src[x];
      XPutPixel(image, x, y,
                channelInto((p >> 16) & 0xFF, image->red_mask) | channelInto((p >> 8) & 0xFF, image->green_mask) |
                    channelInto(p & 0xFF, image->blue_mask) | s.alpha);
    }
  }
}

void XWindowImage::put(const DirtyRegion& region) {
  State& s = *s_;
  if (s.image == nullptr || region.empty()) return;
  // Waiting until the server has read a segment that is drawn on all the
  // while protects nothing, and each completion would wake us once more.
  // One completion, for the last box, tells that the server read them all.
  const bool ask = s.useShm && s.completions && !s.lent;
  const Rect* const last = region.end() - 1;
  for (const Rect* box = region.begin(); box != region.end(); ++box) {
    const auto w = static_cast<unsigned>(box->width()), h = static_cast<unsigned>(box->height());
    if (s.useShm)
      XShmPutImage(s.display, s.window, s.gc, s.image, box->left, box->top, box->left, box->top, w, h,
                   ask && box == last ? True : False);
    else
      XPutImage(s.display, s.window, s.gc, s.image, box->left, box->top, box->left, box->top, w, h);
  }
  if (s.useShm) {
    s.shmBusy = ask;
    s.shmSentMs = steadyMs();
  }
  XFlush(s.display);
}

bool XWindowImage::takeCompletion(const _XEvent& e) {
  State& s = *s_;
  if (s.shmCompletion < 0 || e.type != s.shmCompletion) return false;
  // A late answer to a segment already replaced must not free the new one.
  if (reinterpret_cast<const XShmCompletionEvent&>(e).shmseg == s.shm.shmseg) s.shmBusy = false;
  return true;
}

bool XWindowImage::busy(std::uint64_t nowMs) const {
  return s_->shmBusy && nowMs - s_->shmSentMs < kShmPatienceMs;
}

}  // namespace warpix
