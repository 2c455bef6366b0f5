#include "web/WebOnline.h"

#include "platform/OnlineDetector.h"

namespace warpix {

bool WebOnline::HasDialUpEntries() const { return detector_ != nullptr && detector_->monitorAvailable(); }

bool WebOnline::IsOnline() const { return HasDialUpEntries() && detector_->fullConnectivity(); }

}  // namespace warpix
