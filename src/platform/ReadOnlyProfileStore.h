#pragma once

#include "platform/ProfileStore.h"

namespace warpix {

// Another store seen through a window that only reads: every value comes
// from the store behind it and every write is refused (false, nothing
// changes), so a run that only looks at the settings leaves no trace on
// disk, not even a folder.
class ReadOnlyProfileStore final : public ProfileStore {
 public:
  explicit ReadOnlyProfileStore(const ProfileStore& store) : store_(store) {}

  std::int32_t readNumber(std::string_view key, std::int32_t fallback) const override {
    return store_.readNumber(key, fallback);
  }
  std::string readText(std::string_view key, std::string_view fallback) const override {
    return store_.readText(key, fallback);
  }
  bool writeNumber(std::string_view, std::int32_t) override { return false; }
  bool writeText(std::string_view, std::string_view) override { return false; }

  std::string readIni(std::string_view section, std::string_view key, std::size_t maxChars) const override {
    return store_.readIni(section, key, maxChars);
  }
  std::vector<std::string> iniKeys(std::string_view section) const override { return store_.iniKeys(section); }
  bool writeIni(std::string_view, std::string_view, std::string_view) override { return false; }
  bool deleteIniSection(std::string_view) override { return false; }

  void beginBatch() override {}
  bool endBatch() override { return true; }

  std::string folder() const override { return store_.folder(); }
  std::string profilePath() const override { return store_.profilePath(); }
  std::string iniPath() const override { return store_.iniPath(); }
  std::vector<std::string> problems() const override { return store_.problems(); }

 private:
  const ProfileStore& store_;
};

}  // namespace warpix
