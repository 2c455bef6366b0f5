#pragma once

namespace warpix {

// What the desktop knows about the network: whether anything watches the
// connection at all, and whether it reports a full connection to the
// Internet right now.
class OnlineDetector {
 public:
  virtual ~OnlineDetector() = default;
  virtual bool monitorAvailable() = 0;
  virtual bool fullConnectivity() = 0;
};

}  // namespace warpix
