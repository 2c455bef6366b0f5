#pragma once

#include "scene/Saver.h"

namespace warpix {

// Stands in for an operation kind whose effect is not in the program yet:
// it is created like any operation (so the run's random draws stay in
// step) and finishes at its first step without drawing.
class PendingEffect final : public Saver {
 public:
  PendingEffect(CSceneWnd& scene, const char* name) : Saver(scene), name_(name) {}
  const char* kindName() const override { return name_; }

 protected:
  void draw() override { setFinished(true); }

 private:
  const char* name_;
};

}  // namespace warpix
