#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace warpix {

// The two places the settings live: the profile (numbers and short texts of
// the group "Config") and the list file (sections of keys holding the image
// folders and the web sites). A missing or unreadable value reads as the
// fallback the caller gives; a failed write returns false and changes nothing.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // Profile, group "Config". Numbers are 32-bit signed; a stored value that
  // is not a number in that range reads as the fallback.
  virtual std::int32_t readNumber(std::string_view key, std::int32_t fallback) const = 0;
  virtual std::string readText(std::string_view key, std::string_view fallback) const = 0;
  virtual bool writeNumber(std::string_view key, std::int32_t value) = 0;
  virtual bool writeText(std::string_view key, std::string_view value) = 0;

  // List file. Texts are cut to at most maxChars characters.
  virtual std::string readIni(std::string_view section, std::string_view key, std::size_t maxChars) const = 0;
  // The keys present in a section, in file order (empty when there is none).
  virtual std::vector<std::string> iniKeys(std::string_view section) const = 0;
  virtual bool writeIni(std::string_view section, std::string_view key, std::string_view value) = 0;
  virtual bool deleteIniSection(std::string_view section) = 0;

  // Writes made between beginBatch() and endBatch() reach the files together
  // at the outermost endBatch(); use ProfileBatch rather than calling these.
  // endBatch() returns false when a file could not be written.
  virtual void beginBatch() = 0;
  virtual bool endBatch() = 0;

  // Where things live, for the user's eyes: the folder, the two files, and
  // one line for every file that exists but could not be read (such a file
  // is never written over).
  virtual std::string folder() const = 0;
  virtual std::string profilePath() const = 0;
  virtual std::string iniPath() const = 0;
  virtual std::vector<std::string> problems() const = 0;
};

// Groups the writes of one save into one replacement of each file.
class ProfileBatch {
 public:
  explicit ProfileBatch(ProfileStore& store) : store_(store) { store_.beginBatch(); }
  ~ProfileBatch() { store_.endBatch(); }
  ProfileBatch(const ProfileBatch&) = delete;
  ProfileBatch& operator=(const ProfileBatch&) = delete;

 private:
  ProfileStore& store_;
};

}  // namespace warpix
