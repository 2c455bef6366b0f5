#include "platform/linux/GioOnlineDetector.h"

#include <gio/gio.h>

namespace warpix {

bool GioOnlineDetector::monitorAvailable() { return g_network_monitor_get_default() != nullptr; }

bool GioOnlineDetector::fullConnectivity() {
  GNetworkMonitor* monitor = g_network_monitor_get_default();
  return monitor != nullptr && g_network_monitor_get_network_available(monitor) &&
         g_network_monitor_get_connectivity(monitor) == G_NETWORK_CONNECTIVITY_FULL;
}

}  // namespace warpix
