#include "cli/LiveMonitor.h"

namespace vantrel::cli {

int monitorLive(const Configuration& /*config*/, const MonitorPrinter& printer, bool /*grab*/) {
    printer.console.error("monitoring the device itself needs Linux; replay a recording with "
                          "--events FILE");
    return ExitFailure;
}

} // namespace vantrel::cli
