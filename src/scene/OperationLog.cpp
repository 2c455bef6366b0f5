#include "scene/OperationLog.h"

#include <cmath>

namespace warpix {

void JsonLine::key(const char* k) {
  if (!body_.empty()) body_ += ", ";
  body_ += quote(k);
  body_ += ": ";
}

JsonLine& JsonLine::add(const char* k, std::int64_t value) {
  key(k);
  body_ += std::to_string(value);
  return *this;
}

JsonLine& JsonLine::add(const char* k, double value) {
  key(k);
  if (!std::isfinite(value)) {
    body_ += "null";
  } else {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    body_ += buffer;
  }
  return *this;
}

JsonLine& JsonLine::add(const char* k, bool value) {
  key(k);
  body_ += value ? "true" : "false";
  return *this;
}

JsonLine& JsonLine::add(const char* k, const std::string& value) {
  key(k);
  body_ += quote(value);
  return *this;
}

JsonLine& JsonLine::addStrings(const char* k, const std::vector<std::string>& values) {
  key(k);
  body_ += "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) body_ += ", ";
    body_ += quote(values[i]);
  }
  body_ += "]";
  return *this;
}

std::string JsonLine::quote(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
          out += buffer;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

OperationLog::OperationLog(const std::string& path) : file_(std::fopen(path.c_str(), "w")) {}

OperationLog::~OperationLog() {
  if (file_ != nullptr) std::fclose(file_);
}

void OperationLog::write(const JsonLine& line) {
  if (file_ == nullptr) return;
  const std::string text = line.str() + "\n";
  std::fwrite(text.data(), 1, text.size(), file_);
  std::fflush(file_);
}

}  // namespace warpix
