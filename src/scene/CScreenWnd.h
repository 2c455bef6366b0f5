#pragma once

#include <cstdint>
#include <functional>

#include "platform/ScreenBackend.h"
#include "scene/CSceneWnd.h"

namespace warpix {

// The full-screen saver: a scene over the whole virtual screen that adds the
// rules ending it. A key, a mouse button, a mouse movement of more than 20
// pixels from where the pointer was first seen, or the loss of focus asks
// mayClose(); a granted close ends the message loop.
//
// In a window that another program owns (an XScreenSaver hack), input is
// that program's business: only resizes and the request to quit count.
class CScreenWnd final : public CSceneWnd {
 public:
  static constexpr int kMouseSlack = 20;
  // Idle wait of the loop when no paint is asked for (blanked or stopped).
  static constexpr std::uint32_t kIdleWaitMs = 1000;

  // Answers whether the saver may close; shows its own dialog if it has one.
  using PasswordCheck = std::function<bool()>;

  CScreenWnd(Program& program, ScreenBackend& screen, const OperationCatalog& operations, bool ownsInput = true);
  ~CScreenWnd() override;

  // Takes the monitor rectangles from the screen and creates the scene.
  bool open();
  // The message loop: runs until the window is closed or a quit arrives.
  void run();
  // One turn of the loop: handles what waits, else paints one step and
  // presents. False once the window is gone.
  bool pumpOnce();

  bool mayClose();
  void handle(const ScreenBackend::InputEvent& event);

  // There is no system password service on Linux: without a check every
  // close is granted.
  void setPasswordCheck(PasswordCheck check) { passwordCheck_ = std::move(check); }

  bool closePosted() const { return closePosted_; }
  bool destroyed() const { return destroyed_; }
  Point mouseReference() const { return mouseReference_; }

 private:
  void onMouseMove(int x, int y);
  void onResize(int width, int height);
  void destroy();

  ScreenBackend& screen_;
  bool ownsInput_;
  Point mouseReference_{-1, -1};
  std::int32_t checking_ = 0;
  std::int32_t closing_ = 0;
  bool closePosted_ = false;
  bool quitPosted_ = false;
  bool destroyed_ = false;
  PasswordCheck passwordCheck_;
};

}  // namespace warpix
