#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "device/DeviceBackend.h"
#include "model/ConfigurationLabels.h"
#include "monitor/EventSource.h"
#include "monitor/Monitor.h"

#include <csignal>
#include <cstdint>
#include <optional>
#include <vector>

// vantrelctl monitor: what the panel sends, traced back to the inputs of a
// configuration, from recordings or from the attached device.
namespace vantrel::cli {

/// Prints the monitor's reports, as text or JSON lines, as they come.
struct MonitorPrinter {
    const Console& console;
    const ConfigurationLabels& labels;
    bool json = false;

    void print(const std::vector<MonitorReport>& reports, const EventSource& source) const;
};

/// Warns about the hats the configuration sends that no device reports,
/// from each device's absolute axes where they are known.
void warnAboutHatsNotReported(const Configuration& config,
                              const std::vector<std::optional<std::vector<std::uint16_t>>>& axes,
                              const Console& console);

/// Set by SIGINT: monitoring ends as asked, with status 0.
extern volatile std::sig_atomic_t monitorInterrupted;

/// Runs the monitor over a source until it ends, fails or Ctrl+C; prints
/// the failure and returns the command's status.
int runMonitor(EventSource& source, const Configuration& config, const MonitorPrinter& printer);

int monitorCommand(const Invocation& invocation, const Console& console,
                   const DeviceBackendFactory& devices);

} // namespace vantrel::cli
