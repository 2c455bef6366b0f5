#include "platform/linux/KeyFileStore.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

namespace warpix {

namespace {

struct CharsFree {
  void operator()(gchar* text) const { g_free(text); }
};
using CharsPtr = std::unique_ptr<gchar, CharsFree>;

struct StrvFree {
  void operator()(gchar** list) const { g_strfreev(list); }
};

std::string joinPath(const std::string& folder, const char* name) {
  CharsPtr path(g_build_filename(folder.c_str(), name, nullptr));
  return path.get();
}

// Decimal, optional sign, blanks around allowed, nothing else.
bool parseInt32(const char* text, std::int32_t& out) {
  while (g_ascii_isspace(*text)) ++text;
  if (*text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text, &end, 10);
  if (errno != 0 || end == text) return false;
  while (g_ascii_isspace(*end)) ++end;
  if (*end != '\0') return false;
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
    return false;
  }
  out = static_cast<std::int32_t>(value);
  return true;
}

std::string cutToChars(std::string text, std::size_t maxChars) {
  // A file name in a legacy encoding has no characters to count: cut bytes.
  if (!g_utf8_validate(text.c_str(), static_cast<gssize>(text.size()), nullptr)) {
    if (text.size() > maxChars) text.resize(maxChars);
    return text;
  }
  if (static_cast<std::size_t>(g_utf8_strlen(text.c_str(), -1)) <= maxChars) return text;
  const char* end = g_utf8_offset_to_pointer(text.c_str(), static_cast<glong>(maxChars));
  text.resize(static_cast<std::size_t>(end - text.c_str()));
  return text;
}

// GKeyFile's own escapes, for the values it refuses to return as strings
// because they are not UTF-8 (folder names in a legacy encoding).
std::string unescape(const char* raw) {
  std::string out;
  for (const char* c = raw; *c != '\0'; ++c) {
    if (*c != '\\' || c[1] == '\0') {
      out += *c;
      continue;
    }
    switch (*++c) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default:
        out += '\\';
        out += *c;
    }
  }
  return out;
}

// The whole file; nullopt, with errno saying why, when it cannot be read.
std::optional<std::string> readWhole(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string data;
  char buffer[16384];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int cause = errno;
      ::close(fd);
      errno = cause;
      return std::nullopt;
    }
    if (got == 0) break;
    data.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return data;
}

bool parse(GKeyFile* file, std::string_view data) {
  const auto flags = static_cast<GKeyFileFlags>(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS);
  return g_key_file_load_from_data(file, data.data(), data.size(), flags, nullptr);
}

// The number of the line a parse fails at. GLib says what is wrong only by
// quoting the line, which may be anything at all, so the line is found
// here instead: parsing goes line by line and stops at the first bad one,
// so the first lines parse exactly when they end before it.
std::size_t firstBadLine(std::string_view data) {
  std::vector<std::size_t> ends;  // just past each line
  for (std::size_t at = 0; at < data.size();) {
    const std::size_t newline = data.find('\n', at);
    at = newline == std::string_view::npos ? data.size() : newline + 1;
    ends.push_back(at);
  }
  std::size_t good = 0;
  std::size_t bad = ends.size();
  while (bad - good > 1) {
    const std::size_t middle = good + (bad - good) / 2;
    const std::unique_ptr<GKeyFile, void (*)(GKeyFile*)> trial(g_key_file_new(), g_key_file_free);
    (parse(trial.get(), data.substr(0, ends[middle - 1])) ? good : bad) = middle;
  }
  return bad;
}

constexpr const char* kNotWrittenOver = "; its settings read as defaults and it will not be overwritten";

}  // namespace

KeyFileStore::KeyFileStore(std::string folder) : folder_(std::move(folder)) {
  profile_.path = joinPath(folder_, kProfileName);
  ini_.path = joinPath(folder_, kIniName);
  for (File* file : {&profile_, &ini_}) {
    file->current = load(file->path, file->problem);
    if (!file->current) {
      file->damaged = true;
      file->current.reset(g_key_file_new());
    }
  }
}

KeyFileStore::~KeyFileStore() {
  // A batch left open by an exception still lands what it changed.
  if (batchDepth_ > 0) {
    batchDepth_ = 1;
    endBatch();
  }
}

std::string KeyFileStore::defaultFolder() { return joinPath(g_get_user_config_dir(), "tendrel"); }

KeyFileStore::KeyFilePtr KeyFileStore::load(const std::string& path, std::string& problem) {
  KeyFilePtr file(g_key_file_new());
  if (!g_file_test(path.c_str(), G_FILE_TEST_EXISTS)) return file;
  // The problem reaches the terminal and the report: it names the file but
  // never repeats what is in it.
  const std::optional<std::string> data = readWhole(path);
  if (!data) {
    problem = path + " cannot be read (" + std::strerror(errno) + ")" + kNotWrittenOver;
    return nullptr;
  }
  if (parse(file.get(), *data)) return file;
  problem = path + " is damaged (line " + std::to_string(firstBadLine(*data)) + ")" + kNotWrittenOver;
  return nullptr;
}

