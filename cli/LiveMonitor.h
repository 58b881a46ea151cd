#pragma once

#include "cli/MonitorCommand.h"

namespace vantrel::cli {

/// Monitors the encoder's own event devices until Ctrl+C or until it is
/// unplugged; grabbed from the desktop unless `grab` is false.
int monitorLive(const Configuration& config, const MonitorPrinter& printer, bool grab);

} // namespace vantrel::cli
