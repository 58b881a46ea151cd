#pragma once

#include "cli/MonitorCommand.h"

namespace vantrel::cli {

/// Monitors the encoders' own event devices (those --device names, else
/// every one attached) until Ctrl+C or until one is unplugged; grabbed from
/// the desktop unless --no-grab.
int monitorLive(const Invocation& invocation, const MonitorPrinter& printer,
                const DeviceBackendFactory& devices);

} // namespace vantrel::cli
