#pragma once

#include "platform/OnlineDetector.h"

namespace warpix {

// Asks GLib's network monitor, which follows the desktop's own view of
// the connection (NetworkManager, or the routing table where it is absent).
class GioOnlineDetector final : public OnlineDetector {
 public:
  bool monitorAvailable() override;
  bool fullConnectivity() override;
};

}  // namespace warpix
