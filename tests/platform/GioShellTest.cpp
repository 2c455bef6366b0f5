#include "platform/linux/GioShell.h"

#include <gtest/gtest.h>

namespace warpix {
namespace {

TEST(GioShell, UnknownNamesAndHandlersAreReportedAsNone) {
  GioShell shell;
  // GLib's stand-in for a missing name must not become a message.
  EXPECT_NE(shell.realName(), "Unknown");
  EXPECT_FALSE(shell.open(""));
  EXPECT_FALSE(shell.open("warpix-no-such-scheme:nothing"));
}

}  // namespace
}  // namespace warpix
