#pragma once

#include "windows/MonitorWindow/EventFeed.h"

#include <memory>
#include <string>

namespace vantrel {

/// The encoders' own event devices, read as they come; nothing, with why
/// in the window's words, when none is attached or they cannot be read.
/// They are not taken from the desktop until the window asks.
[[nodiscard]] std::unique_ptr<EventFeed> openLiveFeed(std::string& why);

} // namespace vantrel
