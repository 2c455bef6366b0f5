#include "effects/TexterMessage.h"

#include "settings/RegSettings.h"

namespace warpix {

std::string TexterMessage::getText() { return settings_.randomMessage(random_); }

}  // namespace warpix
