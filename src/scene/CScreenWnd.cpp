#include "scene/CScreenWnd.h"

#include <cstdlib>
#include <string>

#include "app/Trace.h"
#include "scene/Program.h"
#include "scene/Operation.h"

namespace warpix {

using Kind = ScreenBackend::InputEvent::Kind;

CScreenWnd::CScreenWnd(Program& program, ScreenBackend& screen, const OperationCatalog& operations, bool ownsInput)
    : CSceneWnd(program, screen, operations), screen_(screen), ownsInput_(ownsInput) {}

CScreenWnd::~CScreenWnd() = default;

bool CScreenWnd::open() {
  if (!onCreate()) return false;
  Trace& trace = program().trace;
  if (trace.on()) {
    for (const Rect& m : monitors()) {
      trace.traceLine(traceSite("ScreenWnd", 414, " : lprcMonitor->left = ") + std::to_string(m.left));
      trace.traceLine(traceSite("ScreenWnd", 415, " : lprcMonitor->top = ") + std::to_string(m.top));
      trace.traceLine(traceSite("ScreenWnd", 416, " : lprcMonitor->right = ") + std::to_string(m.right));
      trace.traceLine(traceSite("ScreenWnd", 417, " : lprcMonitor->bottom = ") + std::to_string(m.bottom));
    }
  }
  return true;
}

void CScreenWnd::run() {
  while (pumpOnce()) {
  }
}

bool CScreenWnd::pumpOnce() {
  if (destroyed_) return false;
  for (auto e = screen_.nextEvent(); e.kind != Kind::None; e = screen_.nextEvent()) {
    handle(e);
    if (closePosted_ || quitPosted_) break;
  }
  if (closePosted_ || quitPosted_) {
    destroy();
    return false;
  }
  if (invalidated()) {
    if (!screen_.eventWaiting()) {
      onPaint();
      screen_.present();
    }
    return true;
  }
  // Nothing to paint (blanked, or a close was refused mid-check): show the
  // last changes and sleep until something happens.
  screen_.present();
  screen_.waitForEvent(kIdleWaitMs);
  return true;
}

void CScreenWnd::handle(const ScreenBackend::InputEvent& event) {
  switch (event.kind) {
    case Kind::Quit:
      quitPosted_ = true;
      return;
    case Kind::Resize:
      onResize(event.width, event.height);
      return;
    default:
      break;
  }
  if (!ownsInput_) return;
  switch (event.kind) {
    case Kind::Key:
    case Kind::Button:
    case Kind::FocusLost:
      if (mayClose()) closePosted_ = true;
      break;
    case Kind::Motion:
      onMouseMove(event.x, event.y);
      break;
    default:
      break;
  }
}

void CScreenWnd::onMouseMove(int x, int y) {
  if (checking_ != 0 || closing_ != 0) return;
  const bool seen = mouseReference_ != Point{-1, -1};
  if (seen && std::abs(mouseReference_.x - x) <= kMouseSlack && std::abs(mouseReference_.y - y) <= kMouseSlack)
    return;
  if (seen && mayClose()) closePosted_ = true;
  mouseReference_ = {x, y};
}

bool CScreenWnd::mayClose() {
  if (checking_ != 0 || closing_ != 0) return false;
  checking_ = 1;
  Operation* op = currentOperation();
  if (op != nullptr) op->requestStop(true);
  const bool answer = passwordCheck_ ? passwordCheck_() : true;
  // The check may have run a dialog long enough for the operation to be
  // replaced; look it up again.
  op = currentOperation();
  if (answer) {
    closing_ = 1;
  } else {
    if (op != nullptr) op->requestStop(false);
    closing_ = 0;
    invalidate();
  }
  checking_ = 0;
  return answer;
}

void CScreenWnd::onResize(int width, int height) {
  onSize(width, height);
  // The running operation measured the old screen and would draw outside
  // the new one: it ends here, and the next step starts one that fits.
  if (Operation* op = currentOperation()) op->setFinished(true);
  invalidate();
}

void CScreenWnd::destroy() {
  // The quit is posted first; then the scene stops its operation.
  destroyed_ = true;
  // What the user sees goes before the scene is taken down, which hands
  // back memory that takes a while to free.
  screen_.hide();
  onDestroy();
}

}  // namespace warpix
