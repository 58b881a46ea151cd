#pragma once

#include "cli/Console.h"
#include "device/selection/DeviceBackend.h"

#include <span>
#include <string>

namespace vantrel::cli {

/// Runs the tool on the arguments that follow its name and returns its exit
/// status: 0 success, 1 failure, 2 usage error (diff: 0 equal, 1 different,
/// 2 trouble; check: 0 nothing found, 1 something found, 2 trouble). The
/// device commands get their device from `devices`.
int runVantrelctl(std::span<const std::string> args, const Console& console,
                  const DeviceBackendFactory& devices);

} // namespace vantrel::cli
