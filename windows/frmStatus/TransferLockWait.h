#pragma once

#include "device/DeviceLock.h"

#include <string>

namespace vantrel {

/// How a transfer of a window program waits for a device another program
/// uses: with the windows kept painted, and a line for whoever started the
/// program from a terminal, after `program` ("vantrel-monitor: ", or nothing);
/// the windows themselves show only what a failed open shows.
[[nodiscard]] LockWait transferLockWait(std::string program);

} // namespace vantrel
