#pragma once

#include "windows/MonitorWindow/EventFeed.h"

#include <filesystem>

namespace vantrel {

/// The encoders' own event devices, read as they come, or why not in the
/// window's words: none is attached or they cannot be read. They are not
/// taken from the desktop until the window asks.
[[nodiscard]] OpenedLiveFeed openLiveFeed();

/// The same, with the event devices found through sysfs under `sysfsRoot`
/// and their nodes under `inputRoot`: for tests, which give trees of their own.
[[nodiscard]] OpenedLiveFeed openLiveFeedUnder(const std::filesystem::path& sysfsRoot,
                                               const std::filesystem::path& inputRoot);

} // namespace vantrel
