#pragma once

#include <glib.h>

#include <memory>
#include <string>

#include "platform/ProfileStore.h"

namespace warpix {

// Settings in two GLib key files in one folder: the profile
// "photo-warpix.conf" (group "Config") and the list file "Warpix.ini".
//
// Every save reads the file afresh, applies its changes and replaces the
// file atomically, so a saver and a settings dialog running at the same time
// do not undo each other's keys. A file that exists but cannot be read or
// parsed reads as empty (so every value is its default) and is never written
// over: writing would throw away whatever the user still had in it, so the
// writes to it fail until the user repairs or removes it; problems() says so.
class KeyFileStore final : public ProfileStore {
 public:
  static constexpr const char* kProfileName = "photo-warpix.conf";
  static constexpr const char* kIniName = "Warpix.ini";
  static constexpr const char* kProfileGroup = "Config";

  // `folder` is created on the first write when it does not exist.
  explicit KeyFileStore(std::string folder);
  ~KeyFileStore() override;
  KeyFileStore(const KeyFileStore&) = delete;
  KeyFileStore& operator=(const KeyFileStore&) = delete;

  // $XDG_CONFIG_HOME/tendrel.
  static std::string defaultFolder();

  std::int32_t readNumber(std::string_view key, std::int32_t fallback) const override;
  std::string readText(std::string_view key, std::string_view fallback) const override;
  bool writeNumber(std::string_view key, std::int32_t value) override;
  bool writeText(std::string_view key, std::string_view value) override;

  std::string readIni(std::string_view section, std::string_view key, std::size_t maxChars) const override;
  std::vector<std::string> iniKeys(std::string_view section) const override;
  bool writeIni(std::string_view section, std::string_view key, std::string_view value) override;
  bool deleteIniSection(std::string_view section) override;

  void beginBatch() override;
  bool endBatch() override;

  std::string folder() const override { return folder_; }
  std::string profilePath() const override { return profile_.path; }
  std::string iniPath() const override { return ini_.path; }
  std::vector<std::string> problems() const override;

 private:
  struct KeyFileFree {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
  };
  using KeyFilePtr = std::unique_ptr<GKeyFile, KeyFileFree>;

  struct File {
    std::string path;
    KeyFilePtr current;  // what reads see
    KeyFilePtr pending;  // the fresh copy that a batch changes
    bool damaged = false;
    bool writeFailed = false;
    std::string problem;
  };

  // Loads `file.path`; a missing file gives an empty key file, an unreadable
  // one gives nullptr and the reason in `problem`.
  static KeyFilePtr load(const std::string& path, std::string& problem);
  static std::string readString(const File& file, std::string_view group, std::string_view key, bool& found);
  GKeyFile* editable(File& file);
  bool flush(File& file);
  template <typename Change>
  bool change(File& file, Change&& apply);

  std::string folder_;
  File profile_;
  File ini_;
  int batchDepth_ = 0;
};

}  // namespace warpix
