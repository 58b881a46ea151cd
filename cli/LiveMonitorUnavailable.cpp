#include "cli/LiveMonitor.h"

namespace vantrel::cli {

std::optional<EncoderEvents> openEncoderEvents(const Invocation& /*invocation*/,
                                               const Console& console, bool /*grab*/) {
    console.error("reading the panel itself needs Linux; replay a recording with --events FILE");
    return std::nullopt;
}

int monitorLive(const Invocation& /*invocation*/, const MonitorPrinter& printer,
                const DeviceBackendFactory& /*devices*/) {
    printer.console.error("monitoring the device itself needs Linux; replay a recording with "
                          "--events FILE");
    return ExitFailure;
}

} // namespace vantrel::cli
