#pragma once

#include "windows/MonitorWindow/EventFeed.h"

#include <filesystem>
#include <memory>
#include <string>

namespace vantrel {

/// The encoders' own event devices, read as they come; nothing, with why
/// in the window's words, when none is attached or they cannot be read.
/// They are not taken from the desktop until the window asks.
[[nodiscard]] std::unique_ptr<EventFeed> openLiveFeed(std::string& why);

/// The same, with the event devices found through sysfs under `sysfsRoot`
/// and their nodes under `inputRoot`: for tests, which give trees of their own.
[[nodiscard]] std::unique_ptr<EventFeed> openLiveFeedUnder(const std::filesystem::path& sysfsRoot,
                                                           const std::filesystem::path& inputRoot,
                                                           std::string& why);

} // namespace vantrel
