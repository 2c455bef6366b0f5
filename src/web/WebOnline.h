#pragma once

namespace warpix {

class OnlineDetector;

// Whether the web may be used now, for the setting "only while on-line":
// there must be something that watches the connection, and it must report
// a full connection to the Internet. Without a detector nothing is on-line.
class WebOnline {
 public:
  explicit WebOnline(OnlineDetector* detector) : detector_(detector) {}
  virtual ~WebOnline() = default;

  bool HasDialUpEntries() const;
  bool IsOnline() const;

 private:
  OnlineDetector* detector_;
};

}  // namespace warpix
