#include "cli/LiveMonitor.h"

namespace vantrel::cli {

int monitorLive(const Invocation& /*invocation*/, const MonitorPrinter& printer,
                const DeviceBackendFactory& /*devices*/) {
    printer.console.error("monitoring the device itself needs Linux; replay a recording with "
                          "--events FILE");
    return ExitFailure;
}

} // namespace vantrel::cli
