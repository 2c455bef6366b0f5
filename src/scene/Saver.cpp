#include "scene/Saver.h"

#include "platform/Clock.h"
#include "platform/EventSource.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "settings/RegSettings.h"

namespace warpix {

Saver::Saver(CSceneWnd& scene_)
    : scene(&scene_), random(scene_.program().random.next()), pacingTimer(scene_.program().clock) {
  // The order of these draws is part of what one seed reproduces.
  penColour = ColorRGB::fromEntry(random.below(scene_.paletteSize()), scene_.palette(), scene_.trueColour());
  paletteIndex = random.below(scene_.paletteSize());
  paletteSize = scene_.paletteSize();
  createdClock = startClock = scene_.program().clock.processMs();
  width = scene_.width();
  height = scene_.height();
  pacingTimer.setInterval(kPacingMs);
}

Saver::~Saver() = default;

void Saver::describe(JsonLine&) const {}

void Saver::run() {
  if (stopRequested()) return;
  Program& program = scene->program();
  teTimer& delay = scene->delayTimer();
  if (program.settings.delayBetweenDrawings() != 0 && delay.interval() > 0) {
    // The pause before this operation; input cuts it short and the next
    // step resumes it, since the interval stays set until it has run out.
    while (canContinue()) {
      if (delay.expired(true, &scene->events())) {
        delay.setInterval(0);
        break;
      }
      program.clock.waitForEvent(scene->events(), 1000);
    }
  }
  if (canContinue() && !stopRequested()) draw();
  markWritten();
  if (!isFinished()) return;
  delay.setInterval(static_cast<std::int64_t>(program.settings.delayBetweenDrawings()) * 1000);
}

bool Saver::canContinue() { return !stopRequested() && !scene->events().eventWaiting(); }

bool Saver::pace() {
  while (canContinue()) {
    if (pacingTimer.expired(true, &scene->events())) return true;
  }
  return false;
}

bool Saver::isFinished() {
  if (finished_ || stopRequested()) return true;
  const std::uint32_t now = scene->program().clock.processMs();
  return static_cast<std::int64_t>(now - startClock) > timeLimitMs;
}

void Saver::markWritten() {
  if (!written_.empty()) scene->surface().markDirty(written_);
  written_.clear();
}

bool Saver::checkAndPace() {
  // What the operation drew since the last check reaches the monitor now
  // (the screen keeps to its refresh rate), so a pass is seen as it sweeps.
  markWritten();
  scene->present();
  if (!canContinue()) return false;
  pace();
  return true;
}

}  // namespace warpix
