#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace warpix {

// One JSON object on one line, built field by field in insertion order.
class JsonLine {
 public:
  JsonLine& add(const char* key, std::int64_t value);
  JsonLine& add(const char* key, int value) { return add(key, static_cast<std::int64_t>(value)); }
  JsonLine& add(const char* key, double value);
  JsonLine& add(const char* key, bool value);
  JsonLine& add(const char* key, const std::string& value);
  JsonLine& add(const char* key, const char* value) { return add(key, std::string(value)); }
  JsonLine& addStrings(const char* key, const std::vector<std::string>& values);
  std::string str() const { return "{" + body_ + "}"; }

  static std::string quote(const std::string& text);

 private:
  void key(const char* k);
  std::string body_;
};

// The operation log: a header line with the run's seed, size and palette,
// then a line for every operation as it is created and whatever it adds
// later. Every line is flushed at once, so a reader following the file sees
// which effect is on the screen.
class OperationLog {
 public:
  explicit OperationLog(const std::string& path);
  ~OperationLog();
  OperationLog(const OperationLog&) = delete;
  OperationLog& operator=(const OperationLog&) = delete;

  bool ok() const { return file_ != nullptr; }
  void write(const JsonLine& line);

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace warpix