std::string KeyFileStore::readString(const File& file, std::string_view group, std::string_view key, bool& found) {
  GKeyFile* source = file.pending ? file.pending.get() : file.current.get();
  const std::string groupText(group);
  const std::string keyText(key);
  const CharsPtr value(g_key_file_get_string(source, groupText.c_str(), keyText.c_str(), nullptr));
  if (value) {
    found = true;
    return value.get();
  }
  const CharsPtr raw(g_key_file_get_value(source, groupText.c_str(), keyText.c_str(), nullptr));
  found = raw != nullptr && !g_utf8_validate(raw.get(), -1, nullptr);
  return found ? unescape(raw.get()) : std::string();
}

std::int32_t KeyFileStore::readNumber(std::string_view key, std::int32_t fallback) const {
  bool found = false;
  const std::string text = readString(profile_, kProfileGroup, key, found);
  std::int32_t value = 0;
  return found && parseInt32(text.c_str(), value) ? value : fallback;
}

std::string KeyFileStore::readText(std::string_view key, std::string_view fallback) const {
  bool found = false;
  std::string text = readString(profile_, kProfileGroup, key, found);
  return found ? text : std::string(fallback);
}

std::string KeyFileStore::readIni(std::string_view section, std::string_view key, std::size_t maxChars) const {
  bool found = false;
  return cutToChars(readString(ini_, section, key, found), maxChars);
}

std::vector<std::string> KeyFileStore::iniKeys(std::string_view section) const {
  GKeyFile* source = ini_.pending ? ini_.pending.get() : ini_.current.get();
  const std::string group(section);
  const std::unique_ptr<gchar*, StrvFree> keys(g_key_file_get_keys(source, group.c_str(), nullptr, nullptr));
  std::vector<std::string> result;
  for (gchar** key = keys.get(); key != nullptr && *key != nullptr; ++key) result.emplace_back(*key);
  return result;
}

GKeyFile* KeyFileStore::editable(File& file) {
  if (file.damaged) return nullptr;
  if (!file.pending) {
    // Start from what is on disk now, not from what this process read at
    // start-up, so that another process's saved keys survive.
    std::string problem;
    file.pending = load(file.path, problem);
    if (!file.pending) {
      file.damaged = true;
      file.problem = problem;
      return nullptr;
    }
  }
  return file.pending.get();
}

template <typename Change>
bool KeyFileStore::change(File& file, Change&& apply) {
  beginBatch();
  GKeyFile* target = editable(file);
  if (target == nullptr) file.writeFailed = true;
  if (target != nullptr) apply(target);
  const bool written = endBatch();
  return target != nullptr && written;
}

bool KeyFileStore::writeNumber(std::string_view key, std::int32_t value) {
  const std::string name(key);
  return change(profile_, [&](GKeyFile* file) { g_key_file_set_integer(file, kProfileGroup, name.c_str(), value); });
}

bool KeyFileStore::writeText(std::string_view key, std::string_view value) {
  const std::string name(key);
  const std::string text(value);
  return change(profile_,
                [&](GKeyFile* file) { g_key_file_set_string(file, kProfileGroup, name.c_str(), text.c_str()); });
}

bool KeyFileStore::writeIni(std::string_view section, std::string_view key, std::string_view value) {
  const std::string group(section);
  const std::string name(key);
  const std::string text(value);
  return change(ini_, [&](GKeyFile* file) { g_key_file_set_string(file, group.c_str(), name.c_str(), text.c_str()); });
}

bool KeyFileStore::deleteIniSection(std::string_view section) {
  const std::string group(section);
  // Removing a section that is not there is not a failure.
  return change(ini_, [&](GKeyFile* file) { g_key_file_remove_group(file, group.c_str(), nullptr); });
}

void KeyFileStore::beginBatch() { ++batchDepth_; }

bool KeyFileStore::endBatch() {
  if (batchDepth_ == 0 || --batchDepth_ > 0) return true;
  bool ok = true;
  for (File* file : {&profile_, &ini_}) {
    if (file->pending && !flush(*file)) ok = false;
    if (file->writeFailed) ok = false;
    file->pending.reset();
    file->writeFailed = false;
  }
  return ok;
}

bool KeyFileStore::flush(File& file) {
  gsize length = 0;
  const CharsPtr data(g_key_file_to_data(file.pending.get(), &length, nullptr));
  if (!data) return false;
  if (g_mkdir_with_parents(folder_.c_str(), 0700) != 0) return false;
  // Temporary file, fsync, rename: the old file stays whole until the new
  // one is complete.
  const auto flags = static_cast<GFileSetContentsFlags>(G_FILE_SET_CONTENTS_CONSISTENT | G_FILE_SET_CONTENTS_DURABLE);
  if (!g_file_set_contents_full(file.path.c_str(), data.get(), static_cast<gssize>(length), flags, 0600, nullptr)) {
    return false;
  }
  file.current = std::move(file.pending);
  return true;
}

std::vector<std::string> KeyFileStore::problems() const {
  std::vector<std::string> result;
  for (const File* file : {&profile_, &ini_}) {
    if (file->damaged) result.push_back(file->problem);
  }
  return result;
}

}  // namespace warpix
