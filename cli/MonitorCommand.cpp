#include "cli/MonitorCommand.h"

#include "cli/DeviceCommands.h"
#include "cli/FileCommands.h"
#include "cli/LiveMonitor.h"
#include "files/PathText.h"
#include "monitor/EvemuRecording.h"
#include "monitor/HatReach.h"
#include "monitor/MonitorText.h"

#include <fstream>
#include <optional>

namespace vantrel::cli {

volatile std::sig_atomic_t monitorInterrupted = 0;

namespace {

extern "C" void stopMonitoring(int /*signal*/) {
    monitorInterrupted = 1;
}

/// Every recording read before any is replayed, so that a damaged one
/// prints nothing at all.
std::optional<std::vector<EvemuRecording>> readRecordings(const std::vector<std::string>& files,
                                                          const Console& console) {
    std::vector<EvemuRecording> recordings;
    for (const std::string& file : files) {
        std::ifstream in(pathFromUtf8(file));
        if (!in) {
            console.error(file + ": cannot be read");
            return std::nullopt;
        }
        EvemuRecording recording = readEvemuRecording(in);
        if (!recording.ok()) {
            console.error(file + ", line " + std::to_string(recording.errorLine) + ": " +
                          recording.error);
            return std::nullopt;
        }
        recordings.push_back(std::move(recording));
    }
    return recordings;
}

int replay(const std::vector<std::string>& files, const Configuration& config,
           const MonitorPrinter& printer) {
    const auto recordings = readRecordings(files, printer.console);
    if (!recordings) {
        return ExitFailure;
    }
    std::vector<std::optional<std::vector<std::uint16_t>>> axes;
    for (const EvemuRecording& recording : *recordings) {
        axes.push_back(recording.absoluteAxes);
    }
    warnAboutHatsNotReported(config, axes, printer.console);
    // Each recording is a device of its own, with time starting afresh.
    for (std::size_t i = 0; i < files.size(); ++i) {
        ReplaySource source(files[i], recordings->at(i).events);
        if (const int status = runMonitor(source, config, printer); status != ExitSuccess) {
            return status;
        }
    }
    return ExitSuccess;
}

std::optional<LoadedConfiguration> configurationToMonitor(const Invocation& invocation,
                                                          const Console& console,
                                                          const DeviceBackendFactory& devices) {
    if (invocation.config) {
        return openConfiguration(*invocation.config, console, Partial::Warn);
    }
    const std::unique_ptr<DeviceBackend> backend = reachDevice(
        invocation.devices.empty() ? std::nullopt : std::optional(invocation.devices.front()),
        console, devices);
    if (!backend) {
        return std::nullopt;
    }
    LoadedConfiguration loaded;
    if (!readDeviceConfiguration(console, *backend, loaded.config)) {
        return std::nullopt;
    }
    return loaded;
}

} // namespace

void MonitorPrinter::print(const std::vector<MonitorReport>& reports,
                           const EventSource& source) const {
    for (const MonitorReport& report : reports) {
        const std::string device = source.deviceName(report.device);
        console.out << (json ? reportJson(report, device, labels)
                             : reportText(report, device, labels))
                    << '\n';
    }
    if (!reports.empty()) {
        console.out << std::flush;
    }
}

void warnAboutHatsNotReported(const Configuration& config,
                              const std::vector<std::optional<std::vector<std::uint16_t>>>& axes,
                              const Console& console) {
    for (const int hat : hatsNotReported(config, axes)) {
        console.warning("the configuration sends Hat" + std::to_string(hat + 1) +
                        ", which the encoder's devices do not report here: its presses cannot "
                        "be seen");
    }
}

int runMonitor(EventSource& source, const Configuration& config, const MonitorPrinter& printer) {
    Monitor monitor(config);
    SourcedEvent event;
    while (monitorInterrupted == 0) {
        switch (source.next(event)) {
        case EventSource::Status::Event:
            printer.print(monitor.feed(event), source);
            break;
        case EventSource::Status::Idle:
            printer.print(monitor.tick(event.event.microseconds), source);
            break;
        case EventSource::Status::End:
            printer.print(monitor.finish(), source);
            return ExitSuccess;
        case EventSource::Status::Failed:
            printer.print(monitor.finish(), source);
            printer.console.error(source.error());
            return ExitFailure;
        }
    }
    printer.print(monitor.finish(), source);
    return ExitSuccess;
}

int monitorCommand(const Invocation& invocation, const Console& console,
                   const DeviceBackendFactory& devices) {
    const auto loaded = configurationToMonitor(invocation, console, devices);
    if (!loaded) {
        return ExitFailure;
    }
    const MonitorPrinter printer{console, loaded->labels, invocation.json};
    monitorInterrupted = 0;
    const auto previous = std::signal(SIGINT, stopMonitoring);
    const int status = invocation.events.empty()
                           ? monitorLive(loaded->config, printer, invocation.grab)
                           : replay(invocation.events, loaded->config, printer);
    std::signal(SIGINT, previous);
    return status;
}

} // namespace vantrel::cli
