#pragma once

#include <memory>
#include <string>

#include "scene/OperationLog.h"
#include "scene/Program.h"

namespace warpix {

// Opens the operation log named on the command line (if any) and hangs it
// on the program for as long as this object lives.
class OperationLogFile {
 public:
  OperationLogFile(Program& program, const std::string& path) : program_(program) {
    if (path.empty()) return;
    log_ = std::make_unique<OperationLog>(path);
    if (log_->ok()) program_.operationLog = log_.get();
  }
  ~OperationLogFile() {
    if (program_.operationLog == log_.get()) program_.operationLog = nullptr;
  }
  OperationLogFile(const OperationLogFile&) = delete;
  OperationLogFile& operator=(const OperationLogFile&) = delete;

  bool ok() const { return !log_ || log_->ok(); }

 private:
  Program& program_;
  std::unique_ptr<OperationLog> log_;
};

}  // namespace warpix
