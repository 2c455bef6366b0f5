#pragma once

#include <memory>

#include "platform/TempFolder.h"
#include "platform/linux/KeyFileStore.h"
#include "settings/FakeShell.h"
#include "settings/RegSettings.h"

namespace warpix::testing {

// A settings record over real key files in a temporary folder, loaded the
// way the dialog gets it; reload() reads what was saved into a fresh one.
class ConfigFixture {
 public:
  ConfigFixture() { reload(); }

  RegSettings& settings() { return *settings_; }
  RegSettings& reload() {
    settings_.reset();
    store_ = std::make_unique<KeyFileStore>(dir_.str());
    settings_ = std::make_unique<RegSettings>(*store_, shell_);
    settings_->load(false);
    return *settings_;
  }
  TempFolder& dir() { return dir_; }
  KeyFileStore& store() { return *store_; }

 private:
  TempFolder dir_;
  FakeShell shell_;
  std::unique_ptr<KeyFileStore> store_;
  std::unique_ptr<RegSettings> settings_;
};

}  // namespace warpix::testing
